#include "duplicates/DuplicateThumbnail.h"

#include "albums/Thumbnail.h"

namespace lumora {
namespace {

int orientationOf(const PictureList& pictures, const std::string& path) {
    for (const PictureEntry& picture : pictures) {
        if (picture.path == path && picture.exif != nullptr) return picture.exif->Orientation;
    }
    return 1;
}

}  // namespace

Image duplicateThumbnail(FileSystem& fileSystem, const PictureList& pictures,
                         const std::string& line) {
    if (line.empty()) return Image();
    Image picture(line, kFormatUnknown, fileSystem,
                  DecodeOptions{kThumbnailWidth, kThumbnailHeight});
    const int orientation = orientationOf(pictures, line);
    // A picture shown as stored is drawn stretched over the area as decoded;
    // one to be turned is brought to the cell first, and turned small.
    if (picture.IsValid() && orientation >= 2 && orientation <= 8 &&
        finishThumbnail(picture, ThumbnailOptions{}, nullProgress(), orientation) !=
            ThumbnailResult::Made) {
        picture.Destroy();
    }
    return picture;
}

}  // namespace lumora
