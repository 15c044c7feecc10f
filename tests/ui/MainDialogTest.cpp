#include "app/CMainDialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <filesystem>
#include <functional>

#include "albums/Thumbnail.h"
#include "app/CAboutDialog.h"
#include "app/HelpWindow.h"
#include "app/ProcessCommands.h"
#include "app/ProgramIcon.h"
#include "app/ProgramInfo.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtShell.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/ScriptedShell.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;
using test::ScriptedPrompter;
using test::ScriptedShell;

constexpr const char* kNotSelected = "Not Selected. Please select one first.";

// The main window with the dialogs it opens replaced: the Edit Album dialog
// by what the test asks of it, every other modal dialog by a record of it.
class TestMainDialog : public CMainDialog {
  public:
    using CMainDialog::CMainDialog;

    std::function<DialogEnd()> editAlbum;
    // Answers a dialog instead of running it; Rejected when not set.
    std::function<int(QDialog&)> answerDialog;
    QStringList dialogsRun;

  protected:
    DialogEnd openEditAlbumDialog() override { return editAlbum ? editAlbum() : DialogEnd::Other; }
    int runDialog(QDialog& dialog) override {
        dialogsRun.push_back(dialog.windowTitle());
        return answerDialog ? answerDialog(dialog) : QDialog::Rejected;
    }
};

// Restores the working directory when the test ends.
class CurrentDirectoryGuard {
  public:
    explicit CurrentDirectoryGuard(const std::string& folder)
        : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentDirectoryGuard() { std::filesystem::current_path(previous_); }

  private:
    std::filesystem::path previous_;
};

class MainDialogTest : public ::testing::Test {
  protected:
    MainDialogTest() {
        // Two days of two pictures each.
        dir.writeFile("src/a.jpg", test::exifPicture("2021:06:01 10:00:00"));
        dir.writeFile("src/b.jpg", test::exifPicture("2021:06:01 11:00:00"));
        dir.writeFile("src/c.jpg", test::exifPicture("2021:06:02 09:00:00"));
        dir.writeFile("src/d.jpg", test::exifPicture("2021:06:02 09:30:00"));
        source = dir.file("src");
        window = std::make_unique<TestMainDialog>(workspace, prompter, shell);
    }

    // The Edit Album dialog as a user saving the next `count` pictures of the
    // film under `name` would end it.
    std::function<DialogEnd()> saveNextPictures(size_t count, const std::string& name) {
        return [this, count, name] {
            Album& album = *workspace.currentAlbum();
            workspace.selectFilm();
            album.name = name;
            album.directoryName = std::string(1, kPathSeparator);
            album.startTime = album.startKey = workspace.film.front().dateTime;
            album.endTime = album.endKey = workspace.film[count - 1].dateTime;
            workspace.selectFilm();
            return DialogEnd::Save;
        };
    }
    void makeAlbum(size_t count, const std::string& name) {
        window->editAlbum = saveNextPictures(count, name);
        window->startFromPositive();
    }

    QString text(int id) { return controlById<QLabel>(*window, id)->text(); }
    QListWidget* list(int id) { return controlById<QListWidget>(*window, id); }
    static QStringList lines(QListWidget* list) {
        QStringList result;
        for (int i = 0; i < list->count(); ++i) result << list->item(i)->text();
        return result;
    }
    bool enabled(int commandId) {
        auto* action = window->findChild<QAction*>(idName(commandId));
        EXPECT_NE(action, nullptr) << commandId;
        return action != nullptr && action->isEnabled();
    }
    QPushButton* button(int id) { return controlById<QPushButton>(*window, id); }
    void pressKey(Qt::Key key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &press);
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir dir;
    std::string source;
    Workspace workspace;
    ScriptedPrompter prompter;
    ScriptedShell shell;
    std::unique_ptr<TestMainDialog> window;
};

