#include "duplicates/CDuplicatesDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <string>
#include <vector>

#include "app/DuplicateCommands.h"
#include "duplicates/DuplicateRemoval.h"
#include "duplicates/DuplicatesScreenshot.h"
#include "imaging/Image.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtText.h"
#include "res/BitmapIds.h"
#include "res/ResourceIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;
using test::ScriptedPrompter;
using Lines = std::vector<std::string>;

// The dialog's controls, found by their ids.
struct DuplicatesView {
    explicit DuplicatesView(const QDialog& dialog)
        : status(controlById<QLabel>(dialog, res::kIdDuplicatesStatus)),
          analize(controlById<QPushButton>(dialog, res::kIdAnalize)),
          compare(controlById<QPushButton>(dialog, res::kIdCompare)),
          list(controlById<QListWidget>(dialog, res::kIdDuplicatesList)),
          exclude(controlById<QCheckBox>(dialog, res::kIdExcludeDuplicatesCheck)),
          viewerLabel(controlById<QLabel>(dialog, res::kIdThumbnailViewerLabel)),
          viewer(controlById<ThumbnailArea>(dialog, res::kIdThumbnailViewer)),
          remove(controlById<QPushButton>(dialog, res::kIdRemoveSelected)),
          ok(controlById<QPushButton>(dialog, res::kIdOk)),
          cancel(controlById<QPushButton>(dialog, res::kIdCancel)) {}

    bool complete() const {
        return status && analize && compare && list && exclude && viewerLabel && viewer && remove &&
               ok && cancel;
    }

    Lines lines() const {
        Lines texts;
        for (int row = 0; row < list->count(); ++row) {
            texts.push_back(pathFromQString(list->item(row)->text()));
        }
        return texts;
    }

    QLabel* status;
    QPushButton* analize;
    QPushButton* compare;
    QListWidget* list;
    QCheckBox* exclude;
    QLabel* viewerLabel;
    ThumbnailArea* viewer;
    QPushButton* remove;
    QPushButton* ok;
    QPushButton* cancel;
};

QImage placeholder() {
    Image bitmap;
    bitmap.LoadResource(res::kBitmapDuplicatePlaceholder);
    return makeBitmap(bitmap);
}

// A source folder with three byte-identical pictures a1, a2, a3 (in date
// order, as the scan lists them) and one other picture b, scanned.
class DuplicatesDialogTest : public ::testing::Test {
  protected:
    DuplicatesDialogTest() : tz("UTC") {
        test::PictureSpec spec;
        spec.dateTimeOriginal = "2021:05:06 07:08:09";
        const std::vector<uint8_t> shared = test::exifPicture(spec);
        pictureBytes = static_cast<float>(shared.size());
        a1 = dir.writeFile("src/1/a.jpg", shared);
        a2 = dir.writeFile("src/2/a.jpg", shared);
        a3 = dir.writeFile("src/3/a.jpg", shared);
        spec.seed = 7;
        spec.dateTimeOriginal = "2021:05:06 09:00:00";
        b = dir.writeFile("src/b.jpg", test::exifPicture(spec));
        workspace.scan(dir.file("src"), prompter, nullProgress());
    }

    Lines paths() {
        Lines paths;
        for (const PictureEntry& picture : workspace.pictures()) paths.push_back(picture.path);
        return paths;
    }

    test::TzGuard tz;
    test::TempDir dir;
    ScriptedPrompter prompter;
    Workspace workspace;
    std::string a1, a2, a3, b;
    float pictureBytes = 0.0f;
};

TEST_F(DuplicatesDialogTest, opensReadyToCompareOnlyWhenThePicturesCarrySignatures) {
    ASSERT_EQ(workspace.catalog.pictureCount(), 4);
    {
        CDuplicatesDialog dialog(workspace, prompter);
        const DuplicatesView view(dialog);
        ASSERT_TRUE(view.complete());
        EXPECT_EQ(dialog.windowTitle(), "Search for duplicates");
        EXPECT_EQ(view.status->text(), "Pictures not analized.Please analize first, then compare");
        EXPECT_TRUE(view.analize->isEnabled());
        EXPECT_FALSE(view.compare->isEnabled());
        dialog.onAnalize();
        EXPECT_EQ(view.status->text(), "Analize finished.Ready to compare.");
        EXPECT_FALSE(view.analize->isEnabled());
        EXPECT_TRUE(view.compare->isEnabled());
    }
    // As after loading a session whose pictures were analysed, with the
    // exclude box left checked: Compare at once, the box shown but not usable.
    workspace.excludeDuplicates = 1;
    CDuplicatesDialog dialog(workspace, prompter);
    const DuplicatesView view(dialog);
    EXPECT_EQ(view.status->text(), "Pictures are analized. You may compare them.");
    EXPECT_FALSE(view.analize->isEnabled());
    EXPECT_TRUE(view.compare->isEnabled());
    EXPECT_TRUE(view.exclude->isChecked());
    EXPECT_FALSE(view.exclude->isEnabled());
    EXPECT_FALSE(view.remove->isEnabled());
    std::vector<QString> statusAtLines;
    QObject::connect(view.list->model(), &QAbstractItemModel::rowsInserted,
                     [&] { statusAtLines.push_back(view.status->text()); });
    dialog.onCompare();
    EXPECT_EQ(view.lines(), (Lines{"### Duplicate nr.1 ###", a1, a2, a3}));
    EXPECT_EQ(view.status->text(), "Ready. Found 2 duplicates");
    // The lines came while the pass ran, not all at its end.
    ASSERT_FALSE(statusAtLines.empty());
    EXPECT_NE(statusAtLines.front(), "Ready. Found 2 duplicates");
    EXPECT_TRUE(view.exclude->isEnabled());
    EXPECT_EQ(workspace.duplicatesFound, 2);

    // Without pictures nothing counts as analysed.
    Workspace empty;
    CDuplicatesDialog emptyDialog(empty, prompter);
    const DuplicatesView emptyView(emptyDialog);
    EXPECT_FALSE(emptyView.compare->isEnabled());
    EXPECT_EQ(emptyView.status->text(), "Pictures not analized.Please analize first, then compare");
}

