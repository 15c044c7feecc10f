#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalog/ExifInfo.h"

namespace lumora {

// One scanned picture. Entries are copied between the picture list, the film
// list and the removed pictures; every copy shares the one ExifInfo.
struct PictureEntry {
    std::string path;       // directory, separator, file name
    uint64_t dateTime = 0;  // FILETIME, compared as an unsigned number
    // What the camera's clock correction added to the value read from EXIF
    // (100 ns ticks); dateTime already holds it, so every use of the time
    // gets the corrected one. 0 for a camera whose clock is taken as right.
    int64_t clockOffset = 0;
    uint64_t fileSize = 0;
    std::shared_ptr<ExifInfo> exif;
    int32_t albumId = 0;  // 0 none, an album's id, -1 while an edit is pending
    int32_t isDuplicate = 0;
    int32_t isRemoved = 0;
    int32_t isNegative = 0;
    // The names of its companion files (a RAW, sidecars, a clip) in its
    // folder, as the scan's listing showed them; processing looks again.
    std::vector<std::string> companions;
};

using PictureList = std::vector<PictureEntry>;

}  // namespace lumora
