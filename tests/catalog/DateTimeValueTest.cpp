#include "catalog/DateTimeValue.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "platform/Time.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

constexpr int64_t kWinterNow = 1705320000;  // 2024-01-15 12:00:00 UTC
constexpr int64_t kSummerNow = 1721044800;  // 2024-07-15 12:00:00 UTC

constexpr const char* kUtc = "UTC0";
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";
constexpr const char* kBerlin = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr const char* kTokyo = "JST-9";
constexpr const char* kKolkata = "IST-5:30";
constexpr const char* kKathmandu = "NPT-5:45";
constexpr const char* kStJohns = "NST3:30NDT,M3.2.0,M11.1.0";

// The value of a wall-clock time read as UTC, as the value is defined.
uint64_t wallClock(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    return unixToFileTime(utcFieldsToUnix(fields));
}

struct ValueCase {
    const char* zone;
    int64_t now;
    const char* text;
    uint64_t expected;
};

TEST(DateTimeValue, shiftsTheHourByTheBiasAtNowAndFillsMissingParts) {
    const ValueCase cases[] = {
        // No bias: the text as it stands; midnight takes the default hour.
        {kUtc, kWinterNow, "2005:03:04 10:20:30", wallClock(2005, 3, 4, 10, 20, 30)},
        {kUtc, kWinterNow, "2005:03:04 00:20:30", wallClock(2005, 3, 4, 12, 20, 30)},
        // West of UTC: the bias of now decides, not the picture's season.
        {kNewYork, kWinterNow, "2005:03:04 10:20:30", wallClock(2005, 3, 4, 15, 20, 30)},
        {kNewYork, kSummerNow, "2005:03:04 10:20:30", wallClock(2005, 3, 4, 14, 20, 30)},
        {kNewYork, kWinterNow, "2005:07:04 10:20:30", wallClock(2005, 7, 4, 15, 20, 30)},
        {kNewYork, kSummerNow, "2005:07:04 10:20:30", wallClock(2005, 7, 4, 14, 20, 30)},
        // Midnight west of UTC keeps hour 0 plus the shift; zero minute and
        // second become 1.
        {kNewYork, kWinterNow, "2005:03:04 00:00:00", wallClock(2005, 3, 4, 5, 1, 1)},
        // An hour of 24 or more rolls into the next day.
        {kNewYork, kWinterNow, "2005:03:04 22:20:30", wallClock(2005, 3, 5, 3, 20, 30)},
        // East of UTC: an hour the shift makes 0 or negative becomes 12.
        {kBerlin, kWinterNow, "2005:03:04 10:20:30", wallClock(2005, 3, 4, 9, 20, 30)},
        {kBerlin, kSummerNow, "2005:07:04 10:20:30", wallClock(2005, 7, 4, 8, 20, 30)},
        {kBerlin, kWinterNow, "2005:03:04 01:20:30", wallClock(2005, 3, 4, 12, 20, 30)},
        {kBerlin, kWinterNow, "2005:03:04 00:30:00", wallClock(2005, 3, 4, 12, 30, 1)},
        {kBerlin, kSummerNow, "2005:07:04 02:20:30", wallClock(2005, 7, 4, 12, 20, 30)},
        {kTokyo, kSummerNow, "2005:03:04 10:20:30", wallClock(2005, 3, 4, 1, 20, 30)},
        {kTokyo, kSummerNow, "2005:03:04 08:59:59", wallClock(2005, 3, 4, 12, 59, 59)},
        // Zones off UTC by part of an hour move the minutes too.
        {kKolkata, kWinterNow, "2005:03:04 10:20:30", wallClock(2005, 3, 4, 4, 50, 30)},
        {kKathmandu, kWinterNow, "2005:03:04 10:20:30", wallClock(2005, 3, 4, 4, 35, 30)},
        {kStJohns, kWinterNow, "2005:03:04 22:40:30", wallClock(2005, 3, 5, 2, 10, 30)},
        {kStJohns, kSummerNow, "2005:03:04 22:40:30", wallClock(2005, 3, 5, 1, 10, 30)},
        // The default minute is the text's, before the shift.
        {kKolkata, kWinterNow, "2005:03:04 10:00:00", wallClock(2005, 3, 4, 4, 31, 1)},
        // The whole hours decide the default hour, as in any other zone.
        {kKolkata, kWinterNow, "2005:03:04 05:20:30", wallClock(2005, 3, 4, 11, 50, 30)},
        // Out-of-range parts roll over.
        {kUtc, kWinterNow, "2005:02:30 10:20:30", wallClock(2005, 3, 2, 10, 20, 30)},
        {kUtc, kWinterNow, "2005:13:01 10:20:30", wallClock(2006, 1, 1, 10, 20, 30)},
    };
    for (const ValueCase& c : cases) {
        test::TzGuard zone(c.zone);
        EXPECT_EQ(dateTimeValue(c.text, FixedClock(c.now)), c.expected)
            << c.zone << " at " << c.now << ": " << c.text;
    }
}

