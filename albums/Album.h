#pragma once

#include <cstdint>
#include <string>

#include "filters/FilterSettings.h"

namespace lumora {

// One album. Membership is recorded on the pictures (PictureEntry::albumId),
// not here; the session file stores these fields in this order.
struct Album {
    std::string directoryName;  // folder under the target; the separator alone means none
    std::string name;           // also the base name of the album's pictures
    int32_t createSubDirectory = 1;
    int32_t keepOriginalName = 0;
    int32_t addDate = 1;
    int32_t addTime = 1;
    int32_t addCameraModel = 0;
    int32_t id = 0;
    int32_t pictureCount = 0;
    int32_t unsaved = 1;
    uint64_t startTime = 0;  // date-time values shown to the user
    uint64_t endTime = 0;
    // The values compared against pictures; 0 means that end of the range is not set.
    uint64_t startKey = 0;
    uint64_t endKey = 0;
    FilterSettings filter;
    int32_t processed = 0;
    float sizeMB = 0.0f;

    bool hasRange() const { return startKey != 0 && endKey != 0; }
    bool operator==(const Album&) const = default;
};

}  // namespace lumora
