// The desktop's usual keys: the main window's menu shortcuts and album list
// keys, the film's keys and the Alt double-click, and the viewer's steps.
// Keys are pressed as a user presses them, through the window's shortcuts.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "albums/CLargeImageDialog.h"
#include "app/CMainDialog.h"
#include "tests/support/ScriptedShell.h"
#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

using test::ScriptedShell;

// Shows the window and makes it the active one, as shortcuts need.
void activate(QWidget& window) {
    window.show();
    QApplication::setActiveWindow(&window);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

class KeysMainDialog : public CMainDialog {
  public:
    KeysMainDialog(Workspace& workspace, Prompter& prompter, Shell& shell)
        : CMainDialog(workspace, prompter, shell), work_(workspace) {}
    int editsOpened = 0;

  protected:
    DialogEnd openEditAlbumDialog() override {
        ++editsOpened;
        Album& album = *work_.currentAlbum();
        work_.selectFilm();
        album.startTime = album.startKey = work_.film.front().dateTime;
        album.endTime = album.endKey = work_.film.back().dateTime;
        work_.selectFilm();
        return DialogEnd::Save;
    }
    int runDialog(QDialog&) override { return QDialog::Rejected; }

  private:
    Workspace& work_;
};

class MainWindowKeysTest : public ::testing::Test {
  protected:
    MainWindowKeysTest() {
        dir.writeFile("src/a.jpg", test::exifPicture("2021:06:01 10:00:00"));
        dir.writeFile("src/b.jpg", test::exifPicture("2021:06:01 11:00:00"));
        window = std::make_unique<KeysMainDialog>(workspace, prompter, shell);
    }
    QAction* action(int id) { return window->findChild<QAction*>(idName(id)); }
    QListWidget* albumList() { return test::controlById<QListWidget>(*window, res::kIdAlbumList); }

    test::TzGuard zone{"UTC0"};
    test::TempDir dir;
    Workspace workspace;
    test::ScriptedPrompter prompter;
    ScriptedShell shell;
    std::unique_ptr<KeysMainDialog> window;
};

TEST_F(MainWindowKeysTest, theMenusShowTheirKeysAndTheKeysRunTheCommands) {
    EXPECT_EQ(action(res::kCmdLoadSession)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(action(res::kCmdSaveSession)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(action(res::kCmdExit)->shortcut(), QKeySequence("Ctrl+Q"));
    EXPECT_EQ(action(res::kCmdHelpManual)->shortcut(), QKeySequence("F1"));
    activate(*window);

    // Ctrl+O: the open dialog, cancelled without albums: nothing said.
    shell.openFile(std::nullopt);
    QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].kind, ScriptedShell::Kind::OpenFile);

    // F1: the help document.
    QTest::keyClick(window.get(), Qt::Key_F1);
    EXPECT_EQ(shell.opened().size(), 1u);

    // Ctrl+S: nothing without an album (the item is disabled), the save
    // dialog with one.
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(shell.calls().size(), 1u);
    window->useSource(dir.file("src"));
    window->startFromPositive();
    ASSERT_EQ(albumList()->count(), 1);
    shell.saveFile(std::nullopt);
    prompter.expect("File not saved!", "", Buttons::Ok, kAnswerOk);
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(shell.calls().size(), 2u);
    EXPECT_EQ(shell.calls()[1].kind, ScriptedShell::Kind::SaveFile);

    // Ctrl+Q: the close request, answered No.
    prompter.expect("Close Lumora?", "Lumora", Buttons::YesNo, kAnswerNo);
    QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(prompter.remainingAnswers(), 0u);
}

TEST_F(MainWindowKeysTest, enterOnTheAlbumListEditsAndDeleteDeletesAfterAsking) {
    window->useSource(dir.file("src"));
    window->startFromPositive();
    ASSERT_EQ(window->editsOpened, 1);
    activate(*window);
    albumList()->setFocus();
    albumList()->setCurrentRow(0);

    // Enter edits the album rather than pressing "Close Window".
    QTest::keyClick(albumList(), Qt::Key_Return);
    EXPECT_EQ(window->editsOpened, 2);
    QTest::keyClick(albumList(), Qt::Key_Enter);
    EXPECT_EQ(window->editsOpened, 3);
    EXPECT_TRUE(window->isVisible());

    // Delete asks first; Cancel keeps the album, OK deletes it.
    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerCancel);
    QTest::keyClick(albumList(), Qt::Key_Delete);
    EXPECT_EQ(workspace.albums.size(), 1u);
    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerOk);
    QTest::keyClick(albumList(), Qt::Key_Delete);
    EXPECT_TRUE(workspace.albums.empty());
    EXPECT_EQ(prompter.remainingAnswers(), 0u);
}

