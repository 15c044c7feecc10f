#include "tests/session/SessionWork.h"

#include <cstring>

#include "albums/PictureSort.h"
#include "app/AlbumDetailsText.h"
#include "app/AlbumListText.h"
#include "filters/CriterionText.h"
#include "platform/FileSystem.h"
#include "tests/support/PictureFiles.h"

namespace lumora::test {
namespace {

constexpr const char* kBurst = "2005:03:04 10:20:30";

void setAlbumOfPictures(PictureList& pictures, const std::vector<std::string>& names, int32_t id) {
    for (PictureEntry& entry : pictures) {
        for (const std::string& name : names) {
            const std::string tail = kPathSeparator + name;
            if (entry.path.size() >= tail.size() &&
                entry.path.compare(entry.path.size() - tail.size(), tail.size(), tail) == 0) {
                entry.albumId = id;
            }
        }
    }
}

PictureEntry* pictureNamed(PictureList& pictures, const std::string& name) {
    for (PictureEntry& entry : pictures) {
        if (entry.path.ends_with(kPathSeparator + name)) return &entry;
    }
    return nullptr;
}

std::string pictureLine(const char* list, const PictureEntry& e) {
    const ExifInfo& x = *e.exif;
    std::string line = formatText(
        "%s %s album %d dup %d removed %d negative %d custom %d '%s' substituted %d exif %d id "
        "%d date %llu size %llu sig",
        list, e.path.c_str(), e.albumId, e.isDuplicate, e.isRemoved, e.isNegative, x.hasCustomName,
        x.customName, x.dateSubstituted, x.IsExif, x.pictureId,
        static_cast<unsigned long long>(e.dateTime), static_cast<unsigned long long>(e.fileSize));
    for (double value : x.signature) line += formatText(" %.17g", value);
    return line;
}

}  // namespace

void writeSourcePictures(const TempDir& source) {
    source.writeFile("early.jpg", exifPicture("2005:03:01 09:00:00"));
    source.writeFile("a.jpg", exifPicture(kBurst));
    source.writeFile("B.jpg", exifPicture(kBurst));
    source.writeFile("c.jpg", exifPicture(kBurst));
    source.writeFile("Sub/d.jpg", exifPicture("2005:03:05 12:00:00"));
    source.writeFile("Sub/e.jpg", exifPicture("2005:03:06 08:00:00"));
    source.writeFile("f.jpg", exifPicture("2005:03:07 18:30:00"));
    source.writeFile("g.jpg", exifPicture("2005:03:08 07:00:00"));
    source.writeFile("h.jpg", exifPicture("2005:03:09 07:00:00"));
    source.writeFile("zero.jpg", exifPicture("0000:00:00 00:00:00"));
}

void buildWork(Workspace& w, const std::string& source, Prompter& prompter) {
    w.setSource(source, prompter, nullProgress());
    w.selectTarget("/albums/out", prompter);
    w.dateFormat = 4;
    w.timeFormat = 2;
    w.excludeDuplicates = 1;
    w.assignPictureIds();
    PictureList& pictures = w.pictures();
    sortPictures(pictures, kSortByDate, false);

    Album& arrival = appendNewAlbum(w.albums);
    arrival.name = "Arrival";
    arrival.directoryName = "Trips";
    arrival.unsaved = 0;
    arrival.filter.advancedEnabled = 1;
    arrival.filter.cameraMake = "Canon";
    arrival.filter.cameraModel = "Canon PowerShot A70";
    arrival.filter.useAperture = 1;
    arrival.filter.apertureMax = 2.8f;
    arrival.filter.apertureMin = 5.6f;
    arrival.filter.useIso = 1;
    arrival.filter.isoMax = arrival.filter.isoMin = 100;
    arrival.filter.useFlash = 1;
    arrival.filter.flashUsed = 1;
    arrival.filter.useMeteringMode = 1;
    arrival.filter.meteringMode = 255;
    arrival.startTime = arrival.startKey = pictures[0].dateTime;
    arrival.endTime = arrival.endKey = pictures[3].dateTime;
    setAlbumOfPictures(pictures, {"early.jpg", "a.jpg", "c.jpg"}, arrival.id);
    arrival.pictureCount = 3;
    arrival.sizeMB = 0.25f;

    Album& harbour = appendNewAlbum(w.albums);
    harbour.name = "Harbour";
    harbour.directoryName = "/";
    harbour.keepOriginalName = 1;
    harbour.addCameraModel = 1;
    harbour.addDate = 0;
    harbour.processed = 1;
    harbour.unsaved = 0;
    harbour.startTime = harbour.startKey = pictures[4].dateTime;
    harbour.endTime = harbour.endKey = pictures[5].dateTime;
    setAlbumOfPictures(pictures, {"d.jpg", "e.jpg"}, harbour.id);
    harbour.pictureCount = 2;
    harbour.sizeMB = 0.125f;

    Album& evening = appendNewAlbum(w.albums);
    evening.name = "";  // an empty name is stored as a zero length
    evening.createSubDirectory = 0;
    evening.unsaved = 0;
    evening.filter.advancedEnabled = 1;
    evening.filter.useExposureTime = 1;
    evening.filter.exposureTimeMax = 2.0f;
    evening.filter.exposureTimeMin = 1.0f / 60;
    evening.filter.useWhiteBalance = 1;
    evening.filter.whiteBalance = 10;
    evening.startTime = evening.startKey = pictures[6].dateTime;
    evening.endTime = evening.endKey = pictures[6].dateTime;
    setAlbumOfPictures(pictures, {"f.jpg"}, evening.id);
    evening.pictureCount = 1;

    // The burst's middle picture is left out of its album as a negative, and
    // each burst picture carries a name of its own.
    pictureNamed(pictures, "B.jpg")->isNegative = 1;
    pictureNamed(pictures, "zero.jpg")->isNegative = 1;
    for (const char* name : {"a.jpg", "B.jpg", "c.jpg"}) {
        ExifInfo& exif = *pictureNamed(pictures, name)->exif;
        exif.hasCustomName = 1;
        std::snprintf(exif.customName, sizeof exif.customName, "burst %s", name);
    }
    for (size_t i = 0; i < pictures.size(); ++i) {
        for (int k = 0; k < 16; ++k) pictures[i].exif->signature[k] = 0.1 * (i + 1) + k * 1e-9;
    }

    // What the duplicate search leaves after pairing g and h and removing h.
    pictureNamed(pictures, "g.jpg")->isDuplicate = 1;
    PictureEntry* h = pictureNamed(pictures, "h.jpg");
    h->isDuplicate = 1;
    h->isRemoved = 1;
    w.removedPictures.push_back(*h);
    w.freedBytes += static_cast<float>(h->fileSize);
    std::erase_if(pictures, [](const PictureEntry& e) { return e.isRemoved != 0; });
    w.duplicatesFound = 1;
    w.statusText = "9 unique .JPG Files with exif information. Duplicates 1. Removed 1";
    // The film was last shown by name, descending: the list is not in date
    // order when the session is saved.
    sortPictures(pictures, kSortByName, true);
}

std::vector<std::string> snapshot(const Workspace& w) {
    std::vector<std::string> lines = {
        "source " + w.sourceText,
        "target " + w.targetText,
        "status " + w.statusText,
        formatText("formats %d %d exclude %d duplicates %d scanned %d freed %.9g", w.dateFormat,
                   w.timeFormat, w.excludeDuplicates, w.duplicatesFound, w.picturesAtScan,
                   static_cast<double>(w.freedBytes)),
        "summary " + albumSummaryText(w.albums, static_cast<int>(w.catalog.pictures().size())),
    };
    const std::vector<std::string> listLines = albumListLines(w.albums);
    for (size_t i = 0; i < w.albums.size(); ++i) {
        lines.push_back(listLines[i]);
        for (const std::string& detail :
             albumDetailsLines(w.albums[i], w.targetText, w.dateFormat, w.timeFormat)) {
            lines.push_back("  " + detail);
        }
    }
    for (const PictureEntry& e : w.catalog.pictures()) lines.push_back(pictureLine("picture", e));
    for (const PictureEntry& e : w.removedPictures) lines.push_back(pictureLine("removed", e));
    return lines;
}

}  // namespace lumora::test
