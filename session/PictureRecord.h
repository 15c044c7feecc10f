#pragma once

#include <cstddef>
#include <cstdint>

#include "catalog/PictureEntry.h"

namespace lumora {

// The per-picture state a session file keeps: the entry's flags and the
// parts of its ExifInfo that the program itself wrote. The EXIF values are
// read again from the picture.
struct PictureRecord {
    int32_t isDuplicate = 0;
    int32_t isRemoved = 0;
    int32_t albumId = 0;
    int32_t isNegative = 0;
    uint8_t hasCustomName = 0;
    uint8_t dateSubstituted = 0;
    uint8_t IsExif = 0;
    uint8_t spare = 0;
    double signature[16] = {};
    int32_t pictureId = 0;
    char customName[128] = {};

    bool operator==(const PictureRecord&) const = default;
};

// The bytes one record takes in the file.
inline constexpr size_t kPictureRecordBytes = 4 * 4 + 4 + 16 * 8 + 4 + 128;
static_assert(kPictureRecordBytes == 280);

PictureRecord recordOf(const PictureEntry& entry);

// Lays the record over the entry and its ExifInfo. The stored name is cut at
// its last byte, so a name without a terminator in the file still ends.
void applyRecord(const PictureRecord& record, PictureEntry& entry);

}  // namespace lumora
