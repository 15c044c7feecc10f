#include "albums/LocalTimeValue.h"

#include <gtest/gtest.h>

#include "albums/DateTimeText.h"
#include "catalog/DateTimeValue.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

std::tm fields(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return tm;
}

uint64_t utcValue(int year, int month, int day, int hour, int minute, int second) {
    return unixToFileTime(utcFieldsToUnix(fields(year, month, day, hour, minute, second)));
}

TEST(LocalTimeValue, addsTheBiasToTheHour) {
    // New York in winter: UTC = local + 300 minutes.
    EXPECT_EQ(localTimeToValueWithBias(fields(2005, 3, 4, 10, 20, 30), 300),
              utcValue(2005, 3, 4, 15, 20, 30));
    // Tokyo: UTC = local - 540 minutes.
    EXPECT_EQ(localTimeToValueWithBias(fields(2005, 3, 4, 10, 20, 30), -540),
              utcValue(2005, 3, 4, 1, 20, 30));
}

TEST(LocalTimeValue, hoursPushedOutOfTheDayRollIntoTheNeighbouringDay) {
    EXPECT_EQ(localTimeToValueWithBias(fields(2005, 3, 1, 2, 0, 0), -540),
              utcValue(2005, 2, 28, 17, 0, 0));
    EXPECT_EQ(localTimeToValueWithBias(fields(2004, 12, 31, 22, 0, 0), 300),
              utcValue(2005, 1, 1, 3, 0, 0));
}

TEST(LocalTimeValue, zonesOffByPartOfAnHourMoveTheMinutesToo) {
    // India: UTC = local - 330 minutes.
    EXPECT_EQ(localTimeToValueWithBias(fields(2005, 3, 4, 10, 0, 0), -330),
              utcValue(2005, 3, 4, 4, 30, 0));
    // Newfoundland: UTC = local + 210 minutes, past midnight into the next day.
    EXPECT_EQ(localTimeToValueWithBias(fields(2005, 3, 4, 22, 40, 0), 210),
              utcValue(2005, 3, 5, 2, 10, 0));
}

TEST(LocalTimeValue, agreesWithTheScansValueAndShowsTheSameWallClockTime) {
    struct Case {
        const char* zone;
        int64_t now;
    } cases[] = {
        {"EST5EDT,M3.2.0,M11.1.0", 1100000000},  // November 2004: standard time
        {"EST5EDT,M3.2.0,M11.1.0", 1121428800},  // July 2005: daylight saving
        {"CET-1CEST,M3.5.0,M10.5.0/3", 1100000000},
        {"UTC0", 1100000000},
        {"IST-5:30", 1100000000},                   // India
        {"NPT-5:45", 1100000000},                   // Nepal
        {"NST3:30NDT,M3.2.0,M11.1.0", 1100000000},  // Newfoundland, standard time
        {"NST3:30NDT,M3.2.0,M11.1.0", 1121428800},  // and daylight saving
    };
    for (const Case& c : cases) {
        test::TzGuard guard(c.zone);
        FixedClock clock(c.now);
        const struct {
            const char* exifText;
            std::tm local;
            const char* shown;
        } pictures[] = {
            {"2005:03:04 10:20:30", fields(2005, 3, 4, 10, 20, 30), "[2005-03-04] [10 20 30]"},
            {"2005:12:31 23:50:30", fields(2005, 12, 31, 23, 50, 30), "[2005-12-31] [23 50 30]"},
        };
        for (const auto& picture : pictures) {
            const uint64_t value = localTimeToValue(picture.local, clock);
            EXPECT_EQ(value, dateTimeValue(picture.exifText, clock))
                << c.zone << " at " << c.now << ": " << picture.exifText;
            EXPECT_EQ(dateTimeText(value, 1, 1, clock), picture.shown)
                << c.zone << " at " << c.now << ": " << picture.exifText;
        }
    }
}

TEST(LocalTimeValue, keepsZeroMinutesAndSecondsUnlikeTheScan) {
    test::TzGuard guard("UTC0");
    FixedClock clock(1100000000);
    const uint64_t value = localTimeToValue(fields(2005, 3, 4, 10, 0, 0), clock);
    EXPECT_EQ(timeText(value, 1, clock), "[10 00 00]");
}

}  // namespace
}  // namespace lumora