TEST_F(MainDialogTest, aNewSourceWithAlbumsAsksFirstAndCancelKeepsEverything) {
    window->useSource(source);
    makeAlbum(2, "First");
    ASSERT_EQ(lines(list(res::kIdAlbumList)), QStringList{"1. First"});

    prompter.expect("Albums and filters will be lost!", "Warning", Buttons::OkCancel,
                    kAnswerCancel);
    window->selectSource();  // no folder browser may open: none is scripted

    EXPECT_TRUE(shell.calls().empty());
    EXPECT_EQ(workspace.albums.size(), 1u);
    EXPECT_EQ(workspace.pictures().size(), 4u);
    EXPECT_EQ(text(res::kIdSourceText).toStdString(), source);
    EXPECT_EQ(lines(list(res::kIdAlbumList)), QStringList{"1. First"});
}

TEST_F(MainDialogTest, okOnTheWarningThenCancellingTheBrowserChangesNothing) {
    window->useSource(source);
    window->useTarget(dir.makeDir("out"));
    makeAlbum(2, "First");
    list(res::kIdAlbumList)->setCurrentRow(0);
    const QStringList details = lines(list(res::kIdAlbumDetails));
    const QString summary = text(res::kIdAlbumsSummary);
    const QString status = text(res::kIdStatusText);
    ASSERT_TRUE(button(res::kIdDeleteAlbum)->isEnabled());

    prompter.expect("Albums and filters will be lost!", "Warning", Buttons::OkCancel, kAnswerOk);
    shell.folder(std::nullopt);
    window->selectSource();

    EXPECT_EQ(workspace.albums.size(), 1u);
    EXPECT_EQ(workspace.pictures().size(), 4u);
    EXPECT_EQ(lines(list(res::kIdAlbumList)), QStringList{"1. First"});
    EXPECT_EQ(lines(list(res::kIdAlbumDetails)), details);
    EXPECT_EQ(text(res::kIdAlbumsSummary), summary);
    EXPECT_EQ(text(res::kIdStatusText), status);
    EXPECT_EQ(text(res::kIdSourceText).toStdString(), source);
    EXPECT_EQ(text(res::kIdTargetText).toStdString(), dir.file("out"));
    EXPECT_TRUE(button(res::kIdDeleteAlbum)->isEnabled());
    EXPECT_TRUE(enabled(res::kCmdSaveSession));

    // A folder chosen after the warning is what drops the albums.
    dir.writeFile("other/e.jpg", test::exifPicture("2022:01:01 08:00:00"));
    prompter.expect("Albums and filters will be lost!", "Warning", Buttons::OkCancel, kAnswerOk);
    shell.folder(dir.file("other"));
    window->selectSource();
    EXPECT_TRUE(workspace.albums.empty());
    EXPECT_EQ(workspace.pictures().size(), 1u);
    EXPECT_EQ(list(res::kIdAlbumList)->count(), 0);
    EXPECT_EQ(list(res::kIdAlbumDetails)->count(), 0);
    EXPECT_EQ(text(res::kIdAlbumsSummary), "Albums created: None");
    EXPECT_FALSE(button(res::kIdDeleteAlbum)->isEnabled());
    EXPECT_FALSE(enabled(res::kCmdSaveSession));
}

TEST_F(MainDialogTest, theSourceAndEveryFolderInsideItAreRefusedAsTarget) {
    prompter.expect("Please select source directory first!", "Select target directory", Buttons::Ok,
                    kAnswerOk);
    window->selectTarget();  // without a source no browser opens
    EXPECT_TRUE(shell.calls().empty());

    window->useSource(source);
    for (const std::string& path :
         {source, source + kPathSeparator, dir.file("src/../src")}) {
        shell.folder(path);
        prompter.expect("Target directory is the same as source directory!",
                        "Please select other target directory", Buttons::Ok, kAnswerOk);
        window->selectTarget();
        EXPECT_EQ(text(res::kIdTargetText), kNotSelected) << path;
        EXPECT_EQ(workspace.targetDirectory, "") << path;
    }

    // A later scan would list the album copies as new pictures.
    const std::string sub = dir.makeDir("src/albums");
    shell.folder(sub);
    prompter.expect(kInsideSourceText, "Please select other target directory", Buttons::Ok,
                    kAnswerOk);
    window->selectTarget();
    EXPECT_EQ(text(res::kIdTargetText), kNotSelected);
    EXPECT_EQ(workspace.targetDirectory, "");

    const std::string outside = dir.makeDir("albums");
    shell.folder(outside);
    window->selectTarget();
    EXPECT_EQ(text(res::kIdTargetText).toStdString(), outside);
    EXPECT_EQ(workspace.targetDirectory, outside);
    EXPECT_EQ(shell.calls().back().title, "Select folder that hold pictures to process.");
}

