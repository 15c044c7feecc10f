#include "app/CCameraClocksDialog.h"
#include "app/CMainDialog.h"

namespace lumora {

void CMainDialog::cameraClocks() {
    // The film's thumbnails when it was built, else made for the strips.
    const auto thumbnails = [this](const PictureEntry& picture) {
        const int32_t index = picture.exif ? picture.exif->thumbnailIndex : -1;
        if (workspace_.filmBuilt != 0 && index >= 0 &&
            static_cast<size_t>(index) < filmImages_.size() &&
            !filmImages_[static_cast<size_t>(index)].isNull()) {
            return filmImages_[static_cast<size_t>(index)];
        }
        return madeThumbnail(workspace_.catalog.fileSystem(), picture);
    };
    CCameraClocksDialog dialog(workspace_, prompter_, thumbnails, this);
    if (runDialog(dialog) == QDialog::Accepted) refreshAlbumList();
}

}  // namespace lumora
