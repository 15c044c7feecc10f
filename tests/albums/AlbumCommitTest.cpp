#include "albums/AlbumCommit.h"

#include <gtest/gtest.h>

#include "tests/albums/TestPictures.h"

namespace lumora {
namespace {

using test::albumIdsByPath;
using test::negativesByPath;
using test::picturesAt;
using Ids = std::vector<int32_t>;

struct Remade {
    std::string path;
    bool negative;
    RemakeReason reason;
    bool operator==(const Remade&) const = default;
};

// Pictures at 100 ... 500, one album (id 4) being made or edited.
class AlbumCommitTest : public ::testing::Test {
  protected:
    AlbumCommitTest() : pictures(picturesAt({100, 200, 300, 400, 500})) {
        albums.push_back(Album{});
        albums[0].id = 4;
        remake = [this](const PictureEntry& p, bool negative, RemakeReason reason) {
            remade.push_back({p.path, negative, reason});
            return true;
        };
    }

    Album& album() { return albums[0]; }
    void setRange(uint64_t start, uint64_t end) {
        album().startTime = album().startKey = start;
        album().endTime = album().endKey = end;
    }
    void select() {
        FilmRules rules;
        rules.editMode = state.editMode != 0;
        rules.view = view;
        selectFilmPictures(pictures, film, album(), rules, state);
    }
    void commit(CommitKind kind) { commitAlbum(pictures, film, albums, state, kind, remake); }

    PictureList pictures;
    FilmList film;
    AlbumList albums;
    EditState state;
    ViewOptions view;
    RemakeThumbnail remake;
    std::vector<Remade> remade;
};

TEST_F(AlbumCommitTest, saveGivesTheAlbumItsFilmPicturesAndReleasesExcludedOnes) {
    setRange(200, 400);
    select();
    film[1].isNegative = 1;  // p3 left out by a double-click
    commit(CommitKind::Save);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 4, 0, 4, 0}));
    EXPECT_TRUE(film.empty());
    // Positive film: the excluded picture's thumbnail is made positive again.
    EXPECT_EQ(remade, (std::vector<Remade>{{"/src/p3.jpg", false, RemakeReason::Save}}));
    EXPECT_EQ(negativesByPath(pictures), (Ids{0, 0, 0, 0, 0}));
}

TEST_F(AlbumCommitTest, saveInANegativeFilmKeepsExcludedThumbnailsNegative) {
    state.negativeFilm = 1;
    for (PictureEntry& entry : pictures) entry.isNegative = 1;
    setRange(100, 500);
    select();
    film[0].isNegative = 0;  // developed
    commit(CommitKind::Save);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{4, 0, 0, 0, 0}));
    EXPECT_TRUE(remade.empty());
    EXPECT_EQ(negativesByPath(pictures), (Ids{1, 1, 1, 1, 1}));
}

TEST_F(AlbumCommitTest, saveSetsTheRangeToTheFilmsFirstAndLastPicture) {
    setRange(150, 450);
    select();
    commit(CommitKind::Save);
    EXPECT_EQ(album().startKey, 200u);
    EXPECT_EQ(album().startTime, 200u);
    EXPECT_EQ(album().endKey, 400u);
    EXPECT_EQ(album().endTime, 400u);
}

TEST_F(AlbumCommitTest, saveOfADescendingFilmSpansItsEarliestToItsLatestPicture) {
    view.sortAscending = 0;
    setRange(200, 400);
    select();
    ASSERT_EQ(film.front().dateTime, 400u);
    commit(CommitKind::Save);
    EXPECT_EQ(album().startTime, 200u);
    EXPECT_EQ(album().startKey, 200u);
    EXPECT_EQ(album().endTime, 400u);
    EXPECT_EQ(album().endKey, 400u);
}

TEST_F(AlbumCommitTest, saveOfAFilmSortedByNameSpansItsEarliestToItsLatestPicture) {
    // By name the film runs 300, 400, 100, 200: its ends are neither the
    // earliest nor the latest picture.
    pictures = {test::makePicture("/src/Trip/a.jpg", 100, 1),
                test::makePicture("/src/TripA/a.jpg", 200, 1),
                test::makePicture("/src/Trip2/a.jpg", 300, 1),
                test::makePicture("/src/Trip@/a.jpg", 400, 1)};
    view.sortByDate = 0;
    setRange(100, 400);
    select();
    ASSERT_EQ(test::paths(film), (std::vector<std::string>{"/src/Trip2/a.jpg", "/src/Trip@/a.jpg",
                                                           "/src/Trip/a.jpg", "/src/TripA/a.jpg"}));
    commit(CommitKind::Save);
    EXPECT_EQ(album().startKey, 100u);
    EXPECT_EQ(album().endKey, 400u);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{4, 4, 4, 4}));
}