TEST_F(MainDialogTest, aLinkToTheSourceOrIntoItIsRefusedAsTarget) {
    window->useSource(source);
    const std::string link = dir.makeSymlink(source, "link");
    shell.folder(link);
    prompter.expect("Target directory is the same as source directory!",
                    "Please select other target directory", Buttons::Ok, kAnswerOk);
    window->selectTarget();
    EXPECT_EQ(text(res::kIdTargetText), kNotSelected);

    dir.makeDir("src/albums");
    shell.folder(joinPath(link, "albums"));
    prompter.expect(kInsideSourceText, "Please select other target directory", Buttons::Ok,
                    kAnswerOk);
    window->selectTarget();
    EXPECT_EQ(text(res::kIdTargetText), kNotSelected);
    EXPECT_EQ(workspace.targetDirectory, "");
}

// The details of an album without filters fill a dozen lines: all show
// without scrolling, in rows as tall as the style draws them (Windows'
// styles pad each line), also once the link to the files left out takes
// its line below a window already shown.
TEST_F(MainDialogTest, theDetailsOfAnAlbumShowWithoutScrolling) {
    window->show();
    dir.writeFile("src/clip.mp4", std::string("a video, left out"));
    window->useSource(source);
    window->useTarget(dir.makeDir("out"));
    makeAlbum(2, "First");
    list(res::kIdAlbumList)->setCurrentRow(0);
    QApplication::processEvents();
    QListWidget* details = list(res::kIdAlbumDetails);
    ASSERT_EQ(details->count(), 12);
    EXPECT_EQ(details->verticalScrollBar()->maximum(), 0)
        << details->height() << " pixels for rows of " << details->sizeHintForRow(0);
}

TEST_F(MainDialogTest, aTargetInsideTheSourceKeptInASessionIsRefusedAtProcess) {
    window->useSource(source);
    makeAlbum(2, "First");
    workspace.targetText = dir.makeDir("src/albums");  // as a session of the command line keeps it
    prompter.expect(kInsideSourceText, "Please select other target directory", Buttons::Ok,
                    kAnswerOk);
    window->process();
    EXPECT_TRUE(window->dialogsRun.empty());
}

// The highlighted album's details always show, with "Delete Album" enabled,
// so that clicking it (which changes no selection) is never needed.
TEST_F(MainDialogTest, theDetailsFollowTheSelectionThroughEveryChange) {
    window->useSource(source);
    window->useTarget(dir.makeDir("out"));
    makeAlbum(1, "First");
    makeAlbum(1, "Second");
    makeAlbum(1, "Third");
    QListWidget* albums = list(res::kIdAlbumList);
    auto shown = [&] {
        QListWidget* details = list(res::kIdAlbumDetails);
        return details->count() == 0 ? QString() : details->item(0)->text();
    };
    albums->setCurrentRow(1);
    ASSERT_EQ(shown(), "Name: Second");

    window->editAlbum = [] { return DialogEnd::Discard; };
    window->startFromPositive();
    EXPECT_EQ(shown(), "Name: Second");
    makeAlbum(1, "Fourth");  // Save of a new album
    EXPECT_EQ(albums->currentRow(), 1);
    EXPECT_EQ(shown(), "Name: Second");
    EXPECT_TRUE(button(res::kIdDeleteAlbum)->isEnabled());
    window->editAlbum = [] { return DialogEnd::Save; };
    window->editSelectedAlbum();
    EXPECT_EQ(shown(), "Name: Second");
    window->editAlbum = [] { return DialogEnd::Discard; };
    window->editSelectedAlbum();
    EXPECT_EQ(shown(), "Name: Second");

    // A change of target shows in the album root at once.
    const std::string other = dir.makeDir("elsewhere");
    window->useTarget(other);
    EXPECT_TRUE(lines(list(res::kIdAlbumDetails)).contains(toQString("Album root: " + other)));

    // After a delete the album that takes the row is selected and shown.
    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerOk);
    button(res::kIdDeleteAlbum)->click();
    EXPECT_EQ(lines(albums), (QStringList{"1. First", "2. Third", "3. Fourth"}));
    EXPECT_EQ(albums->currentRow(), 1);
    EXPECT_EQ(shown(), "Name: Third");
    EXPECT_TRUE(button(res::kIdDeleteAlbum)->isEnabled());
    albums->setCurrentRow(2);
    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerOk);
    button(res::kIdDeleteAlbum)->click();
    EXPECT_EQ(shown(), "Name: Third");  // the new last album

    // After a load the highlighted album shows too.
    const std::string session = dir.file("work.lsn");
    shell.saveFile(session);
    window->saveSession();
    prompter.expect("Filters will be lost. Continue to load session?", "Warning", Buttons::OkCancel,
                    kAnswerOk);
    shell.openFile(session);
    window->loadSession();
    EXPECT_EQ(albums->currentRow(), 1);
    EXPECT_EQ(shown(), "Name: Third");
    EXPECT_TRUE(button(res::kIdDeleteAlbum)->isEnabled());

    // With nothing selected nothing shows and nothing can be deleted.
    albums->clearSelection();
    EXPECT_EQ(shown(), QString());
    EXPECT_FALSE(button(res::kIdDeleteAlbum)->isEnabled());
}