TEST(DateTimeValue, emptyMalformedAndPartialTextsTakeTheDefaults) {
    test::TzGuard zone(kUtc);
    const FixedClock clock(kWinterNow);
    const uint64_t epochDefault = wallClock(1970, 1, 1, 12, 1, 1);
    const std::pair<const char*, uint64_t> cases[] = {
        {"0000:00:00 00:00:00", epochDefault},
        {"", epochDefault},
        {"garbage", epochDefault},
        {"    :  :     :  :  ", epochDefault},
        // A year alone or a year of 0 with other parts.
        {"2005", wallClock(2005, 1, 1, 12, 1, 1)},
        {"0000:03:04 10:20:30", wallClock(1970, 3, 4, 10, 20, 30)},
        // Each missing separator leaves the parts after it at their defaults.
        {"2005:03", wallClock(2005, 3, 1, 12, 1, 1)},
        {"2005:03:04", wallClock(2005, 3, 4, 12, 1, 1)},
        {"2005:03:04 10", wallClock(2005, 3, 4, 10, 1, 1)},
        {"2005:03:04 10:20", wallClock(2005, 3, 4, 10, 20, 1)},
        // Only leading digits count.
        {"2005:3x:4y 10h:20m:30s", wallClock(2005, 3, 4, 10, 20, 30)},
        {"2005:03:04 10:00:00", wallClock(2005, 3, 4, 10, 1, 1)},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(dateTimeValue(text, clock), expected) << '"' << text << '"';
    }
    EXPECT_EQ(dateTimeValue(nullptr, clock), epochDefault);
}

TEST(DateTimeValue, allZerosWestOfUtcKeepsTheShiftedHour) {
    test::TzGuard zone(kNewYork);
    EXPECT_EQ(dateTimeValue("0000:00:00 00:00:00", FixedClock(kWinterNow)),
              wallClock(1970, 1, 1, 5, 1, 1));
}

TEST(DateTimeValue, yearsOutsideThe32BitRangeGetTheirTrueValue) {
    const ValueCase cases[] = {
        {kUtc, kWinterNow, "1965:06:15 10:20:30", wallClock(1965, 6, 15, 10, 20, 30)},
        {kUtc, kWinterNow, "1901:12:13 20:45:52", wallClock(1901, 12, 13, 20, 45, 52)},
        {kUtc, kWinterNow, "2050:06:15 10:20:30", wallClock(2050, 6, 15, 10, 20, 30)},
        {kUtc, kWinterNow, "2038:01:19 03:14:08", wallClock(2038, 1, 19, 3, 14, 8)},
        {kUtc, kWinterNow, "1601:01:01 10:20:30", wallClock(1601, 1, 1, 10, 20, 30)},
        {kNewYork, kSummerNow, "1965:06:15 10:20:30", wallClock(1965, 6, 15, 14, 20, 30)},
        {kBerlin, kWinterNow, "2100:12:24 18:00:05", wallClock(2100, 12, 24, 17, 1, 5)},
    };
    for (const ValueCase& c : cases) {
        test::TzGuard zone(c.zone);
        EXPECT_EQ(dateTimeValue(c.text, FixedClock(c.now)), c.expected) << c.zone << ": " << c.text;
    }
    EXPECT_LT(dateTimeValue("1969:12:31 23:59:59", FixedClock(kWinterNow)),
              dateTimeValue("1970:01:01 10:00:01", FixedClock(kWinterNow)));
}

