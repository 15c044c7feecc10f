// The Camera clocks dialog: its list, the offset editors, matching on film
// strips, and OK putting the corrections in force.
#include "app/CCameraClocksDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <cstring>
#include <functional>

#include "app/CClockMatchDialog.h"
#include "app/CMainDialog.h"
#include "catalog/DateTimeValue.h"
#include "res/ResourceIds.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/ScriptedShell.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;
using test::ScriptedPrompter;

PictureEntry shot(const std::string& name, const char* when, const char* make, const char* model) {
    PictureEntry picture = test::makePicture("/src/" + name, dateTimeValue(when), 1u << 20);
    std::strcpy(picture.exif->DateTime, when);
    std::strcpy(picture.exif->CameraMake, make);
    std::strcpy(picture.exif->CameraModel, model);
    return picture;
}

QImage noThumbnail(const PictureEntry&) {
    return QImage();
}

// A dialog whose matching is scripted instead of run.
class ScriptedClocksDialog : public CCameraClocksDialog {
  public:
    using CCameraClocksDialog::CCameraClocksDialog;
    std::function<int(QDialog&)> match;

  protected:
    int runMatchDialog(QDialog& dialog) override {
        return match ? match(dialog) : QDialog::Rejected;
    }
};

class CameraClocksDialogTest : public ::testing::Test {
  protected:
    CameraClocksDialogTest() {
        workspace.pictures() = {shot("n1.jpg", "2024:07:14 10:00:00", "NIKON", "E995"),
                                shot("n2.jpg", "2024:07:14 10:20:00", "NIKON", "E995"),
                                shot("c1.jpg", "2024:07:14 08:55:30", "Canon", "EOS 5D"),
                                shot("c2.jpg", "2024:07:14 09:05:30", "Canon", "EOS 5D"),
                                shot("c3.jpg", "2024:07:14 09:25:30", "Canon", "EOS 5D")};
        workspace.assignPictureIds();
    }

    QStringList row(QDialog& dialog, int index) {
        QTreeWidgetItem* item =
            controlById<QTreeWidget>(dialog, res::kIdClockList)->topLevelItem(index);
        QStringList texts;
        for (int column = 0; column < item->columnCount(); ++column) texts << item->text(column);
        return texts;
    }
    std::vector<std::string> order() {
        std::vector<std::string> names;
        for (const PictureEntry& entry : workspace.pictures())
            names.push_back(entry.path.substr(5));
        return names;
    }

    test::TzGuard zone{"UTC0"};
    Workspace workspace;
    ScriptedPrompter prompter;
};