// Answers OK to everything and runs a check at each question.
class WatchingPrompter : public Prompter {
  public:
    std::function<void()> onAsk;
    int questions = 0;
    int ask(const std::string&, const std::string&, Buttons, Icon) override {
        ++questions;
        if (onAsk) onAsk();
        return kAnswerOk;
    }
};

TEST_F(MainDialogTest, theFolderBeingScannedShowsWhileTheScanAsks) {
    dir.writeFile("zero/z.jpg", test::exifPicture("0000:00:00 00:00:00"));
    WatchingPrompter watching;
    TestMainDialog watched(workspace, watching, shell);
    QString shown;
    watching.onAsk = [&] { shown = controlById<QLabel>(watched, res::kIdSourceText)->text(); };
    watched.useSource(dir.file("zero"));
    ASSERT_EQ(watching.questions, 1);  // the zero-date warning
    EXPECT_EQ(shown.toStdString(), dir.file("zero"));
}

TEST_F(MainDialogTest, aNewSourceResetsTheTarget) {
    window->useSource(source);
    window->useTarget(dir.makeDir("out"));
    ASSERT_EQ(text(res::kIdTargetText).toStdString(), dir.file("out"));

    dir.writeFile("other/e.jpg", test::exifPicture("2022:01:01 08:00:00"));
    shell.folder(dir.file("other"));
    window->selectSource();

    EXPECT_EQ(text(res::kIdSourceText).toStdString(), dir.file("other"));
    EXPECT_EQ(text(res::kIdTargetText), kNotSelected);
    EXPECT_EQ(workspace.pictures().size(), 1u);
}

