#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalog/PictureEntry.h"

namespace lumora::test {

// A listed picture as the scan makes one, with its own ExifInfo.
inline PictureEntry makePicture(const std::string& path, uint64_t dateTime, uint64_t fileSize = 0) {
    PictureEntry entry;
    entry.path = path;
    entry.dateTime = dateTime;
    entry.fileSize = fileSize;
    entry.exif = std::make_shared<ExifInfo>();
    entry.exif->pictureId = -1;
    entry.exif->IsExif = 1;
    return entry;
}

// Pictures "/src/p1.jpg" ... taken at the given values, 1 MiB each.
inline PictureList picturesAt(const std::vector<uint64_t>& dateTimes) {
    PictureList list;
    int number = 1;
    for (uint64_t value : dateTimes) {
        list.push_back(makePicture("/src/p" + std::to_string(number++) + ".jpg", value, 1u << 20));
    }
    return list;
}

inline std::vector<int32_t> albumIdsByPath(PictureList pictures) {
    std::vector<int32_t> ids;
    std::sort(pictures.begin(), pictures.end(),
              [](const PictureEntry& a, const PictureEntry& b) { return a.path < b.path; });
    for (const PictureEntry& entry : pictures) ids.push_back(entry.albumId);
    return ids;
}

inline std::vector<int32_t> negativesByPath(PictureList pictures) {
    std::vector<int32_t> marks;
    std::sort(pictures.begin(), pictures.end(),
              [](const PictureEntry& a, const PictureEntry& b) { return a.path < b.path; });
    for (const PictureEntry& entry : pictures) marks.push_back(entry.isNegative);
    return marks;
}

inline std::vector<std::string> paths(const std::vector<PictureEntry>& pictures) {
    std::vector<std::string> result;
    for (const PictureEntry& entry : pictures) result.push_back(entry.path);
    return result;
}

}  // namespace lumora::test
