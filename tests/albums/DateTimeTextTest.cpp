#include "albums/DateTimeText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/DateTimeValue.h"
#include "platform/Time.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

constexpr int64_t kWinterNow = 1705320000;  // 2024-01-15 12:00:00 UTC
constexpr int64_t kSummerNow = 1721044800;  // 2024-07-15 12:00:00 UTC
constexpr int64_t kFriday = 1109931630;     // 2005-03-04 10:20:30 UTC

constexpr const char* kUtc = "UTC0";
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";
constexpr const char* kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr const char* kKolkata = "IST-5:30";
constexpr const char* kKathmandu = "NPT-5:45";
constexpr const char* kStJohns = "NST3:30NDT,M3.2.0,M11.1.0";

TEST(DateTimeText, formatsEveryDateAndTimePatternInBrackets) {
    test::TzGuard zone(kUtc);
    const FixedClock clock(kWinterNow);
    const uint64_t friday = unixToFileTime(kFriday);
    const std::vector<std::string> dates = {
        "[2005-03-04]",
        "[04 03 2005]",
        "[04 March 2005]",
        "[March 04, 2005]",
        "[04 Mar 2005]",
        "[Mar 04, 2005]",
        "[Fri Mar 04, 2005]",
        "[Friday March 04, 2005]",
        "[Friday, 04 March 2005]",
        "[Fri, 04 Mar 2005]",
    };
    for (int format = 1; format <= kDateFormatCount; ++format) {
        EXPECT_EQ(dateText(friday, format, clock), dates[format - 1]) << "date format " << format;
    }
    EXPECT_EQ(timeText(friday, 1, clock), "[10 20 30]");
    EXPECT_EQ(timeText(friday, 2, clock), "[10 20 30 AM]");
    const uint64_t evening = unixToFileTime(kFriday + 11 * 3600 + 45 * 60 + 37);  // 22:06:07
    EXPECT_EQ(timeText(evening, 1, clock), "[22 06 07]");
    EXPECT_EQ(timeText(evening, 2, clock), "[10 06 07 PM]");
    EXPECT_EQ(dateTimeText(evening, 4, 2, clock), "[March 04, 2005] [10 06 07 PM]");
}

TEST(DateTimeText, formatNumbersOutOfRangeGiveEmptyBrackets) {
    const FixedClock clock(kWinterNow);
    const uint64_t friday = unixToFileTime(kFriday);
    for (int format : {0, -1, 11, 1000}) {
        EXPECT_EQ(dateText(friday, format, clock), "[]") << format;
    }
    for (int format : {0, -1, 3}) {
        EXPECT_EQ(timeText(friday, format, clock), "[]") << format;
    }
    EXPECT_EQ(dateTimeText(friday, 11, 3, clock), "[] []");
    EXPECT_EQ(datePattern(0), nullptr);
    EXPECT_EQ(timePattern(3), nullptr);
}

TEST(DateTimeText, showsTheValueInLocalTimeByTheBiasOfNow) {
    const uint64_t friday = unixToFileTime(kFriday);
    struct Case {
        const char* zone;
        int64_t now;
        const char* time;
    } cases[] = {
        {kNewYork, kWinterNow, "[05 20 30]"},
        {kNewYork, kSummerNow, "[06 20 30]"},
        {kBerlin, kWinterNow, "[11 20 30]"},
        {kBerlin, kSummerNow, "[12 20 30]"},
    };
    for (const Case& c : cases) {
        test::TzGuard zone(c.zone);
        EXPECT_EQ(timeText(friday, 1, FixedClock(c.now)), c.time) << c.zone << " " << c.now;
    }
}