TEST_F(AlbumCommitTest, saveSpansOnlyThePicturesTheAlbumKeeps) {
    setRange(100, 500);
    select();
    film[0].isNegative = 1;  // the earliest and the latest are left out
    film[4].isNegative = 1;
    commit(CommitKind::Save);
    EXPECT_EQ(album().startKey, 200u);
    EXPECT_EQ(album().endKey, 400u);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 4, 4, 4, 0}));
}

TEST_F(AlbumCommitTest, saveOfAnEditReleasesPicturesMarkedPending) {
    for (size_t i : {1, 2, 3}) pictures[i].albumId = 4;
    state.editMode = 1;
    state.editedAlbumId = 4;
    setRange(300, 400);
    select();
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, -1, 4, 4, 0}));
    commit(CommitKind::Save);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 0, 4, 4, 0}));
}

TEST_F(AlbumCommitTest, discardOfANewAlbumReleasesItsPicturesAndRemovesIt) {
    setRange(100, 500);
    select();
    film[2].isNegative = 1;
    commit(CommitKind::Discard);
    EXPECT_TRUE(albums.empty());
    EXPECT_TRUE(film.empty());
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 0, 0, 0, 0}));
    EXPECT_EQ(remade, (std::vector<Remade>{{"/src/p3.jpg", false, RemakeReason::DiscardNew}}));
}

TEST_F(AlbumCommitTest, discardOfAnEditRestoresPendingMarksAndTheOpeningRange) {
    for (size_t i : {1, 2, 3}) pictures[i].albumId = 4;
    setRange(200, 400);
    state.editMode = 1;
    state.editedAlbumId = 4;
    state.openedStartTime = 200;
    state.openedEndTime = 400;
    setRange(300, 300);
    select();
    film[0].isNegative = 1;
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, -1, 4, -1, 0}));
    commit(CommitKind::Discard);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 4, 4, 4, 0}));
    EXPECT_EQ(album().startKey, 200u);
    EXPECT_EQ(album().startTime, 200u);
    EXPECT_EQ(album().endKey, 400u);
    EXPECT_EQ(album().endTime, 400u);
    EXPECT_EQ(remade, (std::vector<Remade>{{"/src/p3.jpg", false, RemakeReason::DiscardEdited}}));
    EXPECT_EQ(negativesByPath(pictures), (Ids{0, 0, 0, 0, 0}));
}

TEST_F(AlbumCommitTest, discardAfterAClearSendsPicturesThatJoinedBackToNoAlbum) {
    pictures[2].albumId = 4;
    pictures[4].albumId = 9;
    state.editMode = 1;
    state.editedAlbumId = 4;
    state.openedStartTime = state.openedEndTime = 300;
    setRange(0, 300);  // the start was cleared
    select();
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{4, 4, 4, 4, 9}));
    commit(CommitKind::Discard);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 0, 4, 0, 9}));
}

TEST_F(AlbumCommitTest, nothingHappensWithoutACurrentAlbum) {
    state.editMode = 1;
    state.editedAlbumId = 77;
    pictures[0].albumId = -1;
    film = picturesAt({1});
    commit(CommitKind::Save);
    EXPECT_EQ(pictures[0].albumId, -1);
    EXPECT_EQ(film.size(), 1u);
}

TEST_F(AlbumCommitTest, deleteReleasesPicturesAndTurnsThemNegativeInANegativeFilm) {
    pictures[0].albumId = 4;
    pictures[3].albumId = 4;
    pictures[4].albumId = 5;
    albums.push_back(Album{});
    albums[1].id = 5;

    EXPECT_TRUE(deleteAlbum(pictures, albums, 4, 0, remake));
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 0, 0, 0, 5}));
    EXPECT_TRUE(remade.empty());
    ASSERT_EQ(albums.size(), 1u);
    EXPECT_EQ(albums[0].id, 5);

    EXPECT_TRUE(deleteAlbum(pictures, albums, 5, 1, remake));
    EXPECT_EQ(negativesByPath(pictures), (Ids{0, 0, 0, 0, 1}));
    EXPECT_EQ(remade, (std::vector<Remade>{{"/src/p5.jpg", true, RemakeReason::Delete}}));
    EXPECT_FALSE(deleteAlbum(pictures, albums, 5, 1, remake));
}

}  // namespace
}  // namespace lumora
