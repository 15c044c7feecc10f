#pragma once

#include <QComboBox>
#include <QDialog>

#include "platform/Time.h"

namespace lumora {

// "Date and Time format": lists the clock's now in every date format and
// every time format and lets the user pick one of each. exec() returns
// QDialog::Accepted on "Save"; dateFormat() and timeFormat() are then the
// chosen 1-based format numbers.
class CTimeFormatDialog : public QDialog {
    Q_OBJECT

  public:
    CTimeFormatDialog(int dateFormat, int timeFormat, const Clock& clock,
                      QWidget* parent = nullptr);

    // The selected entries plus 1: 0 when a list has no selection (a format
    // number outside the lists opens with none selected).
    int dateFormat() const;
    int timeFormat() const;

  private slots:
    void onSave();
    void onDiscard();

  private:
    QComboBox* dateList_;
    QComboBox* timeList_;
};

}  // namespace lumora