TEST_F(DuplicatesDialogTest, theHeaderLineShowsThePlaceholderAndAPictureLineItsThumbnail) {
    CDuplicatesDialog dialog(workspace, prompter);
    const DuplicatesView view(dialog);
    dialog.onAnalize();
    dialog.onCompare();
    dialog.show();

    view.list->setCurrentRow(1);
    EXPECT_TRUE(view.remove->isEnabled());
    EXPECT_TRUE(view.viewerLabel->isEnabled());
    const QImage thumbnail = view.viewer->bitmap();
    ASSERT_FALSE(thumbnail.isNull());
    EXPECT_NE(thumbnail, placeholder());
    // The thumbnail is still there after the area repaints.
    view.viewer->repaint();
    QImage expected(view.viewer->contentsRect().size(), QImage::Format_RGB32);
    {
        QPainter painter(&expected);
        draw(painter, thumbnail, expected.rect());
    }
    EXPECT_EQ(view.viewer->grab(view.viewer->contentsRect())
                  .toImage()
                  .convertToFormat(QImage::Format_RGB32),
              expected);

    view.list->setCurrentRow(0);
    EXPECT_EQ(view.viewer->bitmap(), placeholder());
    EXPECT_FALSE(view.remove->isEnabled());
    EXPECT_FALSE(view.viewerLabel->isEnabled());
    // Even when asked directly, a header line is no picture to remove.
    prompter.expect("Item not removed", "", Buttons::Ok, kAnswerOk);
    dialog.onRemoveSelected();
    EXPECT_EQ(workspace.catalog.pictureCount(), 4);
    EXPECT_EQ(view.lines().size(), 4u);
}

TEST_F(DuplicatesDialogTest, removingAGroupsFirstPictureRegroupsTheRest) {
    CDuplicatesDialog dialog(workspace, prompter);
    const DuplicatesView view(dialog);
    dialog.onAnalize();
    dialog.onCompare();
    view.list->setCurrentRow(1);
    ASSERT_TRUE(view.remove->isEnabled());
    view.remove->click();

    EXPECT_EQ(view.lines(), (Lines{"### Duplicate nr.1 ###", a2, a3}));
    EXPECT_EQ(view.status->text(), "Ready. Found 1 duplicates");
    EXPECT_EQ(paths(), (Lines{a2, a3, b}));
    EXPECT_EQ(workspace.removedPictures.size(), 1u);
    EXPECT_EQ(workspace.removedPictures[0].isRemoved, 1);
    EXPECT_FALSE(view.remove->isEnabled());
    EXPECT_EQ(view.viewer->bitmap(), placeholder());
    EXPECT_FALSE(view.viewer->isEnabled());
    EXPECT_TRUE(view.exclude->isEnabled());

    // The last duplicate removed: nothing is left to exclude.
    view.list->setCurrentRow(2);
    view.remove->click();
    EXPECT_TRUE(view.lines().empty());
    EXPECT_EQ(view.status->text(), "Found no duplicates");
    EXPECT_FALSE(view.exclude->isEnabled());
}

TEST_F(DuplicatesDialogTest, okWithTheBoxUncheckedRemovesNothingButReportsEarlierRemovals) {
    {
        CDuplicatesDialog dialog(workspace, prompter);
        const DuplicatesView view(dialog);
        dialog.onAnalize();
        dialog.onCompare();
        view.ok->click();  // nothing freed: no message
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(workspace.catalog.pictureCount(), 4);
    }
    workspace.filmBuilt = 1;
    CDuplicatesDialog dialog(workspace, prompter);
    const DuplicatesView view(dialog);
    dialog.onCompare();
    view.list->setCurrentRow(3);
    view.remove->click();
    ASSERT_EQ(paths(), (Lines{a1, a2, b}));
    EXPECT_FALSE(view.exclude->isChecked());
    prompter.expect("Ready! 1 duplicate pics removed:   0.0 MB space freed.", "", Buttons::Ok,
                    kAnswerOk);
    view.ok->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // a2 is still marked, but stays in the list.
    EXPECT_EQ(paths(), (Lines{a1, a2, b}));
    EXPECT_EQ(workspace.freedBytes, pictureBytes);
    EXPECT_EQ(workspace.filmBuilt, 0);
}