TEST_F(MainDialogTest, closeWindowEscTheCloseBoxAndExitAnsweredNoKeepTheWindow) {
    window->show();
    prompter.expect("Are you sure?", "Confirm exit", Buttons::YesNo, kAnswerNo);
    button(res::kIdOk)->click();
    EXPECT_TRUE(window->isVisible());

    prompter.expect("Close Lumora?", "Lumora", Buttons::YesNo, kAnswerNo);
    pressKey(Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());

    prompter.expect("Close Lumora?", "Lumora", Buttons::YesNo, kAnswerNo);
    window->close();
    EXPECT_TRUE(window->isVisible());

    prompter.expect("Close Lumora?", "Lumora", Buttons::YesNo, kAnswerNo);
    window->findChild<QAction*>(idName(res::kCmdExit))->trigger();
    EXPECT_TRUE(window->isVisible());

    prompter.expect("Close Lumora?", "Lumora", Buttons::YesNo, kAnswerYes);
    pressKey(Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Rejected);

    window->show();
    prompter.expect("Are you sure?", "Confirm exit", Buttons::YesNo, kAnswerYes);
    button(res::kIdOk)->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(MainDialogTest, helpLooksUnderTheCurrentFolderAndSaysWhenItCannotOpen) {
    // Started elsewhere than its folder: the desktop's shell finds no help.
    {
        CurrentDirectoryGuard guard(dir.path());
        QtShell desktop;
        TestMainDialog desktopWindow(workspace, prompter, desktop);
        prompter.expect("Path not found. Please restart Lumora.", "", Buttons::Ok, kAnswerOk);
        desktopWindow.helpManual();
        dir.makeDir("help");  // the folder without the document
        prompter.expect("Path not found. Please restart Lumora.", "", Buttons::Ok, kAnswerOk);
        desktopWindow.helpManual();
    }

    CurrentDirectoryGuard guard(dir.path());
    window->helpManual();
    ASSERT_EQ(shell.opened().size(), 1u);
    EXPECT_EQ(shell.opened().front(),
              "help.htm|" + joinPath(std::filesystem::current_path().string(), "help") +
                  kPathSeparator);

    // Nothing on the desktop opens the document: the program shows it, in
    // a window of its own that stays beside the main window.
    dir.makeDir("help");
    dir.writeFile("help/help.htm",
                  std::string("<html><head><title>Lumora Help</title></head><body><h1>Steps</h1>"
                              "<p>Choose the source first.</p></body></html>"));
    shell.openResult(kShellNoAssociation);
    window->helpManual();  // nothing is asked: the prompter has nothing scripted
    auto* help = window->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->windowTitle(), "Lumora Help");
    EXPECT_TRUE(help->browser()->toPlainText().contains("Choose the source first."));
    shell.openResult(kShellNoAssociation);
    window->helpManual();  // again: the same window
    EXPECT_EQ(window->findChildren<HelpWindow*>().size(), 1);

    // A document the desktop had no program for, and that cannot be read.
    std::filesystem::remove(dir.file("help/help.htm"));
    shell.openResult(kShellNoAssociation);
    prompter.expect("Path not found. Please restart Lumora.", "", Buttons::Ok, kAnswerOk);
    window->helpManual();
}

TEST_F(MainDialogTest, theHomepageWithoutABrowserSaysWhereToGo) {
    prompter.expect("You must be connected to Internet before continue!", "Lumora - Visit Homepage",
                    Buttons::OkCancel, kAnswerCancel);
    window->homepage();
    EXPECT_TRUE(shell.opened().empty());

    prompter.expect("You must be connected to Internet before continue!", "Lumora - Visit Homepage",
                    Buttons::OkCancel, kAnswerOk);
    window->homepage();
    ASSERT_EQ(shell.opened().size(), 1u);
    EXPECT_EQ(shell.opened().front(), std::string(kHomepageAddress) + "|");

    shell.openResult(kShellNoAssociation);
    prompter.expect("You must be connected to Internet before continue!", "Lumora - Visit Homepage",
                    Buttons::OkCancel, kAnswerOk);
    prompter.expect("No web browser was found to open the homepage. Please visit " +
                        std::string(kHomepageAddress) + " with a web browser.",
                    "Lumora - Visit Homepage", Buttons::Ok, kAnswerOk);
    window->homepage();
}