TEST_F(CameraClocksDialogTest, listsEveryCameraAndTheEditorsSetTheSelectedOnesOffset) {
    ScriptedClocksDialog dialog(workspace, prompter, noThumbnail);
    EXPECT_EQ(dialog.windowTitle(), "Camera clocks");
    auto* list = controlById<QTreeWidget>(dialog, res::kIdClockList);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(row(dialog, 0), (QStringList{"Canon/EOS 5D", "3 pictures", "[2024-07-14] [08 55 30]",
                                           "[2024-07-14] [09 25 30]", "+00:00:00"}));
    EXPECT_EQ(row(dialog, 1), (QStringList{"NIKON/E995", "2 pictures", "[2024-07-14] [10 00 00]",
                                           "[2024-07-14] [10 20 00]", "+00:00:00"}));

    // The first camera is selected: one day and ninety minutes back.
    controlById<QComboBox>(dialog, res::kIdClockSign)->setCurrentIndex(1);
    controlById<QSpinBox>(dialog, res::kIdClockDays)->setValue(1);
    controlById<QSpinBox>(dialog, res::kIdClockHours)->setValue(1);
    controlById<QSpinBox>(dialog, res::kIdClockMinutes)->setValue(30);
    EXPECT_EQ(row(dialog, 0), (QStringList{"Canon/EOS 5D", "3 pictures", "[2024-07-13] ~[07 25 30]",
                                           "[2024-07-13] ~[07 55 30]", "-1d01:30:00"}));
    // Another camera shows its own offset in the editors.
    list->setCurrentItem(list->topLevelItem(1));
    EXPECT_EQ(controlById<QSpinBox>(dialog, res::kIdClockDays)->value(), 0);
    EXPECT_EQ(controlById<QComboBox>(dialog, res::kIdClockSign)->currentIndex(), 0);
    list->setCurrentItem(list->topLevelItem(0));
    EXPECT_EQ(controlById<QSpinBox>(dialog, res::kIdClockMinutes)->value(), 30);
    EXPECT_TRUE(workspace.clocks.empty());

    controlById<QPushButton>(dialog, res::kIdOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    CameraClocks expected;
    setClockSeconds(expected, CameraId{"Canon", "EOS 5D"}, -(86400 + 5400));
    EXPECT_EQ(workspace.clocks, expected);
    EXPECT_EQ(order(),
              (std::vector<std::string>{"c1.jpg", "c2.jpg", "c3.jpg", "n1.jpg", "n2.jpg"}));
    EXPECT_EQ(workspace.pictures()[0].dateTime, dateTimeValue("2024:07:13 07:25:30"));
}

TEST_F(CameraClocksDialogTest, matchingTwoPicturesOfOneMomentInterleavesTheCameras) {
    ScriptedClocksDialog dialog(workspace, prompter, noThumbnail);
    QString offsetShown;
    dialog.match = [&](QDialog& match) {
        EXPECT_EQ(match.windowTitle(), "Match to a picture");
        auto* own = controlById<ClockStrip>(match, res::kIdMatchOwnStrip);
        auto* reference = controlById<ClockStrip>(match, res::kIdMatchReferenceStrip);
        auto* ok = controlById<QPushButton>(match, res::kIdOk);
        EXPECT_EQ(controlById<QComboBox>(match, res::kIdMatchReferenceCamera)->currentText(),
                  "NIKON/E995");
        EXPECT_EQ(own->model()->rowCount(), 3);
        EXPECT_EQ(reference->model()->rowCount(), 2);
        EXPECT_FALSE(ok->isEnabled());
        // c1 and n1 show the same moment.
        own->choose(0);
        reference->choose(0);
        EXPECT_TRUE(ok->isEnabled());
        offsetShown = controlById<QLabel>(match, res::kIdMatchOffset)->text();
        ok->click();
        return match.result();
    };
    controlById<QPushButton>(dialog, res::kIdClockMatch)->click();
    EXPECT_EQ(offsetShown, "Offset: +01:04:30");
    EXPECT_EQ(row(dialog, 0)[4], "+01:04:30");
    EXPECT_EQ(controlById<QSpinBox>(dialog, res::kIdClockHours)->value(), 1);
    EXPECT_EQ(controlById<QSpinBox>(dialog, res::kIdClockMinutes)->value(), 4);
    EXPECT_EQ(controlById<QSpinBox>(dialog, res::kIdClockSeconds)->value(), 30);

    controlById<QPushButton>(dialog, res::kIdOk)->click();
    EXPECT_EQ(order(),
              (std::vector<std::string>{"c1.jpg", "n1.jpg", "c2.jpg", "n2.jpg", "c3.jpg"}));
}

TEST_F(CameraClocksDialogTest, anOffsetTakingPicturesOutOfASavedAlbumAsksBeforeOk) {
    Album& album = appendNewAlbum(workspace.albums);
    album.unsaved = 0;
    album.startKey = album.startTime = dateTimeValue("2024:07:14 08:55:30");
    album.endKey = album.endTime = dateTimeValue("2024:07:14 10:20:00");
    for (PictureEntry& picture : workspace.pictures()) picture.albumId = album.id;
    const Album before = album;

    ScriptedClocksDialog dialog(workspace, prompter, noThumbnail);
    dialog.show();
    controlById<QSpinBox>(dialog, res::kIdClockHours)->setValue(1);
    const std::string question =
        "1 picture of a saved album would leave its album's time range with the new camera clock. "
        "Widen the album's range so that it keeps the picture?";
    prompter.expect(question, "Camera clocks", Buttons::YesNo, kAnswerNo);
    controlById<QPushButton>(dialog, res::kIdOk)->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(workspace.clocks.empty());
    EXPECT_EQ(workspace.albums.front(), before);

    prompter.expect(question, "Camera clocks", Buttons::YesNo, kAnswerYes);
    controlById<QPushButton>(dialog, res::kIdOk)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(workspace.albums.front().endKey, dateTimeValue("2024:07:14 10:25:30"));
}

TEST_F(CameraClocksDialogTest, cancelLeavesTheClocksAsTheyWere) {
    ScriptedClocksDialog dialog(workspace, prompter, noThumbnail);
    controlById<QSpinBox>(dialog, res::kIdClockHours)->setValue(3);
    controlById<QPushButton>(dialog, res::kIdCancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(workspace.clocks.empty());
    EXPECT_EQ(workspace.pictures()[2].dateTime, dateTimeValue("2024:07:14 08:55:30"));
}

// The main window whose dialogs are looked at instead of run.
class LookingMainDialog : public CMainDialog {
  public:
    using CMainDialog::CMainDialog;
    std::function<int(QDialog&)> look;

  protected:
    int runDialog(QDialog& dialog) override { return look ? look(dialog) : QDialog::Rejected; }
};

TEST_F(CameraClocksDialogTest, theUtilitiesMenuOpensItAndTheAlbumDetailsFollow) {
    // The window starts from an empty work: the pictures come after it.
    const PictureList pictures = workspace.pictures();
    test::ScriptedShell shell;
    LookingMainDialog window(workspace, prompter, shell);
    workspace.pictures() = pictures;
    Album& album = appendNewAlbum(workspace.albums);
    album.name = "Trip";
    album.unsaved = 0;
    album.startKey = album.startTime = dateTimeValue("2024:07:14 08:55:30");
    album.endKey = album.endTime = dateTimeValue("2024:07:14 10:20:00");
    for (PictureEntry& picture : workspace.pictures()) picture.albumId = album.id;
    auto* item = window.findChild<QAction*>(idName(res::kCmdCameraClocks));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), "Camera clocks...");
    window.refreshAlbumList();
    controlById<QListWidget>(window, res::kIdAlbumList)->setCurrentRow(0);
    window.albumSelectionChanged();
    auto* details = controlById<QListWidget>(window, res::kIdAlbumDetails);
    ASSERT_NE(details, nullptr);
    const auto startLine = [&] {
        return details->count() > 3 ? details->item(3)->text() : QString();
    };
    EXPECT_EQ(startLine(), "Start date: [2024-07-14]/[08 55 30]");

    window.look = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Camera clocks");
        controlById<QComboBox>(dialog, res::kIdClockSign)->setCurrentIndex(1);
        controlById<QSpinBox>(dialog, res::kIdClockMinutes)->setValue(30);
        prompter.answer(kAnswerYes);
        dialog.accept();
        return dialog.result();
    };
    item->trigger();
    EXPECT_EQ(startLine(), "Start date: [2024-07-14]/[08 25 30]");
}

}  // namespace
}  // namespace lumora
