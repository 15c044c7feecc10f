#include "albums/CEditAlbumDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "albums/EditAlbumText.h"
#include "albums/StatusLine.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

// Leaving the dialog (Save Album, Discard, Esc and the close box) and the
// name and option controls whose values Save Album writes.

namespace lumora {

void CEditAlbumDialog::saveAlbum() {
    if (!saveButton_->isEnabled()) return;
    if (nameBox_->text().isEmpty()) {
        if (prompter_.ask("Pictures base name not set. Use default name?", "Picture Name",
                          Buttons::YesNo, Icon::Question) != kAnswerYes) {
            return;
        }
    } else {
        const bool startSet = startLabel_->text() != kNotSet;
        const bool endSet = endLabel_->text() != kNotSet;
        const char* refusal = nullptr;
        if (counts_.filmCount == counts_.excludedCount) {
            refusal = "Album empty. Album will not be saved. Select 'Discard' to exit";
        } else if (!startSet && !endSet) {
            refusal =
                "Start or end date not set. Album will not be saved. Select 'Discard' to exit";
        } else if (!startSet) {
            refusal = "Start date not set. Album will not be saved. Select 'Discard' to exit";
        } else if (!endSet) {
            refusal = "End date not set. Album will not be saved. Select 'Discard' to exit";
        }
        if (refusal) {
            prompter_.ask(refusal, "", Buttons::Ok, Icon::None);
            return;
        }
    }
    // An open Advanced Filter window keeps its switches with the album when
    // it closes.
    Album* current = album();
    if (current) readControls(*current);
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
}

void CEditAlbumDialog::discard() {
    if (workspace_.edit.editMode) {
        if (Album* current = album()) {
            current->startTime = current->startKey = workspace_.edit.openedStartTime;
            current->endTime = current->endKey = workspace_.edit.openedEndTime;
            current->pictureCount = openedCount_;
            current->sizeMB = openedSize_;
        }
    }
    end_ = DialogEnd::Discard;
    done(kDiscardResult);
}

void CEditAlbumDialog::reject() {
    discard();
}

void CEditAlbumDialog::endAsDiscard() {
    status_->flush();
    discard();
}

void CEditAlbumDialog::albumNameChanged() {
    createSubDirectory_->setEnabled(!nameBox_->text().isEmpty());
}

void CEditAlbumDialog::createSubDirectoryClicked() {
    const bool set = createSubDirectory_->isChecked();
    if (Album* current = album()) current->createSubDirectory = set ? 1 : 0;
    if (set) {
        nameBox_->setEnabled(true);
    } else if (keepOriginalName_->isChecked()) {
        nameBox_->setEnabled(false);
    }
}

void CEditAlbumDialog::keepOriginalNameClicked() {
    if (keepOriginalName_->isChecked() && !createSubDirectory_->isChecked()) {
        nameBox_->setEnabled(false);
    }
}

}  // namespace lumora
