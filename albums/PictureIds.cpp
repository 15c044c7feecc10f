#include "albums/PictureIds.h"

namespace lumora {

void assignPictureIds(PictureList& pictures) {
    int32_t position = 0;
    for (PictureEntry& entry : pictures) {
        if (entry.exif) {
            if (entry.exif->pictureId == -1) entry.exif->pictureId = position;
            entry.exif->thumbnailIndex = position;
        }
        ++position;
    }
}

}  // namespace lumora
