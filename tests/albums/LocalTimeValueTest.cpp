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

TEST(LocalTimeValue, halfHourZonesShiftByWholeHoursAsTheScanDoes) {
    // India: bias -330 minutes, of which the scan takes -5 hours.
    EXPECT_EQ(localTimeToValueWithBias(fields(2005, 3, 4, 10, 0, 0), -330),
              utcValue(2005, 3, 4, 5, 0, 0));
}

TEST(LocalTimeValue, agreesWithTheScansValueAndShowsTheSameWallClockTime) {
    for (const char* zone : {"EST5EDT,M3.2.0,M11.1.0", "CET-1CEST,M3.5.0,M10.5.0/3", "UTC0"}) {
        test::TzGuard guard(zone);
        FixedClock clock(1100000000);  // November 2004: no daylight saving anywhere here
        const uint64_t value = localTimeToValue(fields(2005, 3, 4, 10, 20, 30), clock);
        EXPECT_EQ(value, dateTimeValue("2005:03:04 10:20:30", clock)) << zone;
        EXPECT_EQ(dateText(value, 1, clock), "[2005-03-04]") << zone;
        EXPECT_EQ(timeText(value, 1, clock), "[10 20 30]") << zone;
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
