#include "platform/Time.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>

#include "platform/ZoneRule.h"
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

// Pictures and files older than 1970 keep their local time, both ways.
// (Summer time before 1970 is left out: the C library of Linux applies a TZ
// text's daylight-saving days only from 1970 on.)
TEST(LocalFieldsToUnix, convertsTimesBefore1970) {
    struct Case {
        const char* zone;
        std::tm local;
        int64_t universal;
        int weekday;  // 0 = Sunday
    };
    const Case cases[] = {
        {"CET-1CEST,M3.5.0,M10.5.0/3", calendarFields(1965, 1, 15, 12, 0, 0),
         utcFieldsToUnix(calendarFields(1965, 1, 15, 11, 0, 0)), 5},
        {"CET-1CEST,M3.5.0,M10.5.0/3", calendarFields(1969, 12, 31, 23, 59, 59), -3601, 3},
        {"CET-1CEST,M3.5.0,M10.5.0/3", calendarFields(1700, 1, 1, 0, 30, 0),
         utcFieldsToUnix(calendarFields(1699, 12, 31, 23, 30, 0)), 5},
        {"NPT-5:45", calendarFields(1950, 3, 1, 6, 0, 0),
         utcFieldsToUnix(calendarFields(1950, 3, 1, 0, 15, 0)), 3},
        {"EST5EDT,M3.2.0,M11.1.0", calendarFields(1969, 12, 31, 20, 0, 0), 3600, 3},
    };
    for (const Case& c : cases) {
        test::TzGuard zone(c.zone);
        std::tm fields = c.local;
        int64_t seconds = 0;
        ASSERT_TRUE(localFieldsToUnix(fields, seconds)) << c.universal;
        EXPECT_EQ(seconds, c.universal);
        EXPECT_EQ(fields.tm_isdst, 0) << c.universal;
        std::tm back{};
        ASSERT_TRUE(unixToLocalFields(c.universal, back));
        EXPECT_EQ(utcFieldsToUnix(back), utcFieldsToUnix(c.local)) << c.universal;
        EXPECT_EQ(back.tm_isdst, 0) << c.universal;
        EXPECT_EQ(back.tm_wday, c.weekday) << c.universal;
    }
}

TEST(ZoneRule, readsTheTzForms) {
    ZoneRule rule;
    ASSERT_TRUE(parseZoneRule("CET-1CEST,M3.5.0,M10.5.0/3", rule));
    EXPECT_EQ(rule.standardOffset, -3600);
    EXPECT_TRUE(rule.hasDaylight);
    EXPECT_EQ(rule.daylightOffset, -7200);
    EXPECT_EQ(rule.daylightStart, (ZoneChange{3, 5, 0, 7200}));
    EXPECT_EQ(rule.daylightEnd, (ZoneChange{10, 5, 0, 10800}));

    ASSERT_TRUE(parseZoneRule("<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45", rule));
    EXPECT_EQ(rule.standardOffset, -(12 * 3600 + 45 * 60));
    EXPECT_EQ(rule.daylightOffset, -(13 * 3600 + 45 * 60));
    EXPECT_EQ(rule.daylightStart, (ZoneChange{9, 5, 0, 2 * 3600 + 45 * 60}));

    ASSERT_TRUE(parseZoneRule("<-04>4<-03>,M9.1.6/24,M4.1.6/24", rule));
    EXPECT_EQ(rule.standardOffset, 4 * 3600);
    EXPECT_EQ(rule.daylightEnd, (ZoneChange{4, 1, 6, 24 * 3600}));

    ASSERT_TRUE(parseZoneRule("EST5EDT", rule));
    EXPECT_EQ(rule.standardOffset, 5 * 3600);
    EXPECT_EQ(rule.daylightStart, (ZoneChange{3, 2, 0, 7200}));
    EXPECT_EQ(rule.daylightEnd, (ZoneChange{11, 1, 0, 7200}));

    ASSERT_TRUE(parseZoneRule("NPT-5:45", rule));
    EXPECT_EQ(rule.standardOffset, -(5 * 3600 + 45 * 60));
    EXPECT_FALSE(rule.hasDaylight);
    ASSERT_TRUE(parseZoneRule("UTC", rule));
    EXPECT_EQ(rule.standardOffset, 0);

    for (const char* unreadable :
         {"Europe/Paris", "", "X5", "EST5EDT,J60,J300", "CET-1CEST,M13.5.0,M10.5.0",
          "CET-1CEST,M3.5.0", "<+14-14", "EST5EDT4,M3.2.0,M11.1.0x"}) {
        EXPECT_FALSE(parseZoneRule(unreadable, rule)) << unreadable;
    }
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
