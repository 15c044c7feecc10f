#include "session/SessionSave.h"

#include <algorithm>

#include "albums/PictureSort.h"
#include "session/SessionEncoder.h"
#include "session/SessionFile.h"

namespace lumora {

double totalMegabytes(const PictureList& pictures, bool withDuplicates) {
    constexpr double kMegabytesPerByte = 1.0 / (1024.0 * 1024.0);
    double total = 0.0;
    for (const PictureEntry& entry : pictures) {
        if (!withDuplicates && entry.isDuplicate != 0) continue;
        const auto low = static_cast<int32_t>(static_cast<uint32_t>(entry.fileSize & 0xFFFFFFFFu));
        total += static_cast<double>(low) * kMegabytesPerByte;
    }
    return total;
}

SessionData sessionForSave(const SessionValues& values, const AlbumList& albums,
                           PictureList& pictures, const PictureList& removedPictures,
                           const CameraClocks& clocks) {
    SessionData data;
    data.values = values;
    data.albums = albums;
    data.clocks = clocks;
    sortPictures(pictures, kSortByDate, false);
    data.pictureCount = static_cast<int32_t>(pictures.size());

    pictures.insert(pictures.end(), removedPictures.begin(), removedPictures.end());
    if (!clocks.empty()) applyCameraClocks(CameraClocks{}, pictures);
    sortPictures(pictures, kSortByDate, false);
    data.totalSize = totalMegabytes(pictures);
    data.pictures.reserve(pictures.size());
    for (const PictureEntry& entry : pictures) data.pictures.push_back(recordOf(entry));

    std::erase_if(pictures, [](const PictureEntry& entry) { return entry.isRemoved != 0; });
    if (!clocks.empty()) {
        applyCameraClocks(clocks, pictures);
        sortPictures(pictures, kSortByDate, false);
    }
    return data;
}

bool saveSession(FileSystem& fileSystem, const std::string& path, const SessionValues& values,
                 const AlbumList& albums, PictureList& pictures, const PictureList& removedPictures,
                 ErrorCode& error, const CameraClocks& clocks) {
    ReplacingFileWriter writer(fileSystem, path);
    if (!writer.open()) {
        error = writer.error();
        return false;
    }
    const SessionData data = sessionForSave(values, albums, pictures, removedPictures, clocks);
    if (!writer.commit(encodeSession(data))) {
        error = writer.error();
        return false;
    }
    error = kErrorSuccess;
    return true;
}

}  // namespace lumora
