#pragma once

#include <QDialog>

#include "app/CameraClockTable.h"
#include "app/ClockStrip.h"
#include "app/Workspace.h"
#include "platform/Prompter.h"

class QComboBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace lumora {

// "Camera clocks": every camera of the picture list with its picture count
// and first and last picture time, and for the one selected its clock
// correction (sign, days, hours, minutes, seconds), set by hand or matched
// to a picture of another camera. OK puts the corrections in force.
class CCameraClocksDialog : public QDialog {
  public:
    CCameraClocksDialog(Workspace& workspace, Prompter& prompter, ThumbnailSource thumbnails,
                        QWidget* parent = nullptr);

    // The selected camera changed: its correction goes into the editors.
    void cameraSelected();
    // An editor changed: the selected camera's correction follows.
    void offsetEdited();
    // "Match to a picture...".
    void matchToPicture();
    // OK: the corrections are put in force (asking when albums would lose
    // pictures); the dialog stays open when that was declined.
    void accept() override;

    CameraClockTable& table() { return table_; }

  protected:
    // Runs the matching dialog; tests look at it instead.
    virtual int runMatchDialog(QDialog& dialog);

  private:
    int selectedRow() const;
    void showRow(int row);
    void showEditors(int64_t seconds);

    Workspace& workspace_;
    Prompter& prompter_;
    ThumbnailSource thumbnails_;
    CameraClockTable table_;
    bool showing_ = false;  // editors being filled, not edited
    QTreeWidget* list_;
    QComboBox* sign_;
    QSpinBox* days_;
    QSpinBox* hours_;
    QSpinBox* minutes_;
    QSpinBox* seconds_;
    QPushButton* match_;
};

}  // namespace lumora