TEST_F(MainDialogTest, menusFollowTheScansAndTheAlbums) {
    const int albumCommands[] = {res::kCmdStartFromPositive, res::kCmdStartFromNegative,
                                 res::kCmdSearchDuplicates};
    auto albumCommandsEnabled = [&] {
        int count = 0;
        for (int id : albumCommands) count += enabled(id) ? 1 : 0;
        return count;
    };
    EXPECT_EQ(albumCommandsEnabled(), 0);
    EXPECT_FALSE(enabled(res::kCmdSaveSession));
    EXPECT_FALSE(button(res::kIdDeleteAlbum)->isEnabled());
    EXPECT_EQ(text(res::kIdSourceText), kNotSelected);
    EXPECT_EQ(text(res::kIdStatusText), "Wait for input...");

    window->useSource(dir.makeDir("empty"));
    EXPECT_EQ(albumCommandsEnabled(), 0);

    window->useSource(source);
    EXPECT_EQ(albumCommandsEnabled(), 3);
    EXPECT_FALSE(enabled(res::kCmdSaveSession));

    makeAlbum(2, "First");
    EXPECT_TRUE(enabled(res::kCmdSaveSession));
    EXPECT_EQ(list(res::kIdAlbumDetails)->count(), 0);
    list(res::kIdAlbumList)->setCurrentRow(0);
    EXPECT_TRUE(button(res::kIdDeleteAlbum)->isEnabled());
    EXPECT_EQ(list(res::kIdAlbumDetails)->item(0)->text(), "Name: First");

    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerOk);
    button(res::kIdDeleteAlbum)->click();
    EXPECT_FALSE(enabled(res::kCmdSaveSession));
    EXPECT_FALSE(button(res::kIdDeleteAlbum)->isEnabled());
    EXPECT_EQ(list(res::kIdAlbumDetails)->count(), 0);

    window->useSource(dir.file("empty"));
    EXPECT_EQ(albumCommandsEnabled(), 0);
}

TEST_F(MainDialogTest, saveThenLoadSessionRestoresTheAlbumListAndDetailsExactly) {
    window->useSource(source);
    window->useTarget(dir.makeDir("out"));
    makeAlbum(2, "First day");
    makeAlbum(1, "Second day");
    list(res::kIdAlbumList)->setCurrentRow(1);
    const QStringList albumLines = lines(list(res::kIdAlbumList));
    const QStringList detailLines = lines(list(res::kIdAlbumDetails));
    const QString summary = text(res::kIdAlbumsSummary);
    ASSERT_EQ(albumLines, (QStringList{"1. First day", "2. Second day"}));
    ASSERT_EQ(detailLines.front(), "Name: Second day");

    const std::string session = dir.file("work.lsn");
    shell.saveFile(session);
    window->saveSession();
    EXPECT_EQ(shell.calls().back().title, "Save as");

    // A fresh program loads it.
    Workspace otherWorkspace;
    ScriptedPrompter otherPrompter;
    ScriptedShell otherShell;
    TestMainDialog other(otherWorkspace, otherPrompter, otherShell);
    otherShell.openFile(session);
    other.loadSession();
    EXPECT_EQ(otherShell.calls().back().title, "Load Session");
    auto* otherList = controlById<QListWidget>(other, res::kIdAlbumList);
    EXPECT_EQ(lines(otherList), albumLines);
    EXPECT_EQ(controlById<QLabel>(other, res::kIdAlbumsSummary)->text(), summary);
    EXPECT_EQ(controlById<QLabel>(other, res::kIdSourceText)->text(), text(res::kIdSourceText));
    EXPECT_EQ(controlById<QLabel>(other, res::kIdTargetText)->text(), text(res::kIdTargetText));
    EXPECT_TRUE(other.findChild<QAction*>(idName(res::kCmdSaveSession))->isEnabled());
    otherList->setCurrentRow(1);
    EXPECT_EQ(lines(controlById<QListWidget>(other, res::kIdAlbumDetails)), detailLines);

    // The window that holds albums asks first, then loads the same.
    prompter.expect("Filters will be lost. Continue to load session?", "Warning", Buttons::OkCancel,
                    kAnswerOk);
    shell.openFile(session);
    window->loadSession();
    EXPECT_EQ(lines(list(res::kIdAlbumList)), albumLines);
    EXPECT_EQ(text(res::kIdAlbumsSummary), summary);
    list(res::kIdAlbumList)->setCurrentRow(1);
    EXPECT_EQ(lines(list(res::kIdAlbumDetails)), detailLines);
}

TEST_F(MainDialogTest, processAsksForATargetChoosesItAndOpensTheProcessingDialog) {
    prompter.expect("There is no albums defined! Please create at least one album.", "",
                    Buttons::Ok, kAnswerOk);
    window->process();
    EXPECT_TRUE(window->dialogsRun.empty());

    window->useSource(source);
    makeAlbum(4, "All");
    const std::string target = dir.makeDir("out");
    prompter.expect(kSelectTargetNowText, kSelectTargetCaption, Buttons::YesNo, kAnswerYes);
    shell.folder(target);
    window->process();

    EXPECT_EQ(text(res::kIdTargetText).toStdString(), target);
    EXPECT_EQ(workspace.targetDirectory, target);
    EXPECT_EQ(window->dialogsRun, QStringList{"Albums Processing"});
}

