#include "processing/CAlbumsProcessingDialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "albums/Megabytes.h"
#include "platform/QtPrompter.h"
#include "res/ResourceIds.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;
using test::FaultyFileSystem;
using test::FsCall;
using test::ScriptedPrompter;

constexpr uint64_t kMegabyte = uint64_t{1} << 20;

class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// The dialog's controls, found by their ids.
struct ProcessingView {
    explicit ProcessingView(const QDialog& dialog)
        : firstStatus(controlById<QLabel>(dialog, res::kIdProcessingFirstStatus)),
          albumBar(controlById<QProgressBar>(dialog, res::kIdAlbumProgress)),
          secondStatus(controlById<QLabel>(dialog, res::kIdProcessingSecondStatus)),
          fileBar(controlById<QProgressBar>(dialog, res::kIdFileProgress)),
          process(controlById<QPushButton>(dialog, res::kIdProcessAlbums)),
          stop(controlById<QPushButton>(dialog, res::kIdStopProcessing)),
          close(controlById<QPushButton>(dialog, res::kIdOk)) {}

    bool complete() const {
        return firstStatus && albumBar && secondStatus && fileBar && process && stop && close;
    }

    QLabel* firstStatus;
    QProgressBar* albumBar;
    QLabel* secondStatus;
    QProgressBar* fileBar;
    QPushButton* process;
    QPushButton* stop;
    QPushButton* close;
};

class AlbumsProcessingDialogTest : public ::testing::Test {
  protected:
    AlbumsProcessingDialogTest() {
        // Every path is on drive C, as on the machine the texts come from.
        fs.setDriveHook([](const std::string&) { return std::string("C"); });
        workspace.targetDirectory = temp.makeDir("target");
    }

    Album& addAlbum(const std::string& name, float sizeMB) {
        Album& album = appendNewAlbum(workspace.albums);
        album.name = name;
        album.directoryName = name;
        album.createSubDirectory = 0;
        album.addDate = 0;
        album.addTime = 0;
        album.unsaved = 0;
        album.sizeMB = sizeMB;
        return album;
    }

    // A picture file of the album under the source folder.
    void addPicture(Album& album, const std::string& fileName) {
        const std::string bytes = "picture " + fileName;
        PictureEntry entry;
        entry.path = temp.writeFile("source/" + fileName, bytes);
        entry.fileSize = bytes.size();
        entry.exif = std::make_shared<ExifInfo>();
        entry.exif->pictureId = static_cast<int32_t>(workspace.pictures().size()) + 1;
        entry.albumId = album.id;
        workspace.pictures().push_back(entry);
        album.pictureCount += 1;
        album.sizeMB += megabytesOf(entry.fileSize);
    }

    // Shows the dialog and lets its free-space check run.
    void open(CAlbumsProcessingDialog& dialog) {
        dialog.show();
        QCoreApplication::processEvents();
    }

    test::TempDir temp;
    FaultyFileSystem fs;
    FixedClock clock{1700000000};
    Workspace workspace{fs, clock};
    ScriptedPrompter prompter;
};

TEST_F(AlbumsProcessingDialogTest, enoughSpaceEnablesProcess) {
    addAlbum("Rome", 10.0f);
    addAlbum("Paris", 2.5f);
    fs.setFreeBytes(20 * kMegabyte);
    CAlbumsProcessingDialog dialog(workspace, prompter);
    ProcessingView view(dialog);
    ASSERT_TRUE(view.complete());
    EXPECT_EQ(dialog.windowTitle(), "Albums Processing");
    EXPECT_EQ(view.firstStatus->text(), "Processing...");
    EXPECT_EQ(view.secondStatus->text(), "Processing...");
    EXPECT_EQ(view.process->text(), "Process");
    EXPECT_EQ(view.close->text(), "Close Window");

    open(dialog);
    EXPECT_EQ(view.firstStatus->text(),
              "Checking for free space... Found enough space on C:(20.000MB)");
    EXPECT_EQ(view.secondStatus->text(), "Press 'Process' to create albums. (By copy)");
    EXPECT_TRUE(view.process->isEnabled());

    // The check runs once, however often the dialog is shown.
    dialog.hide();
    open(dialog);
    EXPECT_EQ(fs.callCount(FsCall::FreeSpace), 1);
}

TEST_F(AlbumsProcessingDialogTest, notEnoughSpaceSaysHowMuchToFreeAndDisablesProcess) {
    addAlbum("Rome", 10.0f);
    addAlbum("Paris", 2.5f);
    fs.setFreeBytes(15 * kMegabyte);
    workspace.moveMode = 1;
    CAlbumsProcessingDialog dialog(workspace, prompter);
    ProcessingView view(dialog);
    open(dialog);
    // The pictures are on another drive than the target, so a move needs the
    // albums' whole size as a copy does.
    EXPECT_EQ(view.firstStatus->text(),
              "Checking for free space... Not enough space on C:(15.000MB)");
    EXPECT_EQ(view.secondStatus->text(), "Please free 2.50MB aditionl space on C:");
    EXPECT_FALSE(view.process->isEnabled());
}

