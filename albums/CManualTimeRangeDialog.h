#pragma once

#include <QDateEdit>
#include <QDialog>
#include <QTimeEdit>

#include "albums/Album.h"
#include "albums/FilmSelection.h"
#include "albums/ManualRange.h"
#include "platform/Time.h"

namespace lumora {

// "Manual Time Range Settings": the album's start and end set by date and
// time pickers instead of by film pictures. "OK" writes the album's
// startTime, endTime, startKey and endKey from the two date pickers, each
// with the time of day it was given when the dialog opened; the time
// pickers only show that time. "Cancel" changes nothing.
class CManualTimeRangeDialog : public QDialog {
    Q_OBJECT

  public:
    CManualTimeRangeDialog(Album& album, const FilmList& film, const Clock& clock,
                           QWidget* parent = nullptr);

    void ok();
    void cancel();

  private:
    Album& album_;
    const Clock& clock_;
    ManualRangePresets presets_;
    QDateEdit* startDate_;
    QTimeEdit* startTime_;
    QDateEdit* endDate_;
    QTimeEdit* endTime_;
};

}  // namespace lumora