TEST_F(MainDialogTest, aSavedTimeFormatShowsInTheDetailsOfTheAlbumStillSelected) {
    window->useSource(source);
    makeAlbum(2, "First");
    makeAlbum(2, "Second");
    list(res::kIdAlbumList)->setCurrentRow(1);
    const QString before = list(res::kIdAlbumDetails)->item(3)->text();
    ASSERT_TRUE(before.startsWith("Start date: ")) << before.toStdString();

    window->answerDialog = [](QDialog& dialog) {
        controlById<QComboBox>(dialog, res::kIdDateFormatList)->setCurrentIndex(2);
        return int(QDialog::Accepted);
    };
    window->timeFormat();

    EXPECT_EQ(workspace.dateFormat, 3);
    EXPECT_EQ(window->dialogsRun, QStringList{"Date and Time format"});
    EXPECT_EQ(list(res::kIdAlbumList)->currentRow(), 1);
    EXPECT_EQ(list(res::kIdAlbumDetails)->item(0)->text(), "Name: Second");
    EXPECT_NE(list(res::kIdAlbumDetails)->item(3)->text(), before);
}

TEST_F(MainDialogTest, deletingInNegativeFilmModeRemakesTheFilmThumbnailsAsNegatives) {
    window->useSource(source);
    makeAlbum(2, "First");
    workspace.assignPictureIds();
    // A film was built: one placeholder thumbnail per picture.
    workspace.filmBuilt = 1;
    const QImage placeholder(kThumbnailWidth, kThumbnailHeight, QImage::Format_RGB32);
    window->filmImages().assign(workspace.pictures().size(), placeholder);

    auto deleteFirstAlbum = [&] {
        list(res::kIdAlbumList)->setCurrentRow(0);
        prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerOk);
        window->deleteSelectedAlbum();
    };
    workspace.edit.negativeFilm = 0;
    deleteFirstAlbum();
    for (const QImage& image : window->filmImages()) EXPECT_EQ(image, placeholder);

    makeAlbum(2, "Again");
    workspace.edit.negativeFilm = 1;
    deleteFirstAlbum();
    for (const PictureEntry& picture : workspace.pictures()) {
        const QImage& shown = window->filmImages()[size_t(picture.exif->thumbnailIndex)];
        Image negative;
        ThumbnailOptions options;
        options.negative = true;
        ASSERT_EQ(makeThumbnail(realFileSystem(), picture, options, nullProgress(), negative),
                  ThumbnailResult::Made);
        const bool wasInAlbum =
            picture.path == dir.file("src/a.jpg") || picture.path == dir.file("src/b.jpg");
        EXPECT_EQ(shown == makeBitmap(negative), wasInAlbum) << picture.path;
        EXPECT_EQ(shown == placeholder, !wasInAlbum) << picture.path;
    }
}

