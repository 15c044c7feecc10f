#pragma once

#include <QDateEdit>
#include <QDialog>
#include <QTimeEdit>

#include "albums/Album.h"
#include "albums/FilmSelection.h"
#include "albums/ManualRange.h"
#include "platform/Prompter.h"

namespace lumora {

// "Manual Time Range Settings": the album's start and end set by date and
// time pickers instead of by film pictures. "OK" writes the album's
// startTime, endTime, startKey and endKey from each group's date and time
// picker, text typed into them included; a start later than the end is
// refused with a message and the dialog stays open. "Cancel" changes
// nothing.
class CManualTimeRangeDialog : public QDialog {
    Q_OBJECT

  public:
    CManualTimeRangeDialog(Album& album, const FilmList& film, Prompter& prompter,
                           QWidget* parent = nullptr);

    void ok();
    void cancel();

  private:
    Album& album_;
    Prompter& prompter_;
    ManualRangePresets presets_;
    QDateEdit* startDate_;
    QTimeEdit* startTime_;
    QDateEdit* endDate_;
    QTimeEdit* endTime_;
};

}  // namespace lumora
