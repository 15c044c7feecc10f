#include "albums/FilmSelection.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "albums/AlbumList.h"
#include "tests/albums/TestPictures.h"

namespace lumora {
namespace {

using test::albumIdsByPath;
using test::paths;
using test::picturesAt;
using Ids = std::vector<int32_t>;
using Paths = std::vector<std::string>;

// Five pictures taken at 100, 200, ..., 500 and an album with id 3.
class FilmSelectionTest : public ::testing::Test {
  protected:
    FilmSelectionTest() : pictures(picturesAt({100, 200, 300, 400, 500})) { album.id = 3; }

    FilmCounts select(bool editMode = false) {
        rules.editMode = editMode;
        return selectFilmPictures(pictures, film, album, rules, state);
    }
    void setRange(uint64_t start, uint64_t end) {
        album.startTime = album.startKey = start;
        album.endTime = album.endKey = end;
    }

    PictureList pictures;
    FilmList film;
    Album album;
    FilmRules rules;
    EditState state;
};

TEST_F(FilmSelectionTest, rangeIncludesBothEnds) {
    setRange(200, 400);
    const FilmCounts counts = select();
    EXPECT_EQ(paths(film), (Paths{"/src/p2.jpg", "/src/p3.jpg", "/src/p4.jpg"}));
    EXPECT_EQ(counts.filmCount, 3);
    EXPECT_EQ(album.pictureCount, 3);
    EXPECT_EQ(album.sizeMB, 3.0f);
    // The film copies carry the album's id; the list entries wait for the commit.
    for (const PictureEntry& copy : film) EXPECT_EQ(copy.albumId, 3);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, 0, 0, 0, 0}));
}

TEST_F(FilmSelectionTest, withoutBothDatesNothingIsRemovedOrCounted) {
    album.pictureCount = 9;
    for (auto [start, end] : {std::pair<uint64_t, uint64_t>{200, 0}, {0, 400}, {0, 0}}) {
        setRange(start, end);
        const FilmCounts counts = select();
        EXPECT_EQ(counts.filmCount, 5);
        EXPECT_EQ(counts.excludedCount, 0);
        EXPECT_EQ(album.pictureCount, 9);
        for (const PictureEntry& copy : film) EXPECT_EQ(copy.albumId, 0);
    }
}

TEST_F(FilmSelectionTest, negativesStayInTheFilmButAreNotCounted) {
    pictures[2].isNegative = 1;
    setRange(100, 500);
    const FilmCounts counts = select();
    EXPECT_EQ(counts.filmCount, 5);
    EXPECT_EQ(counts.excludedCount, 1);
    EXPECT_FALSE(counts.albumEmpty());
    EXPECT_EQ(album.pictureCount, 4);
    EXPECT_EQ(album.sizeMB, 4.0f);

    for (PictureEntry& entry : pictures) entry.isNegative = 1;
    film.clear();
    EXPECT_TRUE(select().albumEmpty());
    EXPECT_EQ(album.pictureCount, 0);
}

TEST_F(FilmSelectionTest, exclusionsInTheFilmSurviveARebuild) {
    setRange(100, 500);
    select();
    film[1].isNegative = 1;  // as a double-click leaves it
    const FilmCounts counts = select();
    EXPECT_EQ(counts.excludedCount, 1);
    EXPECT_EQ(pictures[1].isNegative, 1);
    EXPECT_EQ(film[1].isNegative, 1);
}

TEST_F(FilmSelectionTest, newAlbumSkipsAndCountsPicturesOfOtherAlbums) {
    pictures[0].albumId = 1;
    pictures[4].albumId = 2;
    pictures[2].albumId = 3;  // already this album's
    setRange(100, 500);
    const FilmCounts counts = select();
    EXPECT_EQ(paths(film), (Paths{"/src/p2.jpg", "/src/p3.jpg", "/src/p4.jpg"}));
    EXPECT_EQ(counts.inOtherAlbums, 2);
}

