#include "albums/CEditAlbumDialog.h"

#include <QLineEdit>
#include <QListWidget>

#include "albums/CLargeImageDialog.h"
#include "albums/CustomName.h"
#include "albums/EditAlbumText.h"
#include "albums/FilmImages.h"
#include "albums/FilmLabel.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "albums/PictureInfoText.h"
#include "albums/StatusLine.h"
#include "platform/QtText.h"

// The film's commands: showing the selected picture, the large viewer,
// leaving a picture out or taking it in, and naming a picture on its label.

namespace lumora {

void CEditAlbumDialog::showPicture(int position) {
    const FilmList& film = workspace_.film;
    if (position < 0 || static_cast<size_t>(position) >= film.size()) {
        pathBox_->setText(kPictureNotSelected);
        return;
    }
    const PictureEntry& picture = film[static_cast<size_t>(position)];
    pathBox_->setText(pathToQString(picture.path));
    pictureInfo_->clear();
    if (!picture.exif) return;
    for (const std::string& line :
         pictureInfoLines(picture, workspace_.dateFormat, workspace_.timeFormat)) {
        pictureInfo_->addItem(toQString(line));
    }
}

void CEditAlbumDialog::filmClicked() {
    showPicture(filmView_->lastSelectedRow());
}

void CEditAlbumDialog::filmSelectionChanged() {
    const int position = filmView_->lastSelectedRow();
    if (position < 0) {
        pathBox_->setText(kPictureNotSelected);
        return;
    }
    // The path and Picture Info follow every selection, the keyboard's too;
    // the open viewer moves only when the picture is not already its own.
    showPicture(position);
    if (viewer_ && position != CLargeImageDialog::viewerIndex()) {
        viewer_->follow(workspace_.film, position);
    }
}

void CEditAlbumDialog::filmRightDoubleClicked() {
    const int position = filmView_->lastSelectedRow();
    if (position < 0 || static_cast<size_t>(position) >= workspace_.film.size()) return;
    if (!viewer_) {
        viewer_ = new CLargeImageDialog(workspace_.catalog.fileSystem(), this);
        connect(viewer_, &CLargeImageDialog::closed, this, [this] { viewer_ = nullptr; });
        connect(viewer_, &CLargeImageDialog::stepAsked, this,
                [this](int row) { filmView_->selectRow(row); });
    }
    viewer_->openAt(workspace_.film, position);
}

bool CEditAlbumDialog::toggleThumbnail(const PictureEntry& picture, bool negative, bool& stop) {
    if (workspace_.filmBuilt == 0 || filmImages_.empty() || !picture.exif) return true;
    ThumbnailOptions options;
    options.negative = negative;
    options.notice = ResampleNotice::OneSideOnly;
    options.upright = true;
    Image thumbnail;
    const ThumbnailResult result =
        makeThumbnail(workspace_.catalog.fileSystem(), picture, options, *status_, thumbnail);
    if (result == ThumbnailResult::Made) {
        imageList_->showNegative(negative);
        imageList_->replace(picture.exif->thumbnailIndex, thumbnail);
        return true;
    }
    // OK on the disk error leaves the picture as it was; anything else ends
    // the dialog as Discard.
    if (result == ThumbnailResult::Unreadable) {
        stop = flushingPrompter_->ask(diskErrorText(picture.path), kDiskErrorCaption,
                                      Buttons::OkCancel, Icon::None) != kAnswerOk;
        return false;
    }
    acceptThumbnail(result, picture, negative, *flushingPrompter_, thumbnail);
    stop = true;
    return false;
}

void CEditAlbumDialog::filmDoubleClicked() {
    const int position = filmView_->lastSelectedRow();
    if (position >= 0) togglePictures({position});
}

void CEditAlbumDialog::toggleSelectedPictures() {
    togglePictures(filmView_->selectedRows());
}

void CEditAlbumDialog::togglePictures(const std::vector<int>& positions) {
    Album* current = album();
    if (readOnly_ || positions.empty() || !current) return;
    bool stop = false;
    const RemakeThumbnail remake = [this, &stop](const PictureEntry& picture, bool negative,
                                                 RemakeReason) {
        return toggleThumbnail(picture, negative, stop);
    };
    // Film positions hold until the film is selected again, after them all.
    bool toggled = false;
    for (const int position : positions) {
        if (toggleFilmPicture(workspace_.film, static_cast<size_t>(position), *current, remake)) {
            toggled = true;
        } else if (stop) {
            endAsDiscard();
            return;
        }
    }
    if (!toggled) return;
    picturesToggled_ = true;
    selectFilm();
    filmModel_->refreshItems();
    showOverallStatus();
}

void CEditAlbumDialog::labelEditBegan(int, const QString& text) {
    rememberedLabel_ = toStdString(text);
}

void CEditAlbumDialog::labelEditEnded(int row, const QString& text) {
    FilmList& film = workspace_.film;
    if (row < 0 || static_cast<size_t>(row) >= film.size()) return;
    PictureEntry& picture = film[static_cast<size_t>(row)];
    const Album* current = album();
    if (!picture.exif || (current && current->processed)) return;
    const NameEdit outcome = applyNameEdit(*picture.exif, rememberedLabel_, toStdString(text));
    rememberedLabel_.clear();
    if (outcome == NameEdit::Unchanged) return;
    if (outcome == NameEdit::Refused) {
        prompter_.ask(kCustomNameRefusedText, kCustomNameCaption, Buttons::Ok, Icon::Warning);
        return;
    }
    filmModel_->setItemText(row, editedFilmLabel(row + 1, picture, workspace_.dateFormat,
                                                 workspace_.timeFormat));
}
}  // namespace lumora
