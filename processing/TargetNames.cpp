#include "processing/TargetNames.h"

#include <cstring>

#include "albums/DateTimeText.h"
#include "albums/FieldText.h"
#include "platform/FileSystem.h"

namespace lumora {

namespace {

// The model as EXIF pads it, trimmed, with every character that no file
// system's names may hold as "_", so that the name is the same wherever the
// album is copied later.
std::string cameraModelPart(const ExifInfo& exif) {
    std::string model = trimmedFieldText(exif.CameraModel);
    if (model.empty()) return std::string();
    for (char& c : model) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || std::strchr("<>:\"/\\|?*", c) != nullptr) c = '_';
    }
    return " [" + model + "]";
}

}  // namespace

std::vector<std::string> albumFolders(const Album& album, const std::string& targetDirectory) {
    std::vector<std::string> folders;
    std::string folder = targetDirectory;
    if (hasAlbumFolder(album)) {
        folder = joinPath(folder, album.directoryName);
        folders.push_back(folder);
    }
    if (album.createSubDirectory) folders.push_back(joinPath(folder, albumSubFolderName(album)));
    return folders;
}

std::string albumTargetFolder(const Album& album, const std::string& targetDirectory) {
    const std::vector<std::string> folders = albumFolders(album, targetDirectory);
    return folders.empty() ? targetDirectory : folders.back();
}

std::string targetFileName(const Album& album, const PictureEntry& picture, int dateFormat,
                           int timeFormat) {
    const ExifInfo* exif = picture.exif.get();
    const int32_t pictureId = exif != nullptr ? exif->pictureId : 0;
    std::string name;
    if (exif != nullptr && exif->hasCustomName) {
        name.assign(exif->customName, strnlen(exif->customName, sizeof exif->customName));
    } else if (album.keepOriginalName) {
        name = fileTitle(picture.path);
    } else if (!album.name.empty()) {
        name = album.name + "-" + std::to_string(pictureId);
    } else {
        name = "album" + std::to_string(album.id) + "-" + std::to_string(pictureId);
    }
    if (album.addDate) name += " " + dateText(picture.dateTime, dateFormat);
    if (album.addTime) name += " " + timeText(picture.dateTime, timeFormat);
    if (album.addCameraModel && exif != nullptr) name += cameraModelPart(*exif);
    return name + ".jpg";
}

}  // namespace lumora
