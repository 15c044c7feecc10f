#include "albums/ManualRange.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "albums/DateTimeText.h"
#include "catalog/DateTimeValue.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

// New York: November 2004 is standard time, July 2005 daylight saving.
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";
constexpr int64_t kWinter = 1100000000;
constexpr int64_t kSummer = 1121428800;

std::string shown(const std::tm& fields) {
    return formatTime("%Y-%m-%d %H:%M:%S", fields);
}

PictureEntry pictureTaken(const char* exifText, const Clock& clock) {
    PictureEntry entry = test::makePicture("/src/x.jpg", dateTimeValue(exifText, clock));
    std::strncpy(entry.exif->DateTime, exifText, sizeof entry.exif->DateTime - 1);
    return entry;
}

TEST(ManualRangePresets, anAlbumWithBothDatesShowsItsStartAndEnd) {
    for (int64_t now : {kWinter, kSummer}) {
        test::TzGuard zone(kNewYork);
        FixedClock clock(now);
        Album album;
        album.startTime = album.startKey = dateTimeValue("2005:03:04 10:20:30", clock);
        album.endTime = album.endKey = dateTimeValue("2005:08:09 23:05:06", clock);
        // The film plays no part once both dates are set.
        const FilmList film{pictureTaken("2001:01:01 01:01:01", clock)};
        const ManualRangePresets presets = manualRangePresets(album, film, clock);
        EXPECT_EQ(shown(presets.start), "2005-03-04 10:20:30") << now;
        EXPECT_EQ(shown(presets.end), "2005-08-09 23:05:06") << now;
    }
}

TEST(ManualRangePresets, datesNotSetComeFromTheFirstAndLastFilmPictures) {
    test::TzGuard zone(kNewYork);
    FixedClock clock(kSummer);
    // Minute and second 0 stay 0: the camera's text as it stands, without
    // the scan's defaults.
    const FilmList film{pictureTaken("2006:07:01 08:00:00", clock),
                        pictureTaken("2006:07:05 12:00:00", clock),
                        pictureTaken("2006:07:09 18:30:15", clock)};
    Album album;
    ManualRangePresets presets = manualRangePresets(album, film, clock);
    EXPECT_EQ(shown(presets.start), "2006-07-01 08:00:00");
    EXPECT_EQ(shown(presets.end), "2006-07-09 18:30:15");

    // Only one date set: its pickers keep their first value, 1 January 1970.
    album.startTime = album.startKey = film[1].dateTime;
    presets = manualRangePresets(album, film, clock);
    EXPECT_EQ(shown(presets.start), "1970-01-01 00:00:00");
    EXPECT_EQ(shown(presets.end), "2006-07-09 18:30:15");
    album = Album{};
    album.endTime = album.endKey = film[1].dateTime;
    presets = manualRangePresets(album, film, clock);
    EXPECT_EQ(shown(presets.start), "2006-07-01 08:00:00");
    EXPECT_EQ(shown(presets.end), "1970-01-01 00:00:00");
}

TEST(ManualRangePresets, pickersGetRealDatesWhateverTheFilmHolds) {
    test::TzGuard zone("UTC0");
    FixedClock clock(kWinter);
    Album album;
    ManualRangePresets presets = manualRangePresets(album, FilmList{}, clock);
    EXPECT_EQ(shown(presets.start), "1970-01-01 00:00:00");
    EXPECT_EQ(shown(presets.end), "1970-01-01 00:00:00");

    PictureEntry noDate = test::makePicture("/src/n.jpg", 5);
    const FilmList film{pictureTaken("2005:02:30 24:00:00", clock),
                        pictureTaken("0000:00:00 00:00:00", clock), noDate};
    presets = manualRangePresets(album, FilmList{film[0], film[1]}, clock);
    EXPECT_EQ(shown(presets.start), "2005-03-03 00:00:00");
    EXPECT_EQ(shown(presets.end), "1601-01-01 00:00:00");
    presets = manualRangePresets(album, FilmList{film[2]}, clock);
    EXPECT_EQ(shown(presets.start), "1970-01-01 00:00:00");

    album.startTime = album.startKey = 1;
    album.endTime = album.endKey = UINT64_MAX;
    presets = manualRangePresets(album, film, clock);
    EXPECT_EQ(shown(presets.start), "1601-01-01 00:00:00");
    EXPECT_EQ(shown(presets.end), "9999-12-31 23:59:59");
}

TEST(ManualRange, okTurnsTheDatePickersLocalTimesIntoTheAlbumsRange) {
    for (int64_t now : {kWinter, kSummer}) {
        test::TzGuard zone(kNewYork);
        FixedClock clock(now);
        const ManualRangePresets presets{calendarFields(2005, 1, 1, 10, 20, 30),
                                         calendarFields(2005, 1, 1, 7, 5, 9)};
        Album album;
        album.startTime = album.startKey = 77;
        applyManualRange(album, dateWithTimeOfDay(2005, 3, 4, presets.start),
                         dateWithTimeOfDay(2005, 12, 31, presets.end), clock);
        // The same values the scan gives pictures taken at those times.
        EXPECT_EQ(album.startTime, dateTimeValue("2005:03:04 10:20:30", clock)) << now;
        EXPECT_EQ(album.endTime, dateTimeValue("2005:12:31 07:05:09", clock)) << now;
        EXPECT_EQ(album.startKey, album.startTime);
        EXPECT_EQ(album.endKey, album.endTime);
        EXPECT_EQ(dateTimeText(album.startTime, 1, 1, clock), "[2005-03-04] [10 20 30]");

        // Opening again and pressing OK keeps the range.
        const Album before = album;
        const ManualRangePresets again = manualRangePresets(album, FilmList{}, clock);
        applyManualRange(album, again.start, again.end, clock);
        EXPECT_EQ(album, before) << now;
    }
}

}  // namespace
}  // namespace lumora