TEST(AboutDialogTest, showsTheProgramAndItsIcon) {
    CAboutDialog about;
    EXPECT_EQ(about.windowTitle(), "About Lumora");
    bool version = false;
    for (QLabel* label : about.findChildren<QLabel*>()) {
        version = version || label->text().contains("Lumora</b> Version 1.0");
    }
    EXPECT_TRUE(version);
    EXPECT_FALSE(programIcon().isNull());  // the compiled-in picture is linked
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// Sets the user's home folder for one test: HOME, on Windows USERPROFILE.
class HomeGuard {
  public:
    explicit HomeGuard(const std::string& home) {
        previous_ = qgetenv(kVariable);
        qputenv(kVariable, QByteArray::fromStdString(home));
    }
    ~HomeGuard() { qputenv(kVariable, previous_); }

  private:
#ifdef _WIN32
    static constexpr const char* kVariable = "USERPROFILE";
#else
    static constexpr const char* kVariable = "HOME";
#endif
    QByteArray previous_;
};

TEST_F(MainDialogTest, choosersOpenWhereTheUserWorksAndNeverMoveTheCurrentFolder) {
    const std::string home = dir.makeDir("home");
    const std::string target = dir.makeDir("out");
    const std::string sessions = dir.makeDir("sessions");
    HomeGuard homeGuard(home);
    const std::filesystem::path current = std::filesystem::current_path();
    auto lastStart = [this] { return shell.calls().back().startFolder; };

    // Nothing chosen yet: the home folder, not the folder the program started in.
    shell.folder(std::nullopt);
    window->selectSource();
    EXPECT_EQ(lastStart(), home);
    shell.folder(source);
    window->selectSource();
    EXPECT_EQ(lastStart(), home);

    // The source leads the source chooser, and the target's until there is one.
    shell.folder(std::nullopt);
    window->selectSource();
    EXPECT_EQ(lastStart(), source);
    shell.folder(target);
    window->selectTarget();
    EXPECT_EQ(lastStart(), source);
    shell.folder(std::nullopt);
    window->selectTarget();
    EXPECT_EQ(lastStart(), target);

    // Sessions: the target before any session, then the session's folder.
    makeAlbum(2, "First");
    shell.saveFile(dir.file("sessions/trip.lsn"));
    window->saveSession();
    EXPECT_EQ(lastStart(), target);
    shell.saveFile(std::nullopt);
    prompter.expect("File not saved!", "", Buttons::Ok, kAnswerOk);
    window->saveSession();
    EXPECT_EQ(lastStart(), sessions);
    prompter.expect("Filters will be lost. Continue to load session?", "Warning",
                    Buttons::OkCancel, kAnswerOk);
    prompter.expect("File not loaded!", "", Buttons::Ok, kAnswerOk);
    shell.openFile(std::nullopt);
    window->loadSession();
    EXPECT_EQ(lastStart(), sessions);

    // A folder that went away is passed over.
    std::filesystem::remove_all(sessions);
    prompter.expect("File not saved!", "", Buttons::Ok, kAnswerOk);
    shell.saveFile(std::nullopt);
    window->saveSession();
    EXPECT_NE(lastStart(), sessions);
    EXPECT_EQ(std::filesystem::current_path(), current);
    EXPECT_EQ(shell.remainingAnswers(), 0u);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

TEST_F(MainDialogTest, deletingAnAlbumOfANegativeFilmShowsTheBusyCursorAndItsProgress) {
    window->useSource(source);
    makeAlbum(3, "First");
    workspace.assignPictureIds();
    workspace.filmBuilt = 1;
    window->filmImages().assign(workspace.pictures().size(),
                                QImage(kThumbnailWidth, kThumbnailHeight, QImage::Format_RGB32));
    const QString statusBefore = text(res::kIdStatusText);

    // What the window shows while each thumbnail is re-made.
    struct Seen {
        bool busy;
        QString status;
    };
    std::vector<Seen> seen;
    const RemakeThumbnail remake = workspace.remakeThumbnail;
    workspace.remakeThumbnail = [&](const PictureEntry& picture, bool negative,
                                    RemakeReason reason) {
        const QCursor* cursor = QApplication::overrideCursor();
        seen.push_back({cursor != nullptr && cursor->shape() == Qt::WaitCursor,
                        text(res::kIdStatusText)});
        return remake(picture, negative, reason);
    };

    // Cancelled: nothing to show.
    workspace.edit.negativeFilm = 1;
    list(res::kIdAlbumList)->setCurrentRow(0);
    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerCancel);
    window->deleteSelectedAlbum();
    EXPECT_TRUE(seen.empty());

    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerOk);
    window->deleteSelectedAlbum();
    ASSERT_EQ(seen.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(seen[size_t(i)].busy) << i;
        EXPECT_EQ(seen[size_t(i)].status, QString("Updating film. Picture: %1, of 3.").arg(i + 1));
    }
    // Done: the ordinary cursor and the status line of before.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(text(res::kIdStatusText), statusBefore);
    EXPECT_TRUE(workspace.albums.empty());
}

}  // namespace
}  // namespace lumora
