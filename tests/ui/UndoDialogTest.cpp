// Utilities > "Undo last processing...": the run moved into the target goes
// back, the window's albums are unprocessed again, and the session file that
// marks them processed is offered to be updated.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "albums/FilmView.h"
#include "app/CUndoDialog.h"
#include "app/UndoCommands.h"
#include "processing/JournalFormat.h"
#include "res/ResourceIds.h"
#include "samples/SampleGenerator.h"
#include "session/SessionLoad.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/ScriptedShell.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"
#include "tests/ui/DrivenMainDialog.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::controlById;

using test::AgreeingPrompter;

using test::filesBelow;

// The main window whose undo dialog is looked at, pressed "Undo" in, and
// looked at again.
class UndoingMainDialog : public test::DrivenMainDialog {
  public:
    using DrivenMainDialog::DrivenMainDialog;
    QString before, after;
    QStringList steps;
    int widestStep = 0;       // the widest step line, in pixels
    int visibleWidth = 0;     // what the list shows of a line, scrolled all the way

  protected:
    int runDialog(QDialog& dialog) override {
        auto* undo = dynamic_cast<CUndoDialog*>(&dialog);
        if (undo == nullptr) return DrivenMainDialog::runDialog(dialog);
        before = controlById<QLabel>(*undo, res::kIdUndoSummary)->text();
        controlById<QPushButton>(*undo, res::kIdUndoRun)->click();
        after = controlById<QLabel>(*undo, res::kIdUndoSummary)->text();
        auto* list = controlById<QListWidget>(*undo, res::kIdUndoSteps);
        for (int i = 0; i < list->count(); ++i) steps << list->item(i)->text();
        undo->show();
        list->doItemsLayout();
        QCoreApplication::processEvents();
        for (const QString& step : steps)
            widestStep = std::max(widestStep, list->fontMetrics().horizontalAdvance(step));
        visibleWidth = list->viewport()->width() + list->horizontalScrollBar()->maximum();
        undo->hide();
        return QDialog::Accepted;
    }
};

TEST(UndoDialog, movesTheRunBackUnprocessesItsAlbumAndUpdatesTheSession) {
    test::TzGuard zone{"UTC0"};
    test::TempDir dir;
    const std::string source = dir.file("card");
    samples::SampleOptions options;
    options.count = 12;
    samples::SampleCounts counts;
    std::string error;
    ASSERT_TRUE(samples::writeSamples(source, options, counts, error)) << error;
    const std::map<std::string, std::string> card = filesBelow(source);
    const std::string target = dir.makeDir("albums");
    const std::string session = dir.file("trip.lsn");

    Workspace workspace;
    AgreeingPrompter prompter;
    test::ScriptedShell shell;
    UndoingMainDialog window(workspace, prompter, shell);
    shell.folder(source);
    window.selectSource();
    window.editAlbum = [&](CEditAlbumDialog& edit) {
        edit.film()->selectRow(0);
        edit.setStartDate();
        edit.film()->selectRow(3);
        edit.setEndDate();
        edit.saveAlbum();
    };
    window.startFromPositive();
    ASSERT_EQ(workspace.albums.size(), 1u);
    shell.saveFile(session);
    window.saveSession();
    shell.folder(target);
    window.selectTarget();
    workspace.moveMode = 1;
    window.process();
    ASSERT_EQ(workspace.albums[0].processed, 1);
    ASSERT_NE(filesBelow(source), card);
    // Saved after the run: the session marks the album processed.
    shell.saveFile(session);
    window.saveSession();

    prompter.asked.clear();
    auto* item = window.findChild<QAction*>(idName(res::kCmdUndoProcessing));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Undo last processing...");
    item->trigger();

    EXPECT_TRUE(
        window.before.contains("Undo will: 4 pictures moved back, 0 copies removed, "
                               "1 folder removed."))
        << window.before.toStdString();
    EXPECT_TRUE(
        window.after.contains("\n\nUndone: 4 pictures moved back, 0 copies removed, 1 "
                              "folder removed. 1 album is unprocessed again"))
        << window.after.toStdString();
    EXPECT_EQ(window.steps.size(), 5);
    // Every line can be read whole: the list scrolls sideways as far as the
    // widest one reaches.
    EXPECT_GE(window.visibleWidth, window.widestStep);
    EXPECT_TRUE(window.steps.front().startsWith("move back: "));
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].rfind("Undo the run of ", 0), 0u);
    EXPECT_EQ(prompter.asked[1], "The session file " + session +
                                     " still marks 1 album of the run processed. Clear those "
                                     "marks in it (nothing else in it changes)?");

    EXPECT_EQ(filesBelow(source), card);
    std::vector<std::string> inTarget;
    for (const auto& entry : fs::directory_iterator(target))
        inTarget.push_back(entry.path().filename().string());
    EXPECT_EQ(inTarget, std::vector<std::string>{kJournalFolderName});
    EXPECT_EQ(workspace.albums[0].processed, 0);
    auto* details = controlById<QListWidget>(window, res::kIdAlbumDetails);
    controlById<QListWidget>(window, res::kIdAlbumList)->setCurrentRow(0);
    window.showAlbumDetails();
    bool saysNotProcessed = false;
    for (int i = 0; i < details->count(); ++i)
        saysNotProcessed |= details->item(i)->text() == "Album status: Not processed yet";
    EXPECT_TRUE(saysNotProcessed);
    SessionData data;
    ErrorCode readError = kErrorSuccess;
    std::string problem;
    ASSERT_TRUE(readSessionFile(realFileSystem(), session, data, readError, problem)) << problem;
    EXPECT_EQ(data.albums[0].processed, 0);
}

TEST(UndoDialog, saysSoWhenTheTargetHoldsNoJournal) {
    test::TempDir dir;
    Workspace workspace;
    test::ScriptedPrompter prompter;
    prompter.expect(kNoJournalText, kUndoCaption, Buttons::Ok, kAnswerOk);
    test::ScriptedShell shell;
    UndoingMainDialog window(workspace, prompter, shell);
    window.undoLastProcessing();
    EXPECT_TRUE(window.before.isEmpty());
}

}  // namespace
}  // namespace lumora
