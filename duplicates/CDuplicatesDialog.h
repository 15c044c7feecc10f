#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "platform/Prompter.h"
#include "platform/QtProgress.h"

namespace lumora {

// The framed picture area of the duplicates dialog. It keeps the bitmap it
// was given and paints it stretched over its whole inside at every repaint.
class ThumbnailArea : public QFrame {
    Q_OBJECT

  public:
    explicit ThumbnailArea(QWidget* parent = nullptr);
    void setBitmap(const QImage& bitmap);
    const QImage& bitmap() const { return bitmap_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage bitmap_;
};

// "Search for duplicates": analyses and compares the workspace's pictures,
// shows the duplicates in groups with a thumbnail of the selected one, takes
// single pictures out of the picture list, and on OK all duplicates when the
// exclude box is checked (the box is stored on OK only; Cancel keeps the
// setting as it was). The main window's summary and recount follow after
// exec() returns, whichever way it ended. While a pass runs no click or key
// reaches the dialog, and it cannot be closed.
class CDuplicatesDialog : public QDialog {
    Q_OBJECT

  public:
    CDuplicatesDialog(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);

  public slots:
    void onAnalize();
    void onCompare();
    void onSelectionChanged();
    void onRemoveSelected();
    void accept() override;
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void showLines();
    void showPlaceholder();
    std::string selectedLine() const;

    Workspace& workspace_;
    Prompter& prompter_;
    QLabel* status_;
    QPushButton* analize_;
    QProgressBar* bar_;
    QPushButton* compare_;
    QListWidget* list_;
    QCheckBox* exclude_;
    QLabel* viewerLabel_;
    ThumbnailArea* viewer_;
    QPushButton* remove_;
    LabelProgress progress_;
    QImage placeholder_;
    std::vector<std::string> lines_;
    bool busy_ = false;
};

}  // namespace lumora