TEST_F(AlbumsProcessingDialogTest, allAlbumsProcessedLeavesNothingToDo) {
    addAlbum("Rome", 10.0f).processed = 1;
    addAlbum("Paris", 2.5f).processed = 1;
    fs.setFreeBytes(kMegabyte);
    CAlbumsProcessingDialog dialog(workspace, prompter);
    ProcessingView view(dialog);
    open(dialog);
    EXPECT_EQ(view.firstStatus->text(), "Checking for free space... Found enough free space.");
    EXPECT_EQ(view.secondStatus->text(), "All albums are already processed.");
    EXPECT_FALSE(view.process->isEnabled());
}

TEST_F(AlbumsProcessingDialogTest, aDriveThatCannotSayItsFreeSpaceIsNotReady) {
    addAlbum("Rome", 10.0f);
    fs.failPath(FsCall::FreeSpace, workspace.targetDirectory, kErrorWriteProtect);
    prompter.expect("The media is write protected. Continue?", "System Error",
                    Buttons::AbortRetryIgnore, kAnswerAbort);
    CAlbumsProcessingDialog dialog(workspace, prompter);
    ProcessingView view(dialog);
    open(dialog);
    EXPECT_EQ(view.firstStatus->text(), "Checking for free space... Drive C: not ready!");
    EXPECT_EQ(view.secondStatus->text(), "Please select other drive.");
    EXPECT_FALSE(view.process->isEnabled());
}

// What the dialog showed when a picture was about to be copied.
struct Moment {
    QString firstStatus;
    QString secondStatus;
    int albumValue, albumMaximum, fileValue, fileMaximum;
    int secondStatusPaints;
};

TEST_F(AlbumsProcessingDialogTest, processRunsOnceWithBothLinesAndBothBarsShowingTheRun) {
    Album& rome = addAlbum("Rome", 0.0f);
    addPicture(rome, "IMG_1.JPG");
    addPicture(rome, "IMG_2.JPG");
    addPicture(rome, "IMG_3.JPG");
    Album& paris = addAlbum("Paris", 0.0f);
    addPicture(paris, "IMG_4.JPG");
    addPicture(paris, "IMG_5.JPG");
    fs.setFreeBytes(1024 * kMegabyte);

    CAlbumsProcessingDialog dialog(workspace, prompter);
    ProcessingView view(dialog);
    open(dialog);
    ASSERT_TRUE(view.process->isEnabled());

    PaintCounter paints;
    view.secondStatus->installEventFilter(&paints);
    std::vector<Moment> moments;
    fs.setTransferHook([&](FsCall, const std::string&, const std::string&) {
        moments.push_back({view.firstStatus->text(), view.secondStatus->text(),
                           view.albumBar->value(), view.albumBar->maximum(), view.fileBar->value(),
                           view.fileBar->maximum(), paints.paints});
        return std::optional<ErrorCode>();
    });
    view.process->click();

    ASSERT_EQ(moments.size(), 5u);
    const std::vector<QString> albumNames = {"Rome", "Rome", "Rome", "Paris", "Paris"};
    const std::vector<int> albumValues = {0, 0, 0, 1, 1};
    const std::vector<int> fileValues = {0, 1, 2, 0, 1};
    const std::vector<int> fileMaximums = {3, 3, 3, 2, 2};
    for (size_t i = 0; i < moments.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(moments[i].firstStatus, "Processing album: " + albumNames[i]);
        EXPECT_EQ(moments[i].secondStatus, QString("Copying...IMG_%1.jpg").arg(i + 1));
        EXPECT_EQ(moments[i].albumValue, albumValues[i]);
        EXPECT_EQ(moments[i].albumMaximum, 2);
        EXPECT_EQ(moments[i].fileValue, fileValues[i]);
        EXPECT_EQ(moments[i].fileMaximum, fileMaximums[i]);
        // Each new line was painted before the copy began.
        EXPECT_GT(moments[i].secondStatusPaints, i == 0 ? 0 : moments[i - 1].secondStatusPaints);
    }

    EXPECT_EQ(view.albumBar->value(), 2);
    EXPECT_EQ(view.fileBar->value(), 2);
    EXPECT_EQ(view.fileBar->maximum(), 2);
    EXPECT_EQ(view.firstStatus->text(), "2 albums created succesfuly!");
    EXPECT_EQ(view.secondStatus->text(), "Press 'Close Window' to exit.");
    EXPECT_FALSE(view.process->isEnabled());
    EXPECT_EQ(workspace.albums[0].processed, 1);
    EXPECT_EQ(workspace.albums[1].processed, 1);
    EXPECT_TRUE(std::filesystem::exists(workspace.targetDirectory + "/Rome/Rome-3.jpg"));
    EXPECT_TRUE(std::filesystem::exists(workspace.targetDirectory + "/Paris/Paris-5.jpg"));

    // A second press does nothing.
    view.process->click();
    EXPECT_EQ(moments.size(), 5u);

    view.close->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
}

