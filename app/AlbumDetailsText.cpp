#include "app/AlbumDetailsText.h"

#include <functional>

#include "albums/DateTimeText.h"
#include "filters/CriterionNames.h"
#include "filters/CriterionText.h"
#include "platform/FileSystem.h"

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

// A range shows "Not activated" when its upper bound is 0, one line when both
// bounds are equal, else the Max line and then the Min line.
template <typename T>
void addRangeLines(Lines& lines, const char* label, T max, T min,
                   const std::function<std::string(T)>& show) {
    if (max == 0) {
        lines.push_back(formatText("%s: Not activated", label));
    } else if (max == min) {
        lines.push_back(formatText("%s: %s", label, show(max).c_str()));
    } else {
        lines.push_back(formatText("Max %s: %s", label, show(max).c_str()));
        lines.push_back(formatText("Min %s: %s", label, show(min).c_str()));
    }
}

std::function<std::string(float)> floatShown(const char* format) {
    return [format](float value) { return formatText(format, static_cast<double>(value)); };
}

std::function<std::string(int32_t)> intShown(const char* format) {
    return [format](int32_t value) { return formatText(format, value); };
}

void addCriterionLines(Lines& lines, const FilterSettings& f) {
    if (f.useSize) addRangeLines<int32_t>(lines, "Width", f.widthMax, f.widthMin, intShown("%d"));
    if (f.useAperture) {
        addRangeLines<float>(lines, "ApertureFNumber", f.apertureMax, f.apertureMin,
                             floatShown("f/%2.1f"));
    }
    if (f.useDistance) {
        addRangeLines<float>(lines, "Focal Distance", f.distanceMax, f.distanceMin,
                             floatShown("%2.1fm"));
    }
    if (f.useResolution) {
        // The bounds always hold whole numbers; they are shown as integers.
        addRangeLines<float>(lines, "X,Y resolution", f.xResolutionMax, f.xResolutionMin,
                             [](float value) { return formatText("%d", truncateToInt32(value)); });
    }
    if (f.useExposureBias) {
        addRangeLines<float>(lines, "Exposure Bias", f.exposureBiasMax, f.exposureBiasMin,
                             floatShown("%1.2f"));
    }
    if (f.useExposureProgram) {
        if (f.exposureProgram == -1) {
            lines.push_back("Exposure Program: Not activated");
        } else if (f.exposureProgram == 0) {
            lines.push_back("Exposure Program: All");
        } else {
            lines.push_back(
                formatText("Exposure program: %s", exposureProgramName(f.exposureProgram)));
        }
    }
    if (f.useExposureTime) {
        addRangeLines<float>(lines, "Exposure Time", f.exposureTimeMax, f.exposureTimeMin,
                             [](float value) { return exposureTimeText(value); });
    }
    if (f.useFocalLength) {
        addRangeLines<float>(lines, "Focal Lenght", f.focalLengthMax, f.focalLengthMin,
                             floatShown("%4.1fmm"));
    }
    if (f.useFlash) {
        lines.push_back(f.flashUsed == -1
                            ? std::string("Flash Used: All")
                            : formatText("Flash Used: %s", f.flashUsed != 0 ? "Yes" : "No"));
    }
    if (f.useIso) addRangeLines<int32_t>(lines, "ISO", f.isoMax, f.isoMin, intShown("%2d"));
    if (f.useMeteringMode) {
        lines.push_back(f.meteringMode == -1
                            ? std::string("Metering Mode: All")
                            : formatText("Metering Mode: %s", meteringModeName(f.meteringMode)));
    }
    if (f.useWhiteBalance) {
        lines.push_back(f.whiteBalance == -1
                            ? std::string("White Balance: All")
                            : formatText("White Balance: %s", lightSourceName(f.whiteBalance)));
    }
}

bool startsWithSeparator(const std::string& text) {
    return !text.empty() && text[0] == kPathSeparator;
}

}  // namespace

std::vector<std::string> albumDetailsLines(const Album& album, const std::string& targetText,
                                           int dateFormat, int timeFormat) {
    Lines lines;
    lines.push_back(formatText("Name: %s", album.name.c_str()));
    lines.push_back(
        formatText(album.pictureCount == 1 ? "In album: %d picture" : "In album: %d pictures",
                   album.pictureCount));
    lines.push_back(formatText("Size: %4.2fMB", static_cast<double>(album.sizeMB)));

    const std::string startDate = dateText(album.startTime, dateFormat);
    const std::string endDate = dateText(album.endTime, dateFormat);
    const std::string endTime = timeText(album.endTime, timeFormat);
    lines.push_back(formatText("Start date: %s/%s", startDate.c_str(),
                               timeText(album.startTime, timeFormat).c_str()));
    if (endDate == startDate) {
        lines.push_back(formatText("End date: %s", endTime.c_str()));
    } else {
        lines.push_back(formatText("End date: %s/%s", endDate.c_str(), endTime.c_str()));
    }
    lines.push_back(album.processed ? "Album status: Processed"
                                    : "Album status: Not processed yet");

    const char* target = targetText.c_str();
    const std::string& directory = album.directoryName;
    const std::string separator(1, kPathSeparator);
    if (directory == separator) {
        lines.push_back(formatText("Album root: %s", target));
    } else if (startsWithSeparator(directory)) {
        lines.push_back(formatText("Album root: %s%s", target, directory.c_str()));
    } else {
        lines.push_back(
            formatText("Album root: %s%c%s", target, kPathSeparator, directory.c_str()));
    }
    std::string path = targetText;
    if (album.createSubDirectory) {
        path = startsWithSeparator(directory)
                   ? formatText("%s%s%c%s", target, directory.c_str(), kPathSeparator,
                                album.name.c_str())
                   : formatText("%s%c%s%c%s", target, kPathSeparator, directory.c_str(),
                                kPathSeparator, album.name.c_str());
    }
    lines.push_back("Album Path: " + path);
    lines.push_back(std::string("Keep Original Name: ") + (album.keepOriginalName ? "Yes" : "No"));

    if (album.addCameraModel || album.addDate || album.addTime) {
        std::string line = "Add to name:";
        if (album.addCameraModel) line += " Camera ";
        if (album.addDate) line += " Date ";
        if (album.addTime) line += " Time ";
        lines.push_back(line);
    } else {
        lines.push_back(kAddToNameNothingText);
    }

    const FilterSettings& filter = album.filter;
    lines.push_back(std::string("Use filters: ") + (filter.advancedEnabled ? "Yes" : "No"));
    if (!filter.cameraMake.empty()) lines.push_back("Camera: " + filter.cameraMake);
    if (!filter.cameraModel.empty()) lines.push_back("Model: " + filter.cameraModel);
    if (filter.advancedEnabled) addCriterionLines(lines, filter);
    return lines;
}

std::vector<std::string> albumDetailsLines(const Album& album, const std::string& targetText,
                                           int dateFormat, int timeFormat,
                                           const CompanionTally& companions) {
    Lines lines = albumDetailsLines(album, targetText, dateFormat, timeFormat);
    if (companions.files > 0) {
        // After "Name", "In album" and "Size".
        lines.insert(lines.begin() + 3,
                     formatText("Companions: %d files (%4.2fMB)", companions.files,
                                static_cast<double>(companions.megabytes)));
    }
    return lines;
}

}  // namespace lumora