TEST_F(FilmSelectionTest, duplicatesAreSkippedOnlyWhenExcluded) {
    pictures[1].isDuplicate = 1;
    setRange(100, 500);
    EXPECT_EQ(select().filmCount, 5);
    rules.excludeDuplicates = 1;
    EXPECT_EQ(select().filmCount, 4);
    EXPECT_EQ(paths(film), (Paths{"/src/p1.jpg", "/src/p3.jpg", "/src/p4.jpg", "/src/p5.jpg"}));
    EXPECT_EQ(album.pictureCount, 4);
}

TEST_F(FilmSelectionTest, editWithBothDatesLosesPicturesButNeverGainsThem) {
    for (size_t i : {1, 2, 3}) pictures[i].albumId = 3;
    setRange(200, 400);
    EXPECT_EQ(select(true).filmCount, 3);

    // Narrowing marks the pictures that fall out as pending.
    setRange(300, 400);
    select(true);
    EXPECT_EQ(paths(film), (Paths{"/src/p3.jpg", "/src/p4.jpg"}));
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{0, -1, 3, 3, 0}));

    // Widening brings the pending one back, but never the unassigned ones.
    setRange(100, 500);
    select(true);
    EXPECT_EQ(paths(film), (Paths{"/src/p2.jpg", "/src/p3.jpg", "/src/p4.jpg"}));
    EXPECT_EQ(album.pictureCount, 3);
    EXPECT_TRUE(state.joinedAfterClear.empty());
}

TEST_F(FilmSelectionTest, editAfterAClearGainsPicturesAndAssignsThemAtOnce) {
    pictures[2].albumId = 3;
    pictures[4].albumId = 8;  // another album's
    setRange(300, 0);
    const FilmCounts counts = select(true);
    EXPECT_EQ(counts.filmCount, 4);
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{3, 3, 3, 3, 8}));
    // The film copies keep the id they had.
    for (const PictureEntry& copy : film) {
        EXPECT_EQ(copy.albumId, copy.path == "/src/p3.jpg" ? 3 : 0) << copy.path;
    }
    EXPECT_EQ(state.joinedAfterClear.size(), 3u);
    // A second selection does not note them twice.
    select(true);
    EXPECT_EQ(state.joinedAfterClear.size(), 3u);
}

TEST_F(FilmSelectionTest, filmFollowsTheViewOptions) {
    setRange(100, 500);
    rules.view.sortAscending = 0;
    select();
    EXPECT_EQ(paths(film).front(), "/src/p5.jpg");
    rules.view.sortByDate = 0;
    rules.view.sortAscending = 1;
    pictures[0].path = "/src/z.jpg";
    select();
    EXPECT_EQ(paths(film).back(), "/src/z.jpg");
}

TEST_F(FilmSelectionTest, filterAppliesOnlyWhileTheDialogIsOpen) {
    pictures[1].exif->FocalLength = 50.0f;
    pictures[3].exif->FocalLength = 50.0f;
    album.filter.advancedEnabled = 1;
    album.filter.focalLengthMax = 50.0f;
    album.filter.focalLengthMin = 50.0f;
    setRange(100, 500);

    EXPECT_EQ(select().filmCount, 5);

    CriterionFlags checks{};
    checks[indexOf(FilterCriterion::FocalLength)] = true;
    rules.filterChecks = checks;
    const FilmCounts counts = select();
    EXPECT_EQ(paths(film), (Paths{"/src/p2.jpg", "/src/p4.jpg"}));
    EXPECT_TRUE(counts.tested[indexOf(FilterCriterion::FocalLength)]);
    EXPECT_FALSE(counts.tested[indexOf(FilterCriterion::Iso)]);

    // In range but failing the filter is out as well.
    setRange(300, 400);
    EXPECT_EQ(paths(film = FilmList{}), Paths{});
    select();
    EXPECT_EQ(paths(film), (Paths{"/src/p4.jpg"}));
}