class FilmKeysTest : public test::EditAlbumFixture {
  protected:
    void openFilm() {
        writeFourPictures();
        scan();
        openNewAlbum();
        activate(*dialog);
        dialog->film()->setFocus();
    }
    std::vector<int32_t> marks() {
        std::vector<int32_t> result;
        for (const PictureEntry& picture : workspace.film) result.push_back(picture.isNegative);
        return result;
    }
    void selectAlso(int row) {
        dialog->film()->selectionModel()->select(dialog->film()->model()->index(row, 0),
                                                 QItemSelectionModel::Select);
    }
    void closeViewer() {
        if (CLargeImageDialog* viewer = CLargeImageDialog::openViewer()) viewer->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(FilmKeysTest, spaceLeavesOutAndTakesInEverySelectedPicture) {
    openFilm();
    select(0);
    selectAlso(2);
    QTest::keyClick(dialog->film(), Qt::Key_Space);
    EXPECT_EQ(marks(), (std::vector<int32_t>{1, 0, 1, 0}));
    EXPECT_EQ(workspace.currentAlbum()->pictureCount, 2);
    // Each picture turns over on its own, as a double-click turns it.
    selectAlso(1);
    QTest::keyClick(dialog->film(), Qt::Key_Space);
    EXPECT_EQ(marks(), (std::vector<int32_t>{0, 1, 0, 0}));
    EXPECT_EQ(workspace.currentAlbum()->pictureCount, 3);
    EXPECT_TRUE(dialog->isVisible());  // Space never pressed a button
}

TEST_F(FilmKeysTest, aProcessedAlbumTakesNoSpace) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->saveAlbum();
    finish();
    ASSERT_EQ(workspace.albums.size(), 1u);
    workspace.albums[0].processed = 1;
    prompter.expect("Album is already processed and cannot be modified!", "", Buttons::Ok,
                    kAnswerOk);
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    activate(*dialog);
    dialog->film()->setFocus();
    select(1);
    QTest::keyClick(dialog->film(), Qt::Key_Space);
    EXPECT_EQ(marks(), (std::vector<int32_t>{0, 0, 0, 0}));
}

TEST_F(FilmKeysTest, enterAndAltDoubleClickOpenTheViewerWhoseKeysStepTheFilm) {
    openFilm();
    select(1);
    QTest::keyClick(dialog->film(), Qt::Key_Return);
    CLargeImageDialog* viewer = CLargeImageDialog::openViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 1);
    EXPECT_TRUE(dialog->isVisible());  // not "Save Album"
    auto* path = test::controlById<QLabel>(*viewer, res::kIdLargePicturePath);

    activate(*viewer);
    auto expectShown = [&](int position) {
        EXPECT_EQ(CLargeImageDialog::viewerIndex(), position);
        EXPECT_EQ(dialog->film()->lastSelectedRow(), position);
        EXPECT_EQ(path->text(), QString::fromStdString(workspace.film.at(size_t(position)).path));
    };
    QTest::keyClick(viewer, Qt::Key_Right);
    expectShown(2);
    QTest::keyClick(viewer, Qt::Key_Left);
    expectShown(1);
    QTest::keyClick(viewer, Qt::Key_End);
    expectShown(3);
    QTest::keyClick(viewer, Qt::Key_Right);  // past the end: stays
    expectShown(3);
    QTest::keyClick(viewer, Qt::Key_Home);
    expectShown(0);
    QTest::keyClick(viewer, Qt::Key_Left);
    expectShown(0);
    QTest::keyClick(viewer, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CLargeImageDialog::openViewer(), nullptr);

    // Alt with a left double-click opens it too, and leaves no picture out.
    activate(*dialog);
    const QPoint centre = dialog->film()->visualRect(dialog->film()->model()->index(2, 0)).center();
    QTest::mouseClick(dialog->film()->viewport(), Qt::LeftButton, Qt::AltModifier, centre);
    QTest::mouseDClick(dialog->film()->viewport(), Qt::LeftButton, Qt::AltModifier, centre);
    ASSERT_NE(CLargeImageDialog::openViewer(), nullptr);
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 2);
    EXPECT_EQ(marks(), (std::vector<int32_t>{0, 0, 0, 0}));
    closeViewer();
}

TEST_F(FilmKeysTest, f2StartsRenamingTheSelectedPictureAndSpaceThenTypesASpace) {
    openFilm();
    select(1);
    QTest::keyClick(dialog->film(), Qt::Key_F2);
    ASSERT_TRUE(dialog->film()->isEditing(dialog->film()->model()->index(1, 0)));
    auto* editor = dialog->film()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "c");
    // While the label is edited the keys are the editor's own.
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_End);
    QTest::keyClick(editor, Qt::Key_Space);
    EXPECT_EQ(editor->text(), "c ");
    EXPECT_EQ(marks(), (std::vector<int32_t>{0, 0, 0, 0}));
}

}  // namespace
}  // namespace lumora
