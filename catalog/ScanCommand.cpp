#include "catalog/ScanCommand.h"

#include <cstdio>

namespace lumora {

std::string foundPicturesText(int pictureCount) {
    if (pictureCount == 0) return kNoPicturesStatusText;
    char text[96];
    std::snprintf(text, sizeof text, "Found %d .JPG pictures that have exif information.",
                  pictureCount);
    return text;
}

std::string statusWithLeftOut(const ScanOutcome& outcome) {
    return outcome.statusText + leftOutStatusSuffix(static_cast<size_t>(outcome.leftOutCount));
}

std::string zeroDateWarningText(int substitutedCount) {
    char text[512];
    std::snprintf(text, sizeof text,
                  "Warning! Lumora found %d pictures that have date and time set to zero! Date "
                  "and time was modified for those pictures in order to run Lumora. New date and "
                  "time was taken from file information. Be aware that date and time may not be "
                  "the same as real time when those pictures was shot.",
                  substitutedCount);
    return text;
}

ScanOutcome runScanCommand(PictureCatalog& catalog, const std::string& sourceDirectory,
                           Prompter& prompter, ProgressSink& progress) {
    catalog.clearDirectories();
    catalog.clearPictures();
    progress.setStatus(kScanningStatusText);

    ScanOutcome outcome;
    outcome.completed = catalog.scanSource(sourceDirectory, true, prompter);
    outcome.pictureCount = catalog.pictureCount();
    outcome.statusText = foundPicturesText(outcome.pictureCount);
    outcome.leftOutCount = static_cast<int>(catalog.leftOut().size());
    for (const PictureEntry& entry : catalog.pictures()) {
        if (!entry.exif || entry.exif->IsExif != 1) continue;
        ++outcome.exifCount;
        if (entry.exif->dateSubstituted == 1) ++outcome.substitutedCount;
    }
    outcome.albumMenusEnabled = outcome.exifCount != 0;
    if (outcome.substitutedCount > 0) {
        outcome.warningText = zeroDateWarningText(outcome.substitutedCount);
    }
    progress.setStatus(outcome.statusText);
    return outcome;
}

}  // namespace lumora
