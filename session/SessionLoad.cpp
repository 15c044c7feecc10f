#include "session/SessionLoad.h"

#include <algorithm>

#include "filters/CriterionText.h"
#include "session/SessionDecoder.h"
#include "session/SessionFile.h"
#include "session/SessionSave.h"

namespace lumora {

bool readSessionFile(FileSystem& fileSystem, const std::string& path, SessionData& data,
                     ErrorCode& error, std::string& problem) {
    std::vector<uint8_t> bytes;
    if (!readWholeFile(fileSystem, path, bytes, error)) {
        problem = error == kErrorNotEnoughMemory
                      ? formatText("the file is larger than %zu bytes", kMaxSessionFileBytes)
                      : formatText("the file cannot be read (error %u)", error);
        return false;
    }
    return decodeSession(bytes.data(), bytes.size(), data, problem);
}

bool sourceMatches(const PictureList& pictures, const SessionData& data) {
    return totalMegabytes(pictures, false) == data.totalSize &&
           pictures.size() == data.pictures.size();
}

void applyPictureRecords(const std::vector<PictureRecord>& records, PictureList& pictures,
                         PictureList& removedPictures) {
    const size_t count = std::min(records.size(), pictures.size());
    for (size_t i = 0; i < count; ++i) applyRecord(records[i], pictures[i]);
    PictureList kept;
    kept.reserve(pictures.size());
    for (PictureEntry& entry : pictures) {
        (entry.isRemoved != 0 ? removedPictures : kept).push_back(std::move(entry));
    }
    pictures = std::move(kept);
}

std::string loadedDuplicatesStatusText(int pictureCount, int duplicatesFound, int picturesAtScan) {
    const int removed = picturesAtScan - pictureCount;
    if (pictureCount == picturesAtScan) {
        return formatText("Found %d .JPG Files with exif information. Duplicates %d. None removed",
                          pictureCount, duplicatesFound);
    }
    if (duplicatesFound == removed) {
        return formatText("%d unique .JPG Files with exif information. Duplicates %d. Removed %d",
                          pictureCount, duplicatesFound, removed);
    }
    return formatText("Found %d .JPG Files with exif information. Duplicates %d. Removed %d",
                      pictureCount, duplicatesFound, removed);
}

}  // namespace lumora
