// The files a scan left out: the status text's count, the link under it, the
// Utilities menu item, and the window that lists them with their reasons.
#include "app/CLeftOutDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <algorithm>
#include <cstring>
#include <functional>

#include "app/CMainDialog.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/ScriptedShell.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;

constexpr const char* kDate = "2021:06:01 10:00:00";

// The main window whose dialogs are looked at instead of run.
class LookingMainDialog : public CMainDialog {
  public:
    using CMainDialog::CMainDialog;
    std::function<void(QDialog&)> look;
    int dialogsRun = 0;

  protected:
    int runDialog(QDialog& dialog) override {
        ++dialogsRun;
        if (look) look(dialog);
        return QDialog::Accepted;
    }
};

// A picture whose EXIF block has a byte order the reader refuses.
std::vector<uint8_t> refusedExifPicture() {
    std::vector<uint8_t> bytes = test::exifPicture(kDate);
    const char header[] = "Exif\0\0";
    auto at = std::search(bytes.begin(), bytes.end(), header, header + 6);
    if (at != bytes.end() && at + 8 <= bytes.end()) {
        at[6] = 'Z';
        at[7] = 'Z';
    }
    return bytes;
}

QStringList rowsOf(QDialog& dialog) {
    auto* list = controlById<QTreeWidget>(dialog, res::kIdLeftOutList);
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        rows << list->topLevelItem(i)->text(0) + " | " + list->topLevelItem(i)->text(1);
    }
    rows.sort();
    return rows;
}

TEST(LeftOutDialog, theStatusTextCountsTheFilesLeftOutAndTheLinkAndTheMenuListThemWithReasons) {
    test::TempDir dir;
    dir.writeFile("src/listed.jpg", test::exifPicture(kDate));
    dir.writeFile("src/listed.CR2", std::string("its raw companion"));
    dir.writeFile("src/plain.jpg", test::plainPicture());
    dir.writeFile("src/refused.jpg", refusedExifPicture());
    test::PictureSpec undated;
    undated.make = "Camera";
    dir.writeFile("src/undated.jpg", test::exifPicture(undated));
    dir.writeFile("src/broken.jpg", std::string("not a picture"));
    dir.writeFile("src/long.jpeg", test::exifPicture(kDate));
    dir.writeFile("src/clip.mp4", std::string("video"));
    dir.writeFile("src/notes.txt", std::string("text"));
    const std::string source = dir.file("src");

    Workspace workspace;
    test::ScriptedPrompter prompter;
    test::ScriptedShell shell;
    LookingMainDialog window(workspace, prompter, shell);
    auto* link = controlById<QLabel>(window, res::kIdLeftOutLink);
    EXPECT_TRUE(link->isHidden());

    window.useSource(source);
    EXPECT_EQ(controlById<QLabel>(window, res::kIdStatusText)->text(),
              "Found 1 .JPG pictures that have exif information. (6 files left out)");
    EXPECT_FALSE(link->isHidden());

    const QStringList expected = {"EXIF block refused | " + pathToQString(dir.file("src/refused.jpg")),
                                  "damaged file | " + pathToQString(dir.file("src/broken.jpg")),
                                  "name not taken | " + pathToQString(dir.file("src/long.jpeg")),
                                  "no EXIF block | " + pathToQString(dir.file("src/plain.jpg")),
                                  "no capture date | " + pathToQString(dir.file("src/undated.jpg")),
                                  "not a JPEG picture | " + pathToQString(dir.file("src/clip.mp4"))};
    QStringList seen;
    window.look = [&](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Files left out");
        seen = rowsOf(dialog);
    };
    emit link->linkActivated(QStringLiteral("left-out"));
    EXPECT_EQ(window.dialogsRun, 1);
    EXPECT_EQ(seen, expected);

    seen.clear();
    auto* menuItem = window.findChild<QAction*>(idName(res::kCmdFilesLeftOut));
    ASSERT_NE(menuItem, nullptr);
    EXPECT_EQ(menuItem->text(), "Files left out...");
    menuItem->trigger();
    EXPECT_EQ(window.dialogsRun, 2);
    EXPECT_EQ(seen, expected);

    // A source with nothing left out: the status text is the scan's own, the
    // link goes, and the window says so.
    dir.writeFile("clean/a.jpg", test::exifPicture(kDate));
    window.useSource(dir.file("clean"));
    EXPECT_EQ(controlById<QLabel>(window, res::kIdStatusText)->text(),
              "Found 1 .JPG pictures that have exif information.");
    EXPECT_TRUE(link->isHidden());
    window.look = [&](QDialog& dialog) {
        EXPECT_TRUE(rowsOf(dialog).isEmpty());
        bool saysNone = false;
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            saysNone = saysNone || label->text() == "The last scan left no file out.";
        }
        EXPECT_TRUE(saysNone);
    };
    menuItem->trigger();
    EXPECT_EQ(window.dialogsRun, 3);
}

TEST(LeftOutDialog, closeEndsTheWindow) {
    CLeftOutDialog dialog({{"/card/a.png", LeftOutReason::NotJpeg}});
    dialog.show();
    controlById<QPushButton>(dialog, res::kIdOk)->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace lumora