// The value made from a date text shows that text again when the bias at
// display is the one at computation.
TEST(DateTimeText, aPicturesValueShowsItsOwnDateAndTime) {
    struct Case {
        const char* zone;
        int64_t now;
        const char* exifText;
        const char* date;
        const char* time;
    } cases[] = {
        {kUtc, kWinterNow, "2005:03:04 10:20:30", "[2005-03-04]", "[10 20 30]"},
        {kNewYork, kWinterNow, "2005:03:04 10:20:30", "[2005-03-04]", "[10 20 30]"},
        {kNewYork, kSummerNow, "2005:03:04 10:20:30", "[2005-03-04]", "[10 20 30]"},
        {kBerlin, kSummerNow, "2005:07:04 10:20:30", "[2005-07-04]", "[10 20 30]"},
        {"JST-9", kSummerNow, "2005:03:04 23:59:59", "[2005-03-04]", "[23 59 59]"},
        // Zones off UTC by part of an hour, with and without daylight saving.
        {kKolkata, kWinterNow, "2005:03:04 10:20:30", "[2005-03-04]", "[10 20 30]"},
        {kKolkata, kWinterNow, "2005:03:04 23:50:59", "[2005-03-04]", "[23 50 59]"},
        {kKathmandu, kSummerNow, "2005:03:04 10:20:30", "[2005-03-04]", "[10 20 30]"},
        {kKathmandu, kSummerNow, "2005:03:04 06:10:30", "[2005-03-04]", "[06 10 30]"},
        {kStJohns, kWinterNow, "2005:03:04 10:20:30", "[2005-03-04]", "[10 20 30]"},
        {kStJohns, kSummerNow, "2005:03:04 10:20:30", "[2005-03-04]", "[10 20 30]"},
        {kStJohns, kSummerNow, "2005:12:31 22:40:30", "[2005-12-31]", "[22 40 30]"},
        {kKolkata, kWinterNow, "2005:03:04 10:00:00", "[2005-03-04]", "[10 01 01]"},
        // Minute and second 0 show as 01.
        {kNewYork, kWinterNow, "2005:03:04 10:00:00", "[2005-03-04]", "[10 01 01]"},
        {kUtc, kWinterNow, "2005:03:04 10:00:30", "[2005-03-04]", "[10 01 30]"},
        // Midnight: in UTC it becomes noon; west of UTC it stays.
        {kUtc, kWinterNow, "2005:03:04 00:20:30", "[2005-03-04]", "[12 20 30]"},
        {kNewYork, kWinterNow, "2005:03:04 00:20:30", "[2005-03-04]", "[00 20 30]"},
        // East of UTC just after midnight: hour 12 UTC, shown in local time.
        {kBerlin, kWinterNow, "2005:03:04 00:30:00", "[2005-03-04]", "[13 30 01]"},
        {kUtc, kWinterNow, "0000:00:00 00:00:00", "[1970-01-01]", "[12 01 01]"},
        // Years beyond the 32-bit clock.
        {kUtc, kWinterNow, "1965:06:15 10:20:30", "[1965-06-15]", "[10 20 30]"},
        {kNewYork, kSummerNow, "1903:01:02 03:04:05", "[1903-01-02]", "[03 04 05]"},
        {kBerlin, kWinterNow, "2050:06:15 10:20:30", "[2050-06-15]", "[10 20 30]"},
        {kNewYork, kWinterNow, "2999:12:31 23:59:59", "[2999-12-31]", "[23 59 59]"},
        // Later than a text can say: held at the last second of 9999.
        {kNewYork, kWinterNow, "12005:03:04 10:20:30", "[9999-12-31]", "[23 59 59]"},
        {kBerlin, kWinterNow, "12005:03:04 10:20:30", "[9999-12-31]", "[23 59 59]"},
    };
    for (const Case& c : cases) {
        test::TzGuard zone(c.zone);
        const FixedClock clock(c.now);
        const uint64_t value = dateTimeValue(c.exifText, clock);
        EXPECT_EQ(dateText(value, 1, clock), c.date) << c.zone << ": " << c.exifText;
        EXPECT_EQ(timeText(value, 1, clock), c.time) << c.zone << ": " << c.exifText;
    }
}

TEST(DateTimeText, theEarliestValuesShowTheFileTimeEpoch) {
    test::TzGuard zone(kNewYork);
    const FixedClock clock(kWinterNow);
    EXPECT_EQ(dateText(0, 1, clock), "[1601-01-01]");
    EXPECT_EQ(timeText(0, 1, clock), "[00 00 00]");
    EXPECT_EQ(dateText(UINT64_MAX, 1, clock).substr(0, 6), "[60056");
}

TEST(DateTimeText, formatSamplesListTheMomentWithoutBrackets) {
    test::TzGuard zone(kNewYork);
    const FixedClock clock(kFriday);  // 05:20:30 in New York
    EXPECT_EQ(formatDateSample(kFriday, 1), "2005-03-04");
    EXPECT_EQ(formatDateSample(kFriday, 9), "Friday, 04 March 2005");
    EXPECT_EQ(formatDateSample(kFriday, 11), "");
    EXPECT_EQ(formatTimeSample(kFriday, 2), "05 20 30 AM");
    EXPECT_EQ(formatTimeSample(kFriday, 0), "");

    const std::vector<std::string> dates = dateSamples(clock);
    ASSERT_EQ(dates.size(), 10u);
    EXPECT_EQ(dates.front(), "2005-03-04");
    EXPECT_EQ(dates[6], "Fri Mar 04, 2005");
    EXPECT_EQ(dates.back(), "Fri, 04 Mar 2005");
    EXPECT_EQ(timeSamples(clock), (std::vector<std::string>{"05 20 30", "05 20 30 AM"}));
}

}  // namespace
}  // namespace lumora