class AlbumsProcessingStopTest : public AlbumsProcessingDialogTest {
  protected:
    AlbumsProcessingStopTest() {
        Album& rome = addAlbum("Rome", 0.0f);
        for (int i = 1; i <= 3; ++i) addPicture(rome, "IMG_" + std::to_string(i) + ".JPG");
        Album& paris = addAlbum("Paris", 0.0f);
        for (int i = 4; i <= 5; ++i) addPicture(paris, "IMG_" + std::to_string(i) + ".JPG");
        fs.setFreeBytes(1024 * kMegabyte);
    }

    // Runs with `during` called while the picture at `at` (0-based) is
    // transferred; returns the number of transfers.
    int runStopping(CAlbumsProcessingDialog& dialog, int at, const std::function<void()>& during) {
        int transfers = 0;
        fs.setTransferHook([&](FsCall, const std::string&, const std::string&) {
            if (transfers++ == at) during();
            return std::optional<ErrorCode>();
        });
        ProcessingView view(dialog);
        view.process->click();
        return transfers;
    }

    // Every picture is at its source, or whole at its target; none twice.
    void expectEveryFileInOnePlace(int transferred) {
        const std::vector<std::string> targets = {"Rome/Rome-1.jpg", "Rome/Rome-2.jpg",
                                                  "Rome/Rome-3.jpg", "Paris/Paris-4.jpg",
                                                  "Paris/Paris-5.jpg"};
        for (size_t i = 0; i < targets.size(); ++i) {
            SCOPED_TRACE(targets[i]);
            const std::string target = workspace.targetDirectory + "/" + targets[i];
            EXPECT_TRUE(std::filesystem::exists(workspace.pictures()[i].path));
            EXPECT_EQ(std::filesystem::exists(target), static_cast<int>(i) < transferred);
            if (static_cast<int>(i) < transferred) {
                EXPECT_EQ(std::filesystem::file_size(target),
                          std::filesystem::file_size(workspace.pictures()[i].path));
            }
        }
        const auto parts = [](const std::string& folder) {
            int count = 0;
            if (!std::filesystem::exists(folder)) return 0;
            for (const auto& entry : std::filesystem::directory_iterator(folder))
                count += entry.path().filename().string().find(".part") != std::string::npos;
            return count;
        };
        EXPECT_EQ(parts(workspace.targetDirectory + "/Rome"), 0);
        EXPECT_EQ(parts(workspace.targetDirectory + "/Paris"), 0);
    }
};

// "Stop" at the first picture, at the last of the first album (so between
// the albums) and in the second album.
TEST_F(AlbumsProcessingStopTest, stopEndsTheRunAfterThePictureItWasWorkingOn) {
    for (const int at : {0, 2, 3}) {
        SCOPED_TRACE(at);
        for (Album& album : workspace.albums) album.processed = 0;
        std::filesystem::remove_all(workspace.targetDirectory);
        std::filesystem::create_directory(workspace.targetDirectory);
        CAlbumsProcessingDialog dialog(workspace, prompter);
        ProcessingView view(dialog);
        open(dialog);
        EXPECT_FALSE(view.stop->isVisible());
        bool stopShown = false;
        const int transfers = runStopping(dialog, at, [&] {
            stopShown = view.stop->isVisible() && view.stop->isEnabled();
            EXPECT_FALSE(view.process->isEnabled());
            view.stop->click();
        });
        EXPECT_TRUE(stopShown);
        EXPECT_EQ(transfers, at + 1);
        expectEveryFileInOnePlace(at + 1);
        EXPECT_EQ(workspace.albums[0].processed, at >= 2 ? 1 : 0);
        EXPECT_EQ(workspace.albums[1].processed, 0);
        EXPECT_EQ(view.firstStatus->text().toStdString(),
                  std::string("Stopped: ") + (at >= 2 ? "1" : "0") + " of 2 albums processed, " +
                      std::to_string(at + 1) + (at == 0 ? " picture" : " pictures") +
                      " transferred.");
        EXPECT_EQ(view.secondStatus->text(), "Press 'Close Window' to exit.");
        EXPECT_FALSE(view.stop->isVisible());
        EXPECT_FALSE(view.process->isEnabled());
        view.close->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    }
}

