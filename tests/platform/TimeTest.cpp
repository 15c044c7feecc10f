#include "platform/Time.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>

#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

TEST(LocalFieldsToUnix, letsTheRuntimeDecideDaylightSavingAndRollsOver) {
    test::TzGuard zone("EST5EDT,M3.2.0,M11.1.0");
    std::tm summer = calendarFields(2005, 7, 4, 10, 0, 0);
    summer.tm_isdst = 0;  // ignored: the runtime decides
    int64_t seconds = 0;
    ASSERT_TRUE(localFieldsToUnix(summer, seconds));
    EXPECT_EQ(seconds, utcFieldsToUnix(calendarFields(2005, 7, 4, 14, 0, 0)));
    EXPECT_EQ(summer.tm_isdst, 1);

    std::tm overflowing = calendarFields(2005, 2, 28, 27, 61, 0);
    ASSERT_TRUE(localFieldsToUnix(overflowing, seconds));
    EXPECT_EQ(overflowing.tm_mon, 2);
    EXPECT_EQ(overflowing.tm_mday, 1);
    EXPECT_EQ(overflowing.tm_hour, 4);
    EXPECT_EQ(overflowing.tm_min, 1);

    // The second before the epoch is a time, not a failure.
    test::TzGuard utc("UTC0");
    std::tm beforeEpoch = calendarFields(1969, 12, 31, 23, 59, 59);
    ASSERT_TRUE(localFieldsToUnix(beforeEpoch, seconds));
    EXPECT_EQ(seconds, -1);
    std::tm farPast = calendarFields(1800, 1, 1, 0, 0, 0);
    ASSERT_TRUE(localFieldsToUnix(farPast, seconds));
    EXPECT_EQ(seconds, utcFieldsToUnix(farPast));
}

TEST(UtcFieldsToUnix, agreesWithTheRuntimeOverFourCenturies) {
    // From 1700 to 2300 in uneven steps, so every month and leap rule is hit.
    for (int64_t seconds = -8520336000LL; seconds < 10413792000LL; seconds += 86400LL * 37 + 3607) {
        std::tm fields{};
        ASSERT_TRUE(unixToUtcFields(seconds, fields));
        ASSERT_EQ(utcFieldsToUnix(fields), seconds) << seconds;
    }
}

TEST(UtcFieldsToUnix, normalisesOutOfRangeFields) {
    EXPECT_EQ(utcFieldsToUnix(calendarFields(2005, 13, 1, 0, 0, 0)),
              utcFieldsToUnix(calendarFields(2006, 1, 1, 0, 0, 0)));
    EXPECT_EQ(utcFieldsToUnix(calendarFields(2005, 0, 1, 0, 0, 0)),
              utcFieldsToUnix(calendarFields(2004, 12, 1, 0, 0, 0)));
    EXPECT_EQ(utcFieldsToUnix(calendarFields(2005, -11, 1, 0, 0, 0)),
              utcFieldsToUnix(calendarFields(2004, 1, 1, 0, 0, 0)));
    EXPECT_EQ(utcFieldsToUnix(calendarFields(2005, 3, 0, -1, 0, 0)),
              utcFieldsToUnix(calendarFields(2005, 2, 27, 23, 0, 0)));
    EXPECT_EQ(utcFieldsToUnix(calendarFields(2000, 2, 29, 0, 0, 0)), 951782400);
    EXPECT_EQ(utcFieldsToUnix(calendarFields(1970, 1, 1, 0, 0, 0)), 0);
}

TEST(FileTime, countsHundredNanosecondsSince1601) {
    EXPECT_EQ(unixToFileTime(0), 116444736000000000ULL);
    EXPECT_EQ(unixToFileTime(-kFileTimeUnixEpochSeconds), 0u);
    EXPECT_EQ(unixToFileTime(-kFileTimeUnixEpochSeconds - 1), 0u);
    EXPECT_EQ(unixToFileTime(INT64_MAX), UINT64_MAX);
    EXPECT_EQ(fileTimeToUnix(0), -kFileTimeUnixEpochSeconds);
    EXPECT_EQ(fileTimeToUnix(116444736000000000ULL + 9999999), 0);
    for (int64_t seconds : {int64_t{-5000000000}, int64_t{-1}, int64_t{1109931630},
                            int64_t{4102444800}, int64_t{253402300799}}) {
        EXPECT_EQ(fileTimeToUnix(unixToFileTime(seconds)), seconds);
    }
}

TEST(FormatTime, usesEnglishNamesWhateverTheLocale) {
    std::tm fields{};
    ASSERT_TRUE(unixToUtcFields(1109931630 + 4 * 3600, fields));  // Friday 14:20:30
    // A process locale, where one exists, does not change the names.
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(formatTime("%A %a %B %b %p %I", fields), "Friday Fri March Mar PM 02");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(formatTime("", fields), "");
}

}  // namespace
}  // namespace lumora
