#include "app/CUndoDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/UndoCommands.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {

CUndoDialog::CUndoDialog(Workspace& workspace, std::string journal, Prompter& prompter,
                         QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      journal_(std::move(journal)),
      prompter_(prompter),
      plan_(planUndo(workspace.catalog.fileSystem(), journal_)) {
    setWindowTitle(QString::fromUtf8(kUndoCaption));

    summary_ = new QLabel(this);
    setControlId(*summary_, res::kIdUndoSummary);
    summary_->setWordWrap(true);
    summary_->setTextFormat(Qt::PlainText);
    steps_ = new QListWidget(this);
    setControlId(*steps_, res::kIdUndoSteps);
    // Each line laid out at its own width, so the list scrolls sideways to the
    // end of the longest path (with one size for all, every line was cut at
    // the list's width).
    steps_->setUniformItemSizes(false);

    undo_ = new QPushButton(QStringLiteral("Undo"), this);
    setControlId(*undo_, res::kIdUndoRun);
    forget_ = new QPushButton(QStringLiteral("Forget"), this);
    setControlId(*forget_, res::kIdUndoForget);
    forget_->setToolTip(QStringLiteral(
        "Delete the journal and the files its replaces set aside; the run can no longer be "
        "undone"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    setControlId(*close, res::kIdOk);
    close->setDefault(true);
    connect(undo_, &QPushButton::clicked, this, &CUndoDialog::undo);
    connect(forget_, &QPushButton::clicked, this, &CUndoDialog::forget);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    const RunJournalContents& run = plan_.journal;
    origin_ = toQString("Run of " + run.started + ": " + (run.moveMode == 1 ? "moved" : "copied") +
                        " into " + run.target + "\nJournal: " + journal_ + "\n\n");
    if (!plan_.refusal.empty()) {
        summary_->setText(toQString(plan_.refusal));
        undo_->setEnabled(false);
        forget_->setEnabled(false);
    } else if (plan_.alreadyUndone) {
        summary_->setText(origin_ + toQString(alreadyUndoneText(journal_)));
        undo_->setEnabled(false);
    } else {
        summary_->setText(origin_ + toQString("Undo will: " + undoCountsText(countPlan(plan_)) +
                                              ". Every step is listed below."));
        showSteps(plan_.steps);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(undo_);
    buttons->addWidget(forget_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(steps_, 1);
    layout->addLayout(buttons);
    resize(720, 380);
}

void CUndoDialog::showSteps(const std::vector<UndoStep>& steps) {
    steps_->clear();
    for (const UndoStep& step : steps) steps_->addItem(pathToQString(describeUndoStep(step)));
}

void CUndoDialog::undo() {
    if (prompter_.ask(undoQuestionText(plan_), kUndoCaption, Buttons::YesNo, Icon::Question) !=
        kAnswerYes) {
        return;
    }
    const UndoResult result = executeUndo(workspace_.catalog.fileSystem(), plan_);
    showSteps(result.steps);
    std::string text = "Undone: " + undoCountsText(result) + ".";
    if (!result.left.empty()) {
        text += " " + std::to_string(result.left.size()) +
                " left as they were; the 'leave' lines below say why.";
    }
    if (!result.problem.empty()) text += " " + result.problem;
    albumsUnprocessed_ = unprocessRunAlbums(workspace_, plan_.journal);
    if (albumsUnprocessed_ > 0) {
        text += " " + std::to_string(albumsUnprocessed_) +
                (albumsUnprocessed_ == 1 ? " album is" : " albums are") +
                " unprocessed again and can be changed and processed anew.";
    }
    summary_->setText(origin_ + toQString(text));
    undo_->setEnabled(false);
    offerSessionUpdate();
}

void CUndoDialog::offerSessionUpdate() {
    FileSystem& fileSystem = workspace_.catalog.fileSystem();
    std::vector<int32_t> marked;
    const std::string session = sessionStillMarking(fileSystem, plan_.journal, marked);
    if (session.empty()) return;
    const std::string question =
        "The session file " + session + " still marks " + std::to_string(marked.size()) +
        (marked.size() == 1 ? " album" : " albums") +
        " of the run processed. Clear those marks in it (nothing else in it changes)?";
    if (prompter_.ask(question, kUndoCaption, Buttons::YesNo, Icon::Question) != kAnswerYes) return;
    int cleared = 0;
    std::string problem;
    if (!clearProcessedMarks(fileSystem, session, albumsOfRun(plan_.journal), cleared, problem))
        prompter_.ask(problem, kUndoCaption, Buttons::Ok, Icon::Error);
}

void CUndoDialog::forget() {
    if (prompter_.ask(forgetQuestionText(journal_), kUndoCaption, Buttons::YesNo, Icon::Question) !=
        kAnswerYes) {
        return;
    }
    std::string problem;
    if (!forgetJournal(workspace_.catalog.fileSystem(), journal_, problem)) {
        prompter_.ask(problem, kUndoCaption, Buttons::Ok, Icon::Error);
        return;
    }
    accept();
}

}  // namespace lumora
