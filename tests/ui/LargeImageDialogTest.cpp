#include "albums/CLargeImageDialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

#include "albums/ViewerPicture.h"
#include "res/ResourceIds.h"
#include "samples/JpegFileWriter.h"
#include "tests/support/TempDir.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;

PictureEntry filmPicture(const std::string& path) {
    PictureEntry entry;
    entry.path = path;
    entry.exif = std::make_shared<ExifInfo>();
    return entry;
}

void deleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class LargeImageDialogTest : public ::testing::Test {
  protected:
    LargeImageDialogTest() {
        // A 4:3 picture, a 3:2 one, and a file that is no picture.
        film.push_back(
            filmPicture(dir.writeFile("a.jpg", samples::encodePattern(640, 480, 3, 85, 1))));
        film.push_back(
            filmPicture(dir.writeFile("b.jpg", samples::encodePattern(300, 200, 3, 85, 2))));
        film.push_back(filmPicture(dir.writeFile("c.jpg", "not a picture")));
        film.push_back(
            filmPicture(dir.writeFile("d.jpg", samples::encodePattern(96, 72, 1, 85, 3))));
    }
    ~LargeImageDialogTest() override {
        if (viewer) viewer->close();
        deleteClosedWindows();
    }

    QSize pixmapSize() const { return picture()->pixmap().size(); }
    QLabel* picture() const { return controlById<QLabel>(*viewer, res::kIdLargePicture); }
    QString pathText() const {
        return controlById<QLabel>(*viewer, res::kIdLargePicturePath)->text();
    }

    test::TempDir dir;
    FilmList film;
    QPointer<CLargeImageDialog> viewer = new CLargeImageDialog(realFileSystem(), nullptr);
};

TEST_F(LargeImageDialogTest, showsThePictureAt799WideWithItsPath) {
    viewer->openAt(film, 0);
    EXPECT_EQ(viewer->windowTitle(), "View Large Image");
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_FALSE(viewer->isModal());
    ASSERT_NE(picture(), nullptr);
    EXPECT_EQ(pixmapSize(), QSize(799, 599));
    EXPECT_EQ(pathText(), QString::fromStdString(film[0].path));
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 0);
    EXPECT_EQ(controlById<QPushButton>(*viewer, res::kIdCancel)->text(), "Close");

    viewer->follow(film, 1);
    EXPECT_EQ(pixmapSize(), QSize(799, 533));
    EXPECT_EQ(pathText(), QString::fromStdString(film[1].path));
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 1);

    // A jump to a grey picture.
    viewer->follow(film, 3);
    EXPECT_EQ(pixmapSize(), QSize(799, 599));
    EXPECT_EQ(pathText(), QString::fromStdString(film[3].path));

    // The position last shown is not shown again, even when its file changed.
    dir.writeFile("d.jpg", samples::encodePattern(300, 200, 3, 85, 4));
    viewer->follow(film, 3);
    EXPECT_EQ(pixmapSize(), QSize(799, 599));
}

TEST_F(LargeImageDialogTest, aPictureThatCannotBeDecodedIsReplacedByASayingUnderItsPath) {
    viewer->openAt(film, 1);
    viewer->follow(film, 2);
    // Neither the previous picture nor its path stays.
    EXPECT_TRUE(picture()->pixmap().isNull());
    EXPECT_EQ(picture()->text(), kPictureNotDecodedText);
    EXPECT_EQ(pathText(), QString::fromStdString(film[2].path));
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 2);
    // The next step shows a picture again.
    viewer->follow(film, 3);
    EXPECT_EQ(pixmapSize(), QSize(799, 599));
    EXPECT_TRUE(picture()->text().isEmpty());
    EXPECT_EQ(pathText(), QString::fromStdString(film[3].path));

    // Opening on it in the open viewer says so as well.
    viewer->openAt(film, 0);
    viewer->openAt(film, 2);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_TRUE(picture()->pixmap().isNull());
    EXPECT_EQ(picture()->text(), kPictureNotDecodedText);
    EXPECT_EQ(pathText(), QString::fromStdString(film[2].path));
}

TEST_F(LargeImageDialogTest, aViewerOpenedOnAnUndecodablePictureNeverShows) {
    int closed = 0;
    QObject::connect(viewer, &CLargeImageDialog::closed, [&closed] { ++closed; });
    viewer->openAt(film, 2);
    EXPECT_EQ(closed, 1);
    deleteClosedWindows();
    EXPECT_TRUE(viewer.isNull());
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 2);
}

TEST_F(LargeImageDialogTest, closingEmitsClosedOnceAndDeletesTheWindow) {
    int closed = 0;
    QObject::connect(viewer, &CLargeImageDialog::closed, [&closed] { ++closed; });
    viewer->openAt(film, 0);
    EXPECT_EQ(CLargeImageDialog::openViewer(), viewer.data());
    controlById<QPushButton>(*viewer, res::kIdCancel)->click();
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(CLargeImageDialog::openViewer(), nullptr);
    deleteClosedWindows();
    EXPECT_TRUE(viewer.isNull());
    // The index outlives the viewer.
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 0);

    viewer = new CLargeImageDialog(realFileSystem(), nullptr);
    QObject::connect(viewer, &CLargeImageDialog::closed, [&closed] { ++closed; });
    viewer->openAt(film, 1);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(viewer, &escape);
    EXPECT_EQ(closed, 2);
    deleteClosedWindows();
    EXPECT_TRUE(viewer.isNull());
}

TEST_F(LargeImageDialogTest, aSecondViewerClosesTheFirst) {
    viewer->openAt(film, 0);
    QPointer<CLargeImageDialog> second = new CLargeImageDialog(realFileSystem(), nullptr);
    EXPECT_FALSE(viewer->isVisible());
    EXPECT_EQ(CLargeImageDialog::openViewer(), second.data());
    second->openAt(film, 1);
    second->close();
    deleteClosedWindows();
    EXPECT_TRUE(viewer.isNull());
    EXPECT_TRUE(second.isNull());
}

}  // namespace
}  // namespace lumora
