#pragma once

#include <QDialog>

#include "app/CameraClockTable.h"
#include "app/ClockStrip.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace lumora {

// "Match to a picture": the user picks a picture of one camera and a
// picture of another camera, taken as right, that show the same moment;
// OK sets the first camera's correction in the table to what makes the
// two times equal.
class CClockMatchDialog : public QDialog {
  public:
    CClockMatchDialog(CameraClockTable& table, size_t row, const ThumbnailSource& thumbnails,
                      int dateFormat, int timeFormat, QWidget* parent = nullptr);

    // The reference camera's row is chosen by the index into the combo box.
    void referenceCameraChosen(int index);
    // The correction the chosen pictures give; shown, and set on OK.
    void showOffset();
    void accept() override;

  private:
    // The table rows of the other cameras, in the combo box's order.
    std::vector<size_t> referenceRows_;
    CameraClockTable& table_;
    size_t row_;
    ClockStrip* ownStrip_;
    ClockStrip* referenceStrip_;
    QComboBox* referenceCamera_;
    QLabel* offset_;
    QPushButton* ok_;
};

}  // namespace lumora
