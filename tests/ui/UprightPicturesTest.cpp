// Pictures taken with the camera turned show upright on the film, in the
// large viewer and in the duplicates dialog's thumbnail, whichever of the
// eight orientations the camera recorded.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>

#include "albums/CLargeImageDialog.h"
#include "duplicates/CDuplicatesDialog.h"
#include "platform/QtText.h"
#include "tests/support/UprightCheck.h"
#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

test::ColourAt colourAtOf(const QImage& image) {
    return [image](int x, int y) {
        const QRgb pixel = image.pixel(x, y);
        return samples::SceneColour{static_cast<uint8_t>(qRed(pixel)),
                                    static_cast<uint8_t>(qGreen(pixel)),
                                    static_cast<uint8_t>(qBlue(pixel))};
    };
}

class UprightPicturesTest : public test::EditAlbumFixture {
  protected:
    // One picture of the scene per orientation, an hour apart, so that the
    // film lists them in orientation order; `copies` of each.
    void writeScenes(bool withThumbnail, int copies = 1) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            test::PictureSpec spec;
            spec.orientation = orientation;
            spec.scene = true;
            spec.withThumbnail = withThumbnail;
            spec.dateTimeOriginal = "2021:06:01 1" + std::to_string(orientation) + ":00:00";
            for (int copy = 0; copy < copies; ++copy) {
                dir.writeFile("src/" + std::to_string(copy) + "/o" + std::to_string(orientation) +
                                  ".jpg",
                              test::exifPicture(spec));
            }
        }
    }
    void expectUprightFilm();
    const QImage& thumbnailOf(size_t filmPosition) {
        return filmImages.at(static_cast<size_t>(workspace.film.at(filmPosition).exif->thumbnailIndex));
    }
};

void UprightPicturesTest::expectUprightFilm() {
    scan();
    openNewAlbum();
    ASSERT_EQ(rows(), 8);
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const QImage& thumbnail = thumbnailOf(static_cast<size_t>(orientation - 1));
        ASSERT_EQ(thumbnail.size(), QSize(160, 120));
        if (orientation < 5) {
            EXPECT_EQ(test::uprightFault(colourAtOf(thumbnail), 0, 0, 160, 120), "");
        } else {
            // A portrait fits the cell's height, between black bands.
            EXPECT_EQ(test::uprightFault(colourAtOf(thumbnail), 35, 0, 90, 120), "");
            EXPECT_EQ(thumbnail.pixel(5, 60), qRgb(0, 0, 0));
            EXPECT_EQ(thumbnail.pixel(154, 60), qRgb(0, 0, 0));
        }
    }
}

TEST_F(UprightPicturesTest, theFilmShowsEveryOrientationUprightFromTheFiles) {
    writeScenes(false);
    expectUprightFilm();
}

TEST_F(UprightPicturesTest, theFilmShowsEveryOrientationUprightFromEmbeddedThumbnails) {
    writeScenes(true);
    expectUprightFilm();
}

TEST_F(UprightPicturesTest, leavingOutAndTakingInKeepsThePictureUpright) {
    writeScenes(false);
    scan();
    openNewAlbum();
    // The sixth picture (orientation 6) is left out, then taken in again.
    select(5);
    dialog->filmDoubleClicked();
    QImage negative = thumbnailOf(5);
    negative.invertPixels();
    EXPECT_EQ(test::uprightFault(colourAtOf(negative), 35, 0, 90, 120), "");
    dialog->filmDoubleClicked();
    EXPECT_EQ(test::uprightFault(colourAtOf(thumbnailOf(5)), 35, 0, 90, 120), "");
}

TEST_F(UprightPicturesTest, theLargeViewerShowsEveryOrientationUpright) {
    writeScenes(true);
    scan();
    openNewAlbum();
    select(0);
    dialog->filmRightDoubleClicked();
    CLargeImageDialog* viewer = CLargeImageDialog::openViewer();
    ASSERT_NE(viewer, nullptr);
    auto* picture = test::controlById<QLabel>(*viewer, res::kIdLargePicture);
    // Stepping through the film uses the cached neighbours as well as fresh
    // decodes; every one is upright.
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        select(orientation - 1);
        const QImage shown = picture->pixmap().toImage();
        // Stored 64 x 48: 799 x 599 as a landscape, 799 x 1066 as a portrait.
        EXPECT_EQ(shown.size(), orientation < 5 ? QSize(799, 599) : QSize(799, 1066));
        EXPECT_EQ(test::uprightFault(colourAtOf(shown), 0, 0, shown.width(), shown.height()), "");
    }
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(UprightPicturesTest, theDuplicatesThumbnailShowsEveryOrientationUpright) {
    // Two copies of each picture: eight groups of two.
    writeScenes(false, 2);
    scan();
    CDuplicatesDialog duplicates(workspace, prompter);
    duplicates.onAnalize();
    duplicates.onCompare();
    auto* list = test::controlById<QListWidget>(duplicates, res::kIdDuplicatesList);
    auto* viewer = test::controlById<ThumbnailArea>(duplicates, res::kIdThumbnailViewer);
    int checked = 0;
    for (int row = 0; row < list->count(); ++row) {
        const std::string line = pathFromQString(list->item(row)->text());
        const size_t at = line.rfind(kPathSeparator + std::string("o"));
        if (at == std::string::npos) continue;  // a group's header
        const int orientation = line[at + 2] - '0';
        SCOPED_TRACE(line);
        list->setCurrentRow(row);
        const QImage shown = viewer->bitmap();
        if (orientation < 5) {
            EXPECT_EQ(test::uprightFault(colourAtOf(shown), 0, 0, shown.width(), shown.height()),
                      "");
        } else {
            ASSERT_EQ(shown.size(), QSize(160, 120));
            EXPECT_EQ(test::uprightFault(colourAtOf(shown), 35, 0, 90, 120), "");
        }
        ++checked;
    }
    EXPECT_EQ(checked, 16);
    // The signatures were made of the stored pictures: turned copies of one
    // scene are no duplicates of each other, as before.
    EXPECT_EQ(workspace.duplicatesFound, 8);
}

}  // namespace
}  // namespace lumora
