// The album's range and the film's place: whatever order the film is shown
// in, a range runs from the earliest to the latest picture, and a rebuild of
// the film keeps the selected picture and the scroll position.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <cstdio>

#include "albums/EditAlbumText.h"
#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

using test::controlById;

class EditAlbumRangeTest : public test::EditAlbumFixture {
  protected:
    // Pictures a minute apart, named so that by name they run backwards.
    void writePictures(int count) {
        for (int i = 0; i < count; ++i) {
            char name[32];
            char date[32];
            std::snprintf(name, sizeof name, "src/p%02d.jpg", count - 1 - i);
            std::snprintf(date, sizeof date, "2021:06:01 10:%02d:00", i);
            dir.writeFile(name, test::exifPicture(date));
        }
    }
};

TEST_F(EditAlbumRangeTest, aNewAlbumSpansTheWholeFilmWhateverItsOrder) {
    writeFourPictures();
    scan();
    const ViewOptions orders[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 0}};
    for (const ViewOptions& order : orders) {
        SCOPED_TRACE(sortLine(order, 4));
        workspace.viewOptions = order;
        openNewAlbum();
        EXPECT_EQ(text(res::kIdStartLabel), "[2021-06-01] [10 00 00]");
        EXPECT_EQ(text(res::kIdEndLabel), "[2021-06-02] [09 30 00]");
        EXPECT_EQ(rows(), 4);
        EXPECT_EQ(text(res::kIdAlbumHeader), "New Album:  4 pictures in album.");
        // With nothing selected the ends are the earliest and the latest
        // picture again.
        dialog->clearStart();
        dialog->clearEnd();
        dialog->film()->clearSelection();
        dialog->setEndDate();
        dialog->setStartDate();
        EXPECT_EQ(text(res::kIdStartLabel), "[2021-06-01] [10 00 00]");
        EXPECT_EQ(text(res::kIdEndLabel), "[2021-06-02] [09 30 00]");
        EXPECT_EQ(rows(), 4);
        dialog->discard();
        finish();
    }
}

TEST_F(EditAlbumRangeTest, anAlbumSavedFromAFilmByNameHoldsEveryPictureAndOpensWithThemAgain) {
    writeFourPictures();
    scan();
    workspace.viewOptions = ViewOptions{0, 1, 0};
    openNewAlbum();
    dialog->saveAlbum();
    finish();
    ASSERT_EQ(workspace.albums.size(), 1u);
    const Album& album = workspace.albums[0];
    EXPECT_LE(album.startKey, album.endKey);
    EXPECT_EQ(album.pictureCount, 4);
    for (const PictureEntry& entry : workspace.pictures()) EXPECT_EQ(entry.albumId, 1);

    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    EXPECT_EQ(rows(), 4);
    dialog->saveAlbum();
    finish();
    EXPECT_EQ(workspace.albums[0].pictureCount, 4);
    for (const PictureEntry& entry : workspace.pictures()) EXPECT_EQ(entry.albumId, 1);
}

TEST_F(EditAlbumRangeTest, theFilmKeepsItsSelectedPictureAndScrollPositionAcrossRebuilds) {
    writePictures(30);
    scan();
    openNewAlbum();
    dialog->resize(1000, 600);
    dialog->show();
    QApplication::processEvents();
    QScrollBar* bar = dialog->film()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    select(20);
    QApplication::processEvents();
    const int scrolled = bar->value();
    ASSERT_GT(scrolled, 0);
    const std::string picked = workspace.film[20].path;
    const auto expectKept = [&](const char* after) {
        QApplication::processEvents();
        const int row = dialog->film()->lastSelectedRow();
        ASSERT_GE(row, 0) << after;
        EXPECT_EQ(workspace.film.at(static_cast<size_t>(row)).path, picked) << after;
        EXPECT_EQ(bar->value(), scrolled) << after;
    };
    dialog->setEndDate();
    ASSERT_EQ(rows(), 21);
    expectKept("Set End Date");
    dialog->clearEnd();
    ASSERT_EQ(rows(), 30);
    expectKept("Clear");
    dialog->filmDoubleClicked();
    expectKept("a double-click");
    dialog->answerDialog = [&](QDialog&) {
        Album& album = *workspace.currentAlbum();
        album.startTime = album.startKey = workspace.film.front().dateTime;
        album.endTime = album.endKey = workspace.film.back().dateTime;
        return int(QDialog::Accepted);
    };
    dialog->manualTimeRange();
    expectKept("the manual range");
    // What every change in the Advanced Filter window asks for.
    dialog->buildFilm();
    expectKept("a filter change");
    // The pictures before it leave the film: the picture stays selected and
    // in view.
    dialog->setStartDate();
    QApplication::processEvents();
    ASSERT_EQ(dialog->film()->lastSelectedRow(), 0);
    EXPECT_EQ(workspace.film[0].path, picked);
    const QRect shown = dialog->film()->visualRect(dialog->filmModel()->index(0));
    EXPECT_TRUE(dialog->film()->viewport()->rect().intersects(shown));
}

}  // namespace
}  // namespace lumora
