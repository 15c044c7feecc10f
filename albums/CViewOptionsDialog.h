#pragma once

#include <QComboBox>
#include <QDialog>
#include <QRadioButton>

#include "albums/ViewOptions.h"

namespace lumora {

// "Set view options": the film's order, by name or by date, ascending or
// descending. Every choice changes the options at once and sets
// viewOptionsChanged; exec() returns QDialog::Accepted on "Accept".
// "Discard" (and Esc) gives back the options the dialog opened with, so the
// film and every later sort keep their order.
class CViewOptionsDialog : public QDialog {
    Q_OBJECT

  public:
    CViewOptionsDialog(ViewOptions& options, QWidget* parent = nullptr);

    // The handlers of the controls.
    void byName();
    void byDate();
    void directionChosen();
    void acceptOptions();
    void discard();
    void reject() override;

  private:
    // Entry 0 sorts ascending, entry 1 descending; no entry leaves it.
    void applyDirection();
    // The controls show the options.
    void showOptions();

    ViewOptions& options_;
    ViewOptions opened_;
    QRadioButton* byName_;
    QRadioButton* byDate_;
    QComboBox* direction_;
};

}  // namespace lumora
