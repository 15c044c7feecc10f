#include "albums/CEditAlbumDialog.h"

#include <QLabel>
#include <QPushButton>

#include "albums/CManualTimeRangeDialog.h"
#include "albums/DateTimeText.h"
#include "albums/EditAlbumText.h"
#include "albums/FilmRange.h"
#include "albums/FilmView.h"
#include "albums/ManualRange.h"
#include "platform/QtText.h"

// The album's range: Set Start Date, Set End Date, the two Clear buttons and
// the manual time range.

namespace lumora {

void CEditAlbumDialog::setStartDate() {
    setStart(true);
}

void CEditAlbumDialog::setEndDate() {
    setEnd(true);
}

bool CEditAlbumDialog::setStart(bool fromSelection) {
    return setRangeEnd(true, fromSelection);
}

bool CEditAlbumDialog::setEnd(bool fromSelection) {
    return setRangeEnd(false, fromSelection);
}

// Start and end are set alike: from the selected film picture, or from the
// film's earliest (start) or latest (end) picture, whatever the film's order;
// a choice on the wrong side of the other end is refused.
bool CEditAlbumDialog::setRangeEnd(bool start, bool fromSelection) {
    if (readOnly_) return false;
    selectFilm();
    Album* current = album();
    const FilmList& film = workspace_.film;
    if (!current || film.empty()) return false;
    const int position = fromSelection ? filmView_->lastSelectedRow() : -1;
    if (position >= static_cast<int>(film.size())) return false;
    QLabel* label = start ? startLabel_ : endLabel_;
    const bool otherSet = (start ? endLabel_ : startLabel_)->text() != kNotSet;
    uint64_t value = 0;
    if (position < 0) {
        const TimeSpan span = filmSpan(film, SpanOf::EveryPicture).value_or(TimeSpan{});
        value = start ? span.earliest : span.latest;
    } else {
        value = film[static_cast<size_t>(position)].dateTime;
        const bool wrongSide = start ? value > current->endKey : value < current->startKey;
        if (otherSet && wrongSide) {
            prompter_.ask(start ? "Start Date could not be later than end date."
                                : kStartAfterEndText,
                          "", Buttons::Ok, Icon::None);
            return false;
        }
    }
    label->setText(toQString(
        dateTimeText(value, workspace_.dateFormat, workspace_.timeFormat)));
    (start ? clearStartButton_ : clearEndButton_)->setEnabled(true);
    if (start) {
        current->startTime = current->startKey = value;
    } else {
        current->endTime = current->endKey = value;
    }
    const bool imagesExist = workspace_.filmBuilt != 0 && !filmImages_.empty();
    if (otherSet && (position >= 0 || imagesExist)) buildFilm();
    return true;
}

void CEditAlbumDialog::clearStart() {
    Album* current = album();
    if (readOnly_ || !current || current->startKey == 0) return;
    current->startKey = 0;
    current->startTime = 0;
    startLabel_->setText(kNotSet);
    buildFilm();
    clearStartButton_->setEnabled(false);
}

void CEditAlbumDialog::clearEnd() {
    Album* current = album();
    if (readOnly_ || !current || current->endKey == 0) return;
    current->endKey = 0;
    current->endTime = 0;
    endLabel_->setText(kNotSet);
    buildFilm();
    clearEndButton_->setEnabled(false);
}

void CEditAlbumDialog::manualTimeRange() {
    Album* current = album();
    if (readOnly_ || !current) return;
    CManualTimeRangeDialog dialog(*current, workspace_.film, prompter_, this);
    if (runDialog(dialog) != QDialog::Accepted) return;
    current = album();
    startLabel_->setText(toQString(dateTimeText(current->startTime, workspace_.dateFormat,
                                                workspace_.timeFormat)));
    endLabel_->setText(toQString(dateTimeText(current->endTime, workspace_.dateFormat,
                                              workspace_.timeFormat)));
    clearStartButton_->setEnabled(true);
    clearEndButton_->setEnabled(true);
    buildFilm();
}
}  // namespace lumora