// Esc and the close box ask first; No goes on, Yes stops. Neither closes the
// window, and "Process" or "Close Window" pressed meanwhile do nothing.
TEST_F(AlbumsProcessingStopTest, escAndTheCloseBoxAskBeforeStopping) {
    CAlbumsProcessingDialog dialog(workspace, prompter);
    ProcessingView view(dialog);
    open(dialog);
    prompter.expect("Stop after this picture?", "Lumora", Buttons::YesNo, kAnswerNo);
    prompter.expect("Stop after this picture?", "Lumora", Buttons::YesNo, kAnswerYes);
    int transfers = 0;
    fs.setTransferHook([&](FsCall, const std::string&, const std::string&) {
        ++transfers;
        if (transfers == 1) {
            // Taken while the run goes on, between the pictures.
            QCoreApplication::postEvent(
                &dialog, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            dialog.onProcess();
            view.close->click();
        } else if (transfers == 2) {
            dialog.close();
        }
        return std::optional<ErrorCode>();
    });
    view.process->click();
    EXPECT_EQ(transfers, 2);
    EXPECT_EQ(prompter.questions().size(), 2u);
    expectEveryFileInOnePlace(2);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(workspace.albums[0].processed, 0);
}

// A stop asked for while a question is open ends the run once the answer
// was carried out.
TEST_F(AlbumsProcessingStopTest, stopDuringAQuestionEndsTheRunAfterItsAnswer) {
    std::filesystem::create_directory(workspace.targetDirectory + "/Rome");
    class ClickingPrompter : public ScriptedPrompter {
      public:
        QPushButton* button = nullptr;
        int ask(const std::string& text, const std::string& caption, Buttons buttons,
                Icon icon) override {
            if (button) button->click();
            return ScriptedPrompter::ask(text, caption, buttons, icon);
        }
    } clicking;
    clicking.expect("Directory already exists( Rome)! Continue?", "Lumora", Buttons::YesNo,
                    kAnswerYes);
    CAlbumsProcessingDialog dialog(workspace, clicking);
    ProcessingView view(dialog);
    open(dialog);
    clicking.button = view.stop;
    int transfers = 0;
    fs.setTransferHook([&](FsCall, const std::string&, const std::string&) {
        ++transfers;
        return std::optional<ErrorCode>();
    });
    view.process->click();
    EXPECT_EQ(transfers, 1);
    expectEveryFileInOnePlace(1);
    EXPECT_EQ(workspace.albums[0].processed, 0);
    EXPECT_EQ(view.firstStatus->text(), "Stopped: 0 of 2 albums processed, 1 picture transferred.");
}

// Ten pictures whose new names are taken in the album folder: the real
// message box offers "Do this for all conflicts"; checked with Yes on the
// first file, it is the only file question of the run and every file is
// replaced.
TEST_F(AlbumsProcessingDialogTest, tenConflictsAreAskedOnceWhenTheAnswerIsForAll) {
    Album& rome = addAlbum("Rome", 0.0f);
    for (int i = 1; i <= 10; ++i) addPicture(rome, "IMG_" + std::to_string(i) + ".JPG");
    fs.setFreeBytes(1024 * kMegabyte);
    const std::string folder = workspace.targetDirectory + "/Rome";
    std::filesystem::create_directory(folder);
    for (int i = 1; i <= 10; ++i) {
        temp.writeFile("target/Rome/Rome-" + std::to_string(i) + ".jpg", "an older file");
    }

    QtPrompter boxes;
    CAlbumsProcessingDialog dialog(workspace, boxes);
    ProcessingView view(dialog);
    open(dialog);
    ASSERT_TRUE(view.process->isEnabled());

    // Answers every box that comes up with Yes, checking "for all" on the
    // first question about a file.
    std::vector<QString> asked;
    std::vector<QString> offers;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) return;
        asked.push_back(box->text());
        offers.push_back(box->checkBox() != nullptr ? box->checkBox()->text() : QString());
        if (box->text().contains("Overwrite?") && box->checkBox() != nullptr) {
            box->checkBox()->setChecked(true);
        }
        box->button(QMessageBox::Yes)->click();
    });
    answering.start(1);
    view.process->click();
    answering.stop();

    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], "Directory already exists( Rome)! Continue?");
    EXPECT_EQ(asked[1], "Rome-1.jpg already exists! Overwrite?");
    EXPECT_EQ(offers[1], "Do this for all conflicts");
    for (int i = 1; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const std::string target = folder + "/Rome-" + std::to_string(i) + ".jpg";
        EXPECT_EQ(std::filesystem::file_size(target),
                  std::filesystem::file_size(workspace.pictures()[i - 1].path));
    }
    EXPECT_EQ(workspace.albums[0].processed, 1);
    EXPECT_EQ(view.firstStatus->text(), "1 albums created succesfuly!");
}

}  // namespace
}  // namespace lumora
