#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "app/Workspace.h"
#include "platform/Prompter.h"
#include "processing/RunUndo.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace lumora {

// "Undo last processing": what undoing the run of a journal will do (so
// many pictures moved back, copies removed, folders removed) with every
// step below; "Undo" asks, takes the run back and lists what was left and
// why; the run's albums are then unprocessed in the workspace, and a session
// file that still marks them processed is offered to be updated. "Forget"
// deletes the journal and what its replaces set aside.
class CUndoDialog : public QDialog {
  public:
    CUndoDialog(Workspace& workspace, std::string journal, Prompter& prompter,
                QWidget* parent = nullptr);

    void undo();
    void forget();

    // How many albums the undo made unprocessed again.
    int albumsUnprocessed() const { return albumsUnprocessed_; }

  private:
    void showSteps(const std::vector<UndoStep>& steps);
    void offerSessionUpdate();

    Workspace& workspace_;
    std::string journal_;
    Prompter& prompter_;
    UndoPlan plan_;
    int albumsUnprocessed_ = 0;
    QString origin_;  // which run, where, and its journal: the summary's first lines
    QLabel* summary_ = nullptr;
    QListWidget* steps_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* forget_ = nullptr;
};

}  // namespace lumora
