#include "session/PictureRecord.h"

#include <algorithm>
#include <iterator>

namespace lumora {

PictureRecord recordOf(const PictureEntry& entry) {
    PictureRecord record;
    record.isDuplicate = entry.isDuplicate;
    record.isRemoved = entry.isRemoved;
    record.albumId = entry.albumId;
    record.isNegative = entry.isNegative;
    if (const ExifInfo* exif = entry.exif.get()) {
        record.hasCustomName = exif->hasCustomName;
        record.dateSubstituted = exif->dateSubstituted;
        record.IsExif = exif->IsExif;
        std::copy(std::begin(exif->signature), std::end(exif->signature), record.signature);
        record.pictureId = exif->pictureId;
        std::copy(std::begin(exif->customName), std::end(exif->customName), record.customName);
    }
    return record;
}

void applyRecord(const PictureRecord& record, PictureEntry& entry) {
    entry.isDuplicate = record.isDuplicate;
    entry.isRemoved = record.isRemoved;
    entry.albumId = record.albumId;
    entry.isNegative = record.isNegative;
    if (!entry.exif) entry.exif = std::make_shared<ExifInfo>();
    ExifInfo& exif = *entry.exif;
    exif.hasCustomName = record.hasCustomName;
    exif.dateSubstituted = record.dateSubstituted;
    exif.IsExif = record.IsExif;
    std::copy(std::begin(record.signature), std::end(record.signature), exif.signature);
    exif.pictureId = record.pictureId;
    std::copy(std::begin(record.customName), std::end(record.customName), exif.customName);
    exif.customName[sizeof(exif.customName) - 1] = '\0';
}

}  // namespace lumora
