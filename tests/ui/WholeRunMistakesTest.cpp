// Ordinary mistakes along a whole run through the windows: a folder chooser
// cancelled after the warning, and sessions that cannot be loaded (a source
// with one picture more, a damaged file, a cancelled file dialog). Each must
// leave everything the window shows and holds as it was; the session then
// loads once the source is as it was saved.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "albums/CEditAlbumDialog.h"
#include "albums/FilmView.h"
#include "app/CMainDialog.h"
#include "app/SessionCommands.h"
#include "platform/QtText.h"
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

using test::controlById;
using test::DrivenMainDialog;

constexpr const char* kZeroDateWarningStart = "Warning! Lumora found 1 pictures";

class WholeRunMistakes : public ::testing::Test {
  protected:
    void SetUp() override {
        samples::SampleOptions options;
        options.count = 16;
        samples::SampleCounts counts;
        std::string error;
        ASSERT_TRUE(samples::writeSamples(source, options, counts, error)) << error;
        window = std::make_unique<DrivenMainDialog>(workspace, prompter, shell);

        prompter.answer(kAnswerOk);  // the sample with a zero date
        shell.folder(source);
        window->selectSource();
        shell.folder(dir.makeDir("albums"));
        window->selectTarget();
        makeAlbum(0, 3);
        makeAlbum(0, 4);
        list(res::kIdAlbumList)->setCurrentRow(1);
        shell.saveFile(session);
        window->saveSession();
        ASSERT_TRUE(std::filesystem::exists(session));
    }

    void makeAlbum(int startRow, int endRow) {
        window->editAlbum = [=](CEditAlbumDialog& edit) {
            edit.film()->selectRow(startRow);
            edit.setStartDate();
            edit.film()->selectRow(endRow);
            edit.setEndDate();
            edit.saveAlbum();
        };
        window->startFromPositive();
    }

    QListWidget* list(int id) { return controlById<QListWidget>(*window, id); }
    QString text(int id) { return controlById<QLabel>(*window, id)->text(); }
    static QStringList lines(QListWidget* list) {
        QStringList result;
        for (int i = 0; i < list->count(); ++i) result << list->item(i)->text();
        return result;
    }

    // Everything the window shows and the work it holds, as lines.
    QStringList state() {
        QStringList shown = {
            "source " + text(res::kIdSourceText),
            "target " + text(res::kIdTargetText),
            "status " + text(res::kIdStatusText),
            "summary " + text(res::kIdAlbumsSummary),
            "selected " + QString::number(list(res::kIdAlbumList)->currentRow()),
            QString("delete ") +
                (controlById<QPushButton>(*window, res::kIdDeleteAlbum)->isEnabled() ? "on"
                                                                                     : "off"),
            QString("save session ") +
                (window->findChild<QAction*>(idName(res::kCmdSaveSession))->isEnabled() ? "on"
                                                                                        : "off"),
        };
        shown << lines(list(res::kIdAlbumList)) << lines(list(res::kIdAlbumDetails));
        for (const PictureEntry& picture : workspace.pictures()) {
            shown << toQString(picture.path + " album " + std::to_string(picture.albumId));
        }
        shown << "removed " + QString::number(workspace.removedPictures.size());
        return shown;
    }

    void loadExpectingQuestions(const std::string& lastQuestion, bool scanned) {
        prompter.expect(kLoadQuestionText, "Warning", Buttons::OkCancel, kAnswerOk);
        if (scanned) prompter.answer(kAnswerOk);  // the zero date, once more
        prompter.answer(kAnswerOk);
        const size_t before = prompter.questions().size();
        window->loadSession();
        ASSERT_EQ(prompter.questions().size(), before + (scanned ? 3 : 2));
        EXPECT_EQ(prompter.questions().back().text, lastQuestion);
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir dir;
    const std::string source = dir.file("card");
    const std::string session = dir.file("trip.lsn");
    Workspace workspace;
    test::ScriptedPrompter prompter;
    test::ScriptedShell shell;
    std::unique_ptr<DrivenMainDialog> window;
};

TEST_F(WholeRunMistakes, aCancelledChooserAndFailedLoadsLeaveEverythingAsItWas) {
    const QStringList saved = state();
    ASSERT_EQ(workspace.albums.size(), 2u);
    ASSERT_EQ(lines(list(res::kIdAlbumDetails)).value(0), "Name: Album 2");

    // A new source asked for, the warning accepted, the chooser cancelled.
    prompter.expect("Albums and filters will be lost!", "Warning", Buttons::OkCancel, kAnswerOk);
    shell.folder(std::nullopt);
    window->selectSource();
    EXPECT_EQ(state(), saved);

    // The card gained a picture since the session was saved.
    const std::filesystem::path first = workspace.pictures().front().path;
    const size_t count = workspace.pictures().size();
    const std::string extra = source + "/extra.jpg";
    std::filesystem::copy_file(first, extra);
    shell.openFile(session);
    loadExpectingQuestions(std::string(kSourceModifiedText) + "\n" + source + " holds " +
                               std::to_string(count + 1) + " pictures, the session " +
                               std::to_string(count) + " pictures: 1 picture was added.",
                           true);
    EXPECT_EQ(state(), saved);
    std::filesystem::remove(extra);

    // A damaged file: the session cut short.
    const std::string damaged = dir.file("damaged.lsn");
    std::filesystem::copy_file(session, damaged);
    std::filesystem::resize_file(damaged, std::filesystem::file_size(session) - 100);
    shell.openFile(damaged);
    loadExpectingQuestions(kFileCouldNotBeLoadedText, false);
    EXPECT_EQ(state(), saved);

    // The file dialog cancelled.
    shell.openFile(std::nullopt);
    loadExpectingQuestions(kFileNotLoadedText, false);
    EXPECT_EQ(state(), saved);

    // With the card as it was, the session loads and shows the same.
    prompter.expect(kLoadQuestionText, "Warning", Buttons::OkCancel, kAnswerOk);
    prompter.answer(kAnswerOk);  // the zero date
    shell.openFile(session);
    window->loadSession();
    EXPECT_EQ(state(), saved);
}

}  // namespace
}  // namespace lumora
