// What the film shows: thumbnails that follow their pictures' marks, the path
// and Picture Info that follow the keyboard, and an order that only Accept in
// the view options changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>

#include "albums/CLargeImageDialog.h"
#include "albums/CViewOptionsDialog.h"
#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

class EditAlbumFilmTest : public test::EditAlbumFixture {
  protected:
    QRgb thumbnailPixel(const PictureEntry& picture) {
        return filmImages.at(static_cast<size_t>(picture.exif->thumbnailIndex)).pixel(80, 60);
    }
    void press(Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(dialog->film(), &event);
    }
};

TEST_F(EditAlbumFilmTest, picturesJoiningAnEditAfterAClearShowWhatTheirMarksSay) {
    // Every test picture has the same pattern, so every positive thumbnail
    // has the same pixels.
    writeFourPictures();
    scan();
    openNewAlbum(1);
    select(0);
    dialog->filmDoubleClicked();
    const QRgb positive = thumbnailPixel(workspace.film[0]);
    ASSERT_NE(thumbnailPixel(workspace.film[1]), positive);
    dialog->saveAlbum();
    finish();
    ASSERT_EQ(workspace.albums[0].pictureCount, 1);

    // The edit runs positive: the three pictures in no album join after the
    // Clear and count as in.
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    ASSERT_EQ(rows(), 1);
    dialog->clearStart();
    ASSERT_EQ(rows(), 4);
    for (const PictureEntry& picture : workspace.film) {
        ASSERT_EQ(picture.isNegative, 0) << picture.path;
        EXPECT_EQ(thumbnailPixel(picture), positive) << picture.path;
    }
    // Discarded, they go back to the negative film as negatives.
    dialog->discard();
    finish();
    ASSERT_TRUE(workspace.startNewAlbum(1, prompter));
    openDialog();
    ASSERT_EQ(rows(), 3);
    for (const PictureEntry& picture : workspace.film) {
        ASSERT_EQ(picture.isNegative, 1) << picture.path;
        EXPECT_NE(thumbnailPixel(picture), positive) << picture.path;
    }
}

TEST_F(EditAlbumFilmTest, thePathAndPictureInfoFollowTheKeyboardToAnyPicture) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->show();
    QApplication::processEvents();
    // The large viewer last showed the first picture, and is closed.
    select(0);
    dialog->filmRightDoubleClicked();
    ASSERT_NE(CLargeImageDialog::openViewer(), nullptr);
    CLargeImageDialog::openViewer()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(CLargeImageDialog::viewerIndex(), 0);

    select(2);
    EXPECT_EQ(text(res::kIdPicturePath), QString::fromStdString(workspace.film[2].path));
    press(Qt::Key_Home);
    ASSERT_EQ(dialog->film()->lastSelectedRow(), 0);
    EXPECT_EQ(text(res::kIdPicturePath), QString::fromStdString(workspace.film[0].path));
    EXPECT_TRUE(infoLines().contains("Date: [2021-06-01]")) << infoLines().join("|").toStdString();
    press(Qt::Key_Right);
    ASSERT_EQ(dialog->film()->lastSelectedRow(), 1);
    EXPECT_EQ(text(res::kIdPicturePath), QString::fromStdString(workspace.film[1].path));
}

TEST_F(EditAlbumFilmTest, discardInTheViewOptionsKeepsTheOrder) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->answerDialog = [](QDialog& opened) {
        auto& options = dynamic_cast<CViewOptionsDialog&>(opened);
        options.byName();
        options.discard();
        return int(QDialog::Rejected);
    };
    dialog->viewOptions();
    EXPECT_EQ(workspace.viewOptions, (ViewOptions{1, 1, 0}));
    dialog->clearEnd();
    EXPECT_EQ(text(res::kIdSortLine), "Sorted ascendent by date. Show 4 pic.");
    EXPECT_TRUE(label(0).startsWith("1.d."));
}

}  // namespace
}  // namespace lumora