TEST_F(DuplicatesDialogTest, okWithTheBoxCheckedRemovesEveryMarkedDuplicate) {
    CDuplicatesDialog dialog(workspace, prompter);
    const DuplicatesView view(dialog);
    dialog.onAnalize();
    dialog.onCompare();
    view.exclude->click();
    // The box takes effect on OK only.
    EXPECT_EQ(workspace.excludeDuplicates, 0);
    prompter.expect("Ready! 2 duplicate pics removed:   0.0 MB space freed.", "", Buttons::Ok,
                    kAnswerOk);
    view.ok->click();
    EXPECT_EQ(workspace.excludeDuplicates, 1);
    EXPECT_EQ(paths(), (Lines{a1, b}));
    EXPECT_EQ(workspace.freedBytes, 2 * pictureBytes);
}

TEST_F(DuplicatesDialogTest, cancelLeavesTheExcludeSettingAndOkKeepsTheAlbumsCopy) {
    // a3 is in an album; a1 and a2 are its copies in none.
    Album& album = appendNewAlbum(workspace.albums);
    for (PictureEntry& picture : workspace.pictures()) {
        if (picture.path == a3) picture.albumId = album.id;
    }
    {
        CDuplicatesDialog dialog(workspace, prompter);
        const DuplicatesView view(dialog);
        dialog.onAnalize();
        dialog.onCompare();
        EXPECT_EQ(view.lines(), (Lines{"### Duplicate nr.1 ###", a3, a1, a2}));
        view.exclude->click();
        view.cancel->click();
        EXPECT_EQ(workspace.excludeDuplicates, 0);
        EXPECT_EQ(paths(), (Lines{a1, a2, a3, b}));
    }
    CDuplicatesDialog dialog(workspace, prompter);
    const DuplicatesView view(dialog);
    dialog.onCompare();
    view.exclude->click();
    prompter.expect("Ready! 2 duplicate pics removed:   0.0 MB space freed.", "", Buttons::Ok,
                    kAnswerOk);
    view.ok->click();
    finishDuplicateSearch(workspace);
    EXPECT_EQ(paths(), (Lines{a3, b}));
    EXPECT_EQ(workspace.albums[0].pictureCount, 1);
}

TEST_F(DuplicatesDialogTest, cancelAfterRemoveSelectedKeepsTheRemovalAndRecountsTheAlbumsOnce) {
    // The album holds a1, a2 and b: both copies in it stay, a3 is the duplicate.
    Album& album = appendNewAlbum(workspace.albums);
    for (PictureEntry& picture : workspace.pictures()) {
        if (picture.path != a3) picture.albumId = album.id;
    }
    recountAlbums(workspace.albums, workspace.pictures());
    const float allMB = workspace.albums[0].sizeMB;
    ASSERT_EQ(workspace.albums[0].pictureCount, 3);

    for (int opening = 0; opening < 2; ++opening) {
        CDuplicatesDialog dialog(workspace, prompter);
        const DuplicatesView view(dialog);
        if (opening == 0) {
            dialog.onAnalize();
            dialog.onCompare();
            ASSERT_EQ(view.lines(), (Lines{"### Duplicate nr.1 ###", a1, a2, a3}));
            view.list->setCurrentRow(2);
            view.remove->click();
        }
        view.cancel->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        // What the main window does after the dialog, whichever way it ended.
        finishDuplicateSearch(workspace);
        EXPECT_EQ(paths(), (Lines{a1, a3, b}));
        EXPECT_EQ(workspace.albums[0].pictureCount, 2);
        EXPECT_FLOAT_EQ(workspace.albums[0].sizeMB, allMB - pictureBytes * 9.536743e-7f);
        EXPECT_EQ(workspace.statusText,
                  "3 unique .JPG Files with exif information. Duplicates 1. Removed 1");
    }
}

TEST_F(DuplicatesDialogTest, theScreenshotShowsAGroupOrSaysThereIsNone) {
    const std::string shots = dir.file("shots");
    ASSERT_TRUE(writeDuplicatesScreenshot(dir.file("src"), shots));
    const QImage shot(pathToQString(shots + "/duplicates.png"));
    EXPECT_FALSE(shot.isNull());

    dir.writeFile("single/b.jpg", test::exifPicture("2021:05:06 09:00:00"));
    EXPECT_FALSE(writeDuplicatesScreenshot(dir.file("single"), dir.file("none")));
}

}  // namespace
}  // namespace lumora
