#include "catalog/DateTimeValue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "platform/Time.h"
#include "tests/support/TzGuard.h"
#include "tests/support/WorldZones.h"

namespace lumora {
namespace {

using test::kWorldZones;

// The value of a wall-clock time, as the value is defined.
uint64_t wallClock(int year, int month, int day, int hour, int minute, int second) {
    return unixToFileTime(utcFieldsToUnix(calendarFields(year, month, day, hour, minute, second)));
}

TEST(DateTimeValue, theValueIsTheWallClockTimeWhateverTheZone) {
    for (const char* zoneName : kWorldZones) {
        test::TzGuard zone(zoneName);
        EXPECT_EQ(dateTimeValue("2024:07:15 10:00:00"), wallClock(2024, 7, 15, 10, 0, 0))
            << zoneName;
        EXPECT_EQ(dateTimeValue("2024:03:31 02:30:00"), wallClock(2024, 3, 31, 2, 30, 0))
            << zoneName;
        EXPECT_EQ(dateTimeValue("2024:01:15 00:30:00"), wallClock(2024, 1, 15, 0, 30, 0))
            << zoneName;
    }
}

TEST(DateTimeValue, theOrderOfTheValuesIsTheOrderOfTheTexts) {
    test::TzGuard zone("<+14>-14");
    std::vector<std::pair<uint64_t, std::string>> values;
    for (const char* text : {"1601:01:01 00:00:00", "1601:01:01 00:00:01", "1970:01:01 00:00:00",
                             "2004:02:29 00:30:00", "2024:01:15 00:00:00", "2024:01:15 01:59:59",
                             "2024:03:31 02:30:00", "2024:07:15 10:00:00", "2024:07:15 10:00:59",
                             "2024:07:15 10:01:00", "2024:07:15 23:59:59", "2024:10:27 02:30:00",
                             "2038:01:19 03:14:08", "2100:02:28 23:59:59", "2100:03:01 00:00:00"}) {
        values.emplace_back(dateTimeValue(text), text);
    }
    std::vector<std::pair<uint64_t, std::string>> byValue = values;
    std::sort(byValue.begin(), byValue.end());
    std::sort(values.begin(), values.end(),
              [](const auto& a, const auto& b) { return a.second < b.second; });
    EXPECT_EQ(byValue, values);
    for (size_t i = 1; i < values.size(); ++i) EXPECT_LT(values[i - 1].first, values[i].first);
}

TEST(DateTimeValue, onlyATextWithoutAValidDateIsMended) {
    test::TzGuard zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const std::pair<const char*, uint64_t> cases[] = {
        // No date at all: 1 January 1970; times of 0 stay 0.
        {"0000:00:00 00:00:00", wallClock(1970, 1, 1, 0, 0, 0)},
        {"", wallClock(1970, 1, 1, 0, 0, 0)},
        {"garbage", wallClock(1970, 1, 1, 0, 0, 0)},
        {"0000:03:04 10:20:30", wallClock(1970, 3, 4, 10, 20, 30)},
        // Years before 1601 cannot be held: 1970 as well.
        {"1600:12:31 23:59:59", wallClock(1970, 12, 31, 23, 59, 59)},
        {"0001:06:15 10:20:30", wallClock(1970, 6, 15, 10, 20, 30)},
        // Month or day 0.
        {"2005:00:04 10:20:30", wallClock(2005, 1, 4, 10, 20, 30)},
        {"2005:03:00 10:20:30", wallClock(2005, 3, 1, 10, 20, 30)},
        // A missing separator leaves the parts after it 0.
        {"2005", wallClock(2005, 1, 1, 0, 0, 0)},
        {"2005:03:04", wallClock(2005, 3, 4, 0, 0, 0)},
        {"2005:03:04 10:20", wallClock(2005, 3, 4, 10, 20, 0)},
        {"2005:3x:4y 10h:20m:30s", wallClock(2005, 3, 4, 10, 20, 30)},
        // Out-of-range parts of a damaged text roll over.
        {"2005:03:04 24:00:00", wallClock(2005, 3, 5, 0, 0, 0)},
        {"2005:03:04 10:61:00", wallClock(2005, 3, 4, 11, 1, 0)},
        {"2005:02:30 10:20:30", wallClock(2005, 3, 2, 10, 20, 30)},
        {"2005:13:01 10:20:30", wallClock(2006, 1, 1, 10, 20, 30)},
        {"2005:01:01 10:20:3600", wallClock(2005, 1, 1, 11, 20, 0)},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(dateTimeValue(text), expected) << '"' << text << '"';
    }
    EXPECT_EQ(dateTimeValue(nullptr), wallClock(1970, 1, 1, 0, 0, 0));
}

TEST(DateTimeValue, theEarliestSecondIsOneTickSoNoValueIsZero) {
    EXPECT_EQ(dateTimeValue("1601:01:01 00:00:00"), 1u);
    EXPECT_EQ(dateTimeValue("1601:01:01 00:00:01"), static_cast<uint64_t>(kFileTimeTicksPerSecond));
    EXPECT_EQ(wallClockValue(calendarFields(1500, 1, 1, 0, 0, 0)), 1u);
}

TEST(DateTimeValue, yearsBeyondWhatATextCanHoldAreHeldAtTheLatestSecond) {
    const uint64_t latest = wallClock(9999, 12, 31, 23, 59, 59);
    EXPECT_EQ(dateTimeValue("9999:12:31 23:59:59"), latest);
    EXPECT_EQ(dateTimeValue("10000:01:01 10:00:00"), latest);
    EXPECT_EQ(dateTimeValue("99999999999999999999:01:01 10:00:00"), latest);
    EXPECT_EQ(dateTimeValue("2005:999999999999:01 10:00:00"), latest);
    EXPECT_EQ(dateTimeValue("2005:01:01 99999999999:00:00"), latest);
    EXPECT_LT(dateTimeValue("9999:12:31 23:59:58"), latest);
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

}  // namespace
}  // namespace lumora
