#include "albums/CEditAlbumDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "albums/AlbumEdit.h"
#include "albums/EditAlbumText.h"
#include "albums/StatusLine.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

// Leaving the dialog (Save Album, Discard, Esc and the close box) and the
// name and option controls whose values Save Album writes.

namespace lumora {

void CEditAlbumDialog::saveAlbum() {
    if (!saveButton_->isEnabled()) return;
    Album* current = album();
    if (!current) return;
    // With the default name taken the dates are not asked for: the main
    // window drops an album without both. An empty album is never saved.
    bool checkDates = true;
    if (nameBox_->text().isEmpty()) {
        if (prompter_.ask(kDefaultNameQuestion, kDefaultNameCaption, Buttons::YesNo,
                          Icon::Question) != kAnswerYes) {
            return;
        }
        nameBox_->setText(toQString(defaultAlbumName(*current)));
        checkDates = false;
    }
    Album candidate = *current;
    readControls(candidate);
    const std::optional<std::string> refusal =
        saveRefusal(candidate, counts_, startLabel_->text() != kNotSet,
                    endLabel_->text() != kNotSet, checkDates);
    if (refusal) {
        prompter_.ask(*refusal, "", Buttons::Ok, Icon::None);
        return;
    }
    // An open Advanced Filter window keeps its switches with the album when
    // it closes.
    readControls(*current);
    end_ = DialogEnd::Save;
    done(res::kIdOk);
}

void CEditAlbumDialog::readControls(Album& current) {
    current.addDate = addDate_->isChecked() ? 1 : 0;
    current.addTime = addTime_->isChecked() ? 1 : 0;
    current.addCameraModel = addCameraModel_->isChecked() ? 1 : 0;
    current.directoryName = toStdString(directoryBox_->text());
    current.name = toStdString(nameBox_->text());
    current.keepOriginalName = keepOriginalName_->isChecked() ? 1 : 0;
    current.createSubDirectory = createSubDirectory_->isChecked() ? 1 : 0;
}

void CEditAlbumDialog::discard() {
    if (workspace_.edit.editMode) {
        if (Album* current = album()) {
            current->startTime = current->startKey = workspace_.edit.openedStartTime;
            current->endTime = current->endKey = workspace_.edit.openedEndTime;
            current->pictureCount = openedCount_;
            current->sizeMB = openedSize_;
            // The filter window writes into the album as it goes; Discard
            // gives back the filter the album was opened with, as it gives
            // back its range and its pictures.
            current->filter = opened_.filter;
        }
    }
    end_ = DialogEnd::Discard;
    done(kDiscardResult);
}

bool CEditAlbumDialog::albumChanged() {
    Album* current = album();
    if (!current) return false;
    Album now = *current;
    readControls(now);
    return picturesToggled_ || albumEdited(opened_, now);
}

void CEditAlbumDialog::reject() {
    // Esc and the close box would throw away work without a word.
    if (albumChanged() && prompter_.ask(kDiscardChangesQuestion, "Edit Album", Buttons::YesNo,
                                        Icon::Question) != kAnswerYes) {
        return;
    }
    discard();
}

void CEditAlbumDialog::endAsDiscard() {
    status_->flush();
    discard();
}

void CEditAlbumDialog::albumNameChanged() {
    createSubDirectory_->setEnabled(!readOnly_ && !nameBox_->text().isEmpty());
}

// Written into the album by Save Album, so that Discard gives it back.
void CEditAlbumDialog::createSubDirectoryClicked() {
    if (readOnly_) return;
    const bool set = createSubDirectory_->isChecked();
    if (set) {
        nameBox_->setEnabled(true);
    } else if (keepOriginalName_->isChecked()) {
        nameBox_->setEnabled(false);
    }
}

void CEditAlbumDialog::keepOriginalNameClicked() {
    if (readOnly_) return;
    if (keepOriginalName_->isChecked() && !createSubDirectory_->isChecked()) {
        nameBox_->setEnabled(false);
    }
}

}  // namespace lumora
