#include "processing/CAlbumsProcessingDialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <vector>

#include "albums/Megabytes.h"
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
          close(controlById<QPushButton>(dialog, res::kIdOk)) {}

    bool complete() const {
        return firstStatus && albumBar && secondStatus && fileBar && process && close;
    }

    QLabel* firstStatus;
    QProgressBar* albumBar;
    QLabel* secondStatus;
    QProgressBar* fileBar;
    QPushButton* process;
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

}  // namespace
}  // namespace lumora
