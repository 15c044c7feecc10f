#pragma once

#include <QDateEdit>
#include <QDialog>
#include <QTimeEdit>

#include "albums/Album.h"
#include "albums/FilmSelection.h"
#include "albums/ManualRange.h"
#include "platform/QtPrompter.h"
#include "platform/Time.h"

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
    // The refusal is shown in the desktop's own message box; the clock is
    // not used.
    CManualTimeRangeDialog(Album& album, const FilmList& film, const Clock& clock,
                           QWidget* parent = nullptr);

    void ok();
    void cancel();

  private:
    // prompter null: the dialog's own message box.
    CManualTimeRangeDialog(Album& album, const FilmList& film, Prompter* prompter,
                           QWidget* parent);

    Album& album_;
    QtPrompter ownPrompter_;
    Prompter* prompter_;
    ManualRangePresets presets_;
    QDateEdit* startDate_;
    QTimeEdit* startTime_;
    QDateEdit* endDate_;
    QTimeEdit* endTime_;
};

}  // namespace lumora
