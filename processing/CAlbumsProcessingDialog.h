#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/Workspace.h"
#include "platform/Prompter.h"
#include "platform/QtProgress.h"

namespace lumora {

// "Albums Processing": checks the free space on the target once, when it is
// first shown, and says in its two status lines whether the albums fit;
// "Process" (enabled only when they do) copies or moves the unprocessed
// albums with both status lines and both bars showing the run, and is
// disabled afterwards. "Close Window" ends the dialog. The workspace's
// targetDirectory and moveMode must be set before it is shown.
class CAlbumsProcessingDialog : public QDialog {
    Q_OBJECT

  public:
    CAlbumsProcessingDialog(Workspace& workspace, Prompter& prompter, QWidget* parent = nullptr);

  public slots:
    // The free-space check; the first show runs it (queued, so that the
    // dialog is on the screen while it runs). Later calls do nothing.
    void onCheckFreeSpace();
    // "Process": one run over the albums.
    void onProcess();
    // "Close Window".
    void onCloseWindow();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    Workspace& workspace_;
    Prompter& prompter_;
    QLabel* firstStatus_;
    QProgressBar* albumBar_;
    QLabel* secondStatus_;
    QProgressBar* fileBar_;
    QPushButton* process_;
    LabelProgress upper_;
    LabelProgress lower_;
    bool checkQueued_ = false;
    bool checked_ = false;
    bool busy_ = false;
};

}  // namespace lumora
