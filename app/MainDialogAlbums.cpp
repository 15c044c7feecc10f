// The main window's album commands, its album list and the selected album's
// details.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "albums/CEditAlbumDialog.h"
#include "albums/FilmImages.h"
#include "albums/Thumbnail.h"
#include "app/AlbumDetailsText.h"
#include "app/AlbumListText.h"
#include "app/CMainDialog.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtProgress.h"
#include "platform/QtText.h"

namespace lumora {

int CMainDialog::selectedAlbumIndex() const {
    const QList<QListWidgetItem*> selected = albumList_->selectedItems();
    return selected.isEmpty() ? -1 : albumList_->row(selected.front());
}

void CMainDialog::startFromPositive() {
    startNewAlbum(0);
}

void CMainDialog::startFromNegative() {
    startNewAlbum(1);
}

void CMainDialog::bannerClicked() {
    if (workspace_.sourceText == kNotSelectedText) {
        tell("Please select a source folder first.");
        return;
    }
    startFromPositive();
}

void CMainDialog::startNewAlbum(int32_t negative) {
    if (!workspace_.startNewAlbum(negative, prompter_)) return;
    runAlbumDialog();
}

void CMainDialog::editSelectedAlbum() {
    if (!workspace_.startEditAlbum(selectedAlbumIndex(), prompter_)) return;
    runAlbumDialog();
}

void CMainDialog::runAlbumDialog() {
    const DialogEnd end = openEditAlbumDialog();
    workspace_.finishAlbumDialog(end, prompter_);
    refreshAlbumList();
    showTexts();
}

DialogEnd CMainDialog::openEditAlbumDialog() {
    CEditAlbumDialog dialog(workspace_, filmImages_, prompter_, this);
    runDialog(dialog);
    return dialog.end();
}

void CMainDialog::albumSelectionChanged() {
    showAlbumDetails();
}

void CMainDialog::deleteSelectedAlbum() {
    const int index = selectedAlbumIndex();
    if (index < 0) {
        deleteAlbum_->setEnabled(false);
        return;
    }
    bool deleted = false;
    {
        // Re-making the thumbnails of thousands of pictures takes a while.
        BusyLabelProgress progress(statusText_);
        deleted = workspace_.deleteAlbumAt(index, prompter_, progress);
    }
    // The status line shows the scan's outcome again.
    showTexts();
    if (!deleted) return;
    // The album that takes its row, or the new last one, is selected next.
    refreshAlbumList();
}

bool CMainDialog::remakeFilmThumbnail(const PictureEntry& picture, bool negative,
                                      RemakeReason reason) {
    // Without a film image list there is nothing to re-make: the next film
    // build makes every thumbnail with its picture's polarity mark.
    if (workspace_.filmBuilt == 0 || !picture.exif) return true;
    const int32_t index = picture.exif->thumbnailIndex;
    if (index < 0 || static_cast<size_t>(index) >= filmImages_.size()) return true;
    ThumbnailOptions options;
    options.negative = negative;
    options.scaling = reason == RemakeReason::DiscardEdited ? ThumbnailScaling::QIShrink
                                                            : ThumbnailScaling::Resample;
    options.upright = true;
    Image thumbnail;
    if (makeThumbnail(workspace_.catalog.fileSystem(), picture, options, nullProgress(),
                      thumbnail) != ThumbnailResult::Made) {
        return false;
    }
    QImage& bitmap = filmImages_[static_cast<size_t>(index)];
    bitmap = makeBitmap(thumbnail);
    setShownNegative(bitmap, negative);
    return true;
}

// The album list and details.

// The details always belong to the highlighted album: an album that shows
// selected with no details could not be clicked into showing them, as the
// click changes no selection.
void CMainDialog::refreshAlbumList() {
    const int remembered = selectedAlbumIndex();
    {
        // Changes made here are not the user's selection.
        const QSignalBlocker blocker(albumList_);
        albumList_->clear();
        for (const std::string& line : albumListLines(workspace_.albums)) {
            albumList_->addItem(toQString(line));
        }
        if (remembered >= 0 && albumList_->count() > 0) {
            albumList_->setCurrentRow(std::min(remembered, albumList_->count() - 1));
        }
    }
    summaryText_->setText(toQString(
        albumSummaryText(workspace_.albums, static_cast<int>(workspace_.pictures().size()))));
    saveSession_->setEnabled(!workspace_.albums.empty());
    showAlbumDetails();
}

void CMainDialog::showAlbumDetails() {
    albumDetails_->clear();
    const int index = selectedAlbumIndex();
    const bool shown = index >= 0 && static_cast<size_t>(index) < workspace_.albums.size();
    deleteAlbum_->setEnabled(shown);
    if (!shown) return;
    const Album& album = workspace_.albums[static_cast<size_t>(index)];
    for (const std::string& line : albumDetailsLines(
             album, workspace_.targetText, workspace_.dateFormat, workspace_.timeFormat,
             albumCompanions(workspace_.pictures(), album.id, workspace_.catalog.fileSystem()))) {
        albumDetails_->addItem(toQString(line));
    }
}

}  // namespace lumora
