#include "albums/ManualRange.h"

#include <gtest/gtest.h>

#include <string>

#include "albums/DateTimeText.h"
#include "catalog/DateTimeValue.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

std::string shown(const std::tm& fields) {
    return formatTime("%Y-%m-%d %H:%M:%S", fields);
}

PictureEntry pictureTaken(const char* exifText) {
    return test::makePicture("/src/x.jpg", dateTimeValue(exifText));
}

// A film viewed by date descending: its first picture is the latest.
const FilmList kFilm{pictureTaken("2006:07:09 18:30:00"), pictureTaken("2006:07:05 12:00:00"),
                     pictureTaken("2006:07:01 08:00:00")};

TEST(ManualRangePresets, anEndThatIsSetShowsItsOwnValue) {
    test::TzGuard zone("JST-9");
    Album album;
    album.startTime = album.startKey = dateTimeValue("2005:03:04 10:00:00");
    album.endTime = album.endKey = dateTimeValue("2005:08:09 00:30:00");
    ManualRangePresets presets = manualRangePresets(album, kFilm);
    EXPECT_EQ(shown(presets.start), "2005-03-04 10:00:00");
    EXPECT_EQ(shown(presets.end), "2005-08-09 00:30:00");

    // Only one end set: that end still shows itself, never 1 January 1970,
    // and the other comes from the film.
    album.endTime = album.endKey = 0;
    presets = manualRangePresets(album, kFilm);
    EXPECT_EQ(shown(presets.start), "2005-03-04 10:00:00");
    EXPECT_EQ(shown(presets.end), "2006-07-09 18:30:00");
    album = Album{};
    album.endTime = album.endKey = dateTimeValue("2006:07:05 12:00:00");
    presets = manualRangePresets(album, kFilm);
    EXPECT_EQ(shown(presets.start), "2006-07-01 08:00:00");
    EXPECT_EQ(shown(presets.end), "2006-07-05 12:00:00");
}

TEST(ManualRangePresets, endsNotSetComeFromTheEarliestAndLatestPictureWhateverTheViewOrder) {
    test::TzGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const ManualRangePresets presets = manualRangePresets(Album{}, kFilm);
    EXPECT_EQ(shown(presets.start), "2006-07-01 08:00:00");
    EXPECT_EQ(shown(presets.end), "2006-07-09 18:30:00");
}

TEST(ManualRangePresets, pickersGetRealDatesWhateverTheFilmHolds) {
    ManualRangePresets presets = manualRangePresets(Album{}, FilmList{});
    EXPECT_EQ(shown(presets.start), "1970-01-01 00:00:00");
    EXPECT_EQ(shown(presets.end), "1970-01-01 00:00:00");

    const FilmList film{pictureTaken("2005:02:30 24:00:00"), pictureTaken("1601:01:01 00:00:00")};
    presets = manualRangePresets(Album{}, film);
    EXPECT_EQ(shown(presets.start), "1601-01-01 00:00:00");
    EXPECT_EQ(shown(presets.end), "2005-03-03 00:00:00");

    Album album;
    album.startTime = album.startKey = 1;
    album.endTime = album.endKey = UINT64_MAX;
    presets = manualRangePresets(album, film);
    EXPECT_EQ(shown(presets.start), "1601-01-01 00:00:00");
    EXPECT_EQ(shown(presets.end), "9999-12-31 23:59:59");
}

TEST(ManualRange, okWithThePresetsKeepsTheRangeAndEveryFilmPicture) {
    test::TzGuard zone("<+14>-14");
    Album bothSet;
    bothSet.startTime = bothSet.startKey = kFilm[2].dateTime;
    bothSet.endTime = bothSet.endKey = kFilm[0].dateTime;
    Album startSet;
    startSet.startTime = startSet.startKey = kFilm[2].dateTime;
    Album endSet;
    endSet.endTime = endSet.endKey = kFilm[0].dateTime;
    for (Album album : {bothSet, startSet, endSet, Album{}}) {
        const ManualRangePresets presets = manualRangePresets(album, kFilm);
        ASSERT_TRUE(applyManualRange(album, presets.start, presets.end));
        EXPECT_EQ(album.startKey, kFilm[2].dateTime);
        EXPECT_EQ(album.endKey, kFilm[0].dateTime);
        EXPECT_EQ(album.startTime, album.startKey);
        EXPECT_EQ(album.endTime, album.endKey);
    }
}

TEST(ManualRange, thePickedTimesToTheSecondBecomeTheRange) {
    test::TzGuard zone("NPT-5:45");
    Album album;
    ASSERT_TRUE(applyManualRange(album, dateAndTime(2005, 3, 4, 10, 0, 0),
                                 dateAndTime(2005, 3, 4, 10, 0, 59)));
    EXPECT_EQ(dateTimeText(album.startTime, 1, 1), "[2005-03-04] [10 00 00]");
    EXPECT_EQ(dateTimeText(album.endTime, 1, 1), "[2005-03-04] [10 00 59]");
    EXPECT_EQ(album.startKey, dateTimeValue("2005:03:04 10:00:00"));
    EXPECT_EQ(album.endKey, dateTimeValue("2005:03:04 10:00:59"));
    // A start and an end of the same second are a range of one second.
    EXPECT_TRUE(applyManualRange(album, dateAndTime(2005, 3, 4, 10, 0, 0),
                                 dateAndTime(2005, 3, 4, 10, 0, 0)));
}

TEST(ManualRange, aStartAfterTheEndIsRefusedAndChangesNothing) {
    Album album;
    album.startTime = album.startKey = 77;
    album.endTime = album.endKey = 99;
    const Album before = album;
    EXPECT_FALSE(applyManualRange(album, dateAndTime(2005, 3, 4, 10, 0, 1),
                                  dateAndTime(2005, 3, 4, 10, 0, 0)));
    EXPECT_EQ(album, before);
}

}  // namespace
}  // namespace lumora