TEST_F(FilmSelectionTest, filterFailuresAreMarkedPendingInEditMode) {
    for (PictureEntry& entry : pictures) entry.albumId = 3;
    std::snprintf(pictures[0].exif->CameraMake, sizeof pictures[0].exif->CameraMake, "Canon");
    album.filter.cameraMake = "Canon";
    album.filter.cameraModel = "All";
    rules.filterChecks = CriterionFlags{};
    setRange(100, 500);
    select(true);
    EXPECT_EQ(paths(film), (Paths{"/src/p1.jpg"}));
    EXPECT_EQ(albumIdsByPath(pictures), (Ids{3, -1, -1, -1, -1}));
}

TEST(FilmSizes, areSummedInSinglePrecision) {
    // A thousand pictures of 3000001 bytes: 2861.02 MB exactly, but the
    // single-precision sum drifts to 2861.06, which is what is shown.
    PictureList pictures;
    for (int i = 0; i < 1000; ++i) {
        pictures.push_back(test::makePicture("/src/" + std::to_string(i) + ".jpg", 10, 3000001));
    }
    FilmList film;
    Album album;
    album.id = 1;
    album.startKey = album.startTime = 10;
    album.endKey = album.endTime = 10;
    EditState state;
    selectFilmPictures(pictures, film, album, FilmRules{}, state);
    char shown[32];
    std::snprintf(shown, sizeof shown, "%4.2f", static_cast<double>(album.sizeMB));
    EXPECT_STREQ(shown, "2861.06");
}

TEST(FilmSizes, takeTheLowThirtyTwoBitsAsASignedNumber) {
    PictureList pictures = {test::makePicture("/src/a.jpg", 10, 0x100000400ull),
                            test::makePicture("/src/b.jpg", 10, 0xFFFFF800ull)};
    FilmList film;
    Album album;
    album.id = 1;
    album.startKey = album.endKey = 10;
    EditState state;
    selectFilmPictures(pictures, film, album, FilmRules{}, state);
    // 1024 bytes and -2048 bytes.
    EXPECT_EQ(album.sizeMB, -1024.0f / 1048576.0f);
}

TEST(FilmToggle, turnsExclusionOverAndAdjustsTheAlbum) {
    FilmList film = picturesAt({100, 200});
    Album album;
    album.pictureCount = 2;
    album.sizeMB = 2.0f;
    std::vector<std::pair<std::string, bool>> remade;
    RemakeThumbnail remake = [&](const PictureEntry& p, bool negative, RemakeReason reason) {
        EXPECT_EQ(reason, RemakeReason::Toggle);
        remade.emplace_back(p.path, negative);
        return true;
    };
    EXPECT_TRUE(toggleFilmPicture(film, 1, album, remake));
    EXPECT_EQ(film[1].isNegative, 1);
    EXPECT_EQ(album.pictureCount, 1);
    EXPECT_EQ(album.sizeMB, 1.0f);
    EXPECT_TRUE(toggleFilmPicture(film, 1, album, remake));
    EXPECT_EQ(film[1].isNegative, 0);
    EXPECT_EQ(album.pictureCount, 2);
    EXPECT_EQ(album.sizeMB, 2.0f);
    EXPECT_EQ(remade, (std::vector<std::pair<std::string, bool>>{{"/src/p2.jpg", true},
                                                                 {"/src/p2.jpg", false}}));
}

TEST(FilmToggle, leavesThePictureWhenItsThumbnailCannotBeMade) {
    FilmList film = picturesAt({100});
    Album album;
    album.pictureCount = 1;
    auto failing = [](const PictureEntry&, bool, RemakeReason) { return false; };
    EXPECT_FALSE(toggleFilmPicture(film, 0, album, failing));
    EXPECT_EQ(film[0].isNegative, 0);
    EXPECT_EQ(album.pictureCount, 1);
    EXPECT_FALSE(toggleFilmPicture(film, 1, album, RemakeThumbnail{}));
}

}  // namespace
}  // namespace lumora