TEST(DateTimeValue, yearsBeyondWhatATextCanHoldSaturateAtTheLatestSecond) {
    for (const char* zoneName : {kUtc, kNewYork, kBerlin}) {
        test::TzGuard zone(zoneName);
        const FixedClock clock(kWinterNow);
        const uint64_t latest = dateTimeValue("9999:12:31 23:59:59", clock);
        EXPECT_EQ(dateTimeValue("10000:01:01 10:00:00", clock), latest) << zoneName;
        EXPECT_EQ(dateTimeValue("99999999999999999999:01:01 10:00:00", clock), latest) << zoneName;
        EXPECT_EQ(dateTimeValue("2005:999999999999:01 10:00:00", clock), latest) << zoneName;
        EXPECT_EQ(dateTimeValue("2005:01:01 99999999999:00:00", clock), latest) << zoneName;
        EXPECT_LT(dateTimeValue("9999:12:31 22:59:59", clock), latest) << zoneName;
        // Huge parts that stay below the limit still roll over.
        EXPECT_EQ(dateTimeValue("2005:01:01 10:20:3600", clock),
                  dateTimeValue("2005:01:01 11:20:01", clock) - 1 * kFileTimeTicksPerSecond);
    }
    test::TzGuard zone(kUtc);
    EXPECT_EQ(dateTimeValue("9999:12:31 23:59:59", FixedClock(kWinterNow)),
              wallClock(9999, 12, 31, 23, 59, 59));
}

TEST(DateTimeValue, yearsBeforeTheFileTimeEpochGiveZero) {
    test::TzGuard zone(kUtc);
    EXPECT_EQ(dateTimeValue("1500:06:15 10:20:30", FixedClock(kWinterNow)), 0u);
    EXPECT_EQ(dateTimeValue("0001:01:01 10:20:30", FixedClock(kWinterNow)), 0u);
}

TEST(DateTimeValue, theGivenBiasReplacesTheClock) {
    test::TzGuard zone(kUtc);
    EXPECT_EQ(dateTimeValueWithBias("2005:03:04 10:20:30", 300), wallClock(2005, 3, 4, 15, 20, 30));
    EXPECT_EQ(dateTimeValueWithBias("2005:03:04 10:20:30", -59), wallClock(2005, 3, 4, 9, 21, 30));
    EXPECT_EQ(dateTimeValueWithBias("2005:03:04 10:20:30", -600),
              wallClock(2005, 3, 4, 12, 20, 30));
}

TEST(SplitExifDateText, takesEachPartAfterTheSeparatorBeforeIt) {
    const std::pair<const char*, DateTextFields> cases[] = {
        {"2005:03:04 10:20:30", {2005, 3, 4, 10, 20, 30}},
        {"2005:03:04 10:20", {2005, 3, 4, 10, 20, 0}},
        {"2005:03:04", {2005, 3, 4, 0, 0, 0}},
        {"2005", {2005, 0, 0, 0, 0, 0}},
        {"", {0, 0, 0, 0, 0, 0}},
        {"2005:03:04 :20:30", {2005, 3, 4, 0, 20, 30}},
        {"-5:+3:04 10:20:30", {0, 0, 4, 10, 20, 30}},
        {"99999999999:1:2 3:4:5", {kDateComponentMax, 1, 2, 3, 4, 5}},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(splitExifDateText(text), expected) << '"' << text << '"';
    }
}

TEST(PictureLocalTime, givesTheTextsNumbersWithoutShiftOrDefaults) {
    test::TzGuard zone(kBerlin);
    ExifInfo info;
    std::tm fields{};
    EXPECT_FALSE(pictureLocalTime(info, fields));

    std::snprintf(info.DateTime, sizeof info.DateTime, "%s", "2005:03:04 00:00:30");
    ASSERT_TRUE(pictureLocalTime(info, fields));
    EXPECT_EQ(fields.tm_year, 105);
    EXPECT_EQ(fields.tm_mon, 2);
    EXPECT_EQ(fields.tm_mday, 4);
    EXPECT_EQ(fields.tm_hour, 0);
    EXPECT_EQ(fields.tm_min, 0);
    EXPECT_EQ(fields.tm_sec, 30);
    EXPECT_EQ(fields.tm_isdst, -1);

    // A record whose text fills the whole field is still read safely.
    std::memset(info.DateTime, '7', sizeof info.DateTime);
    EXPECT_TRUE(pictureLocalTime(info, fields));
    EXPECT_EQ(fields.tm_year, kDateComponentMax - 1900);
}

}  // namespace
}  // namespace lumora
