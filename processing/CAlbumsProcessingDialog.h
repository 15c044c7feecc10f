#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/Workspace.h"
#include "platform/Prompter.h"
#include "platform/QtProgress.h"
#include "processing/StopRequest.h"

namespace lumora {

inline constexpr const char* kStopAfterThisPictureText = "Stop after this picture?";

// "Albums Processing": checks the free space on the target once, when it is
// first shown, and says in its two status lines whether the albums fit;
// "Process" (enabled only when they do) copies or moves the unprocessed
// albums with both status lines and both bars showing the run, and is
// disabled afterwards. While a run goes on, "Stop" (and Esc or the close
// box, after asking) ends it after the picture it is working on; "Process"
// and "Close Window" do nothing then. "Close Window" ends the dialog. The workspace's
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
    // "Stop": the run ends after the picture it is working on.
    void onStop();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    // Esc or the close box during a run: asks whether to stop.
    void askToStop();

    Workspace& workspace_;
    Prompter& prompter_;
    QLabel* firstStatus_;
    QProgressBar* albumBar_;
    QLabel* secondStatus_;
    QProgressBar* fileBar_;
    QPushButton* process_;
    QPushButton* stop_;
    LabelProgress upper_;
    LabelProgress lower_;
    bool checkQueued_ = false;
    bool checked_ = false;
    bool busy_ = false;
    bool running_ = false;
    StopRequest stopRequest_;
};

}  // namespace lumora
