#include "albums/DateTimeText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/DateTimeValue.h"
#include "platform/Time.h"
#include "tests/support/TzGuard.h"
#include "tests/support/WorldZones.h"

namespace lumora {
namespace {

constexpr int64_t kFriday = 1109931630;  // 2005-03-04 10:20:30 UTC

constexpr const char* kUtc = "UTC0";
constexpr const char* kNewYork = "EST5EDT,M3.2.0,M11.1.0";

TEST(DateTimeText, formatsEveryDateAndTimePatternInBrackets) {
    test::TzGuard zone(kUtc);
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
        EXPECT_EQ(dateText(friday, format), dates[format - 1]) << "date format " << format;
    }
    EXPECT_EQ(timeText(friday, 1), "[10 20 30]");
    EXPECT_EQ(timeText(friday, 2), "[10 20 30 AM]");
    const uint64_t evening = unixToFileTime(kFriday + 11 * 3600 + 45 * 60 + 37);  // 22:06:07
    EXPECT_EQ(timeText(evening, 1), "[22 06 07]");
    EXPECT_EQ(timeText(evening, 2), "[10 06 07 PM]");
    EXPECT_EQ(dateTimeText(evening, 4, 2), "[March 04, 2005] [10 06 07 PM]");
}

TEST(DateTimeText, formatNumbersOutOfRangeGiveEmptyBrackets) {
    const uint64_t friday = unixToFileTime(kFriday);
    for (int format : {0, -1, 11, 1000}) {
        EXPECT_EQ(dateText(friday, format), "[]") << format;
    }
    for (int format : {0, -1, 3}) {
        EXPECT_EQ(timeText(friday, format), "[]") << format;
    }
    EXPECT_EQ(dateTimeText(friday, 11, 3), "[] []");
    EXPECT_EQ(datePattern(0), nullptr);
    EXPECT_EQ(timePattern(3), nullptr);
}

using test::kWorldZones;

// EXIF texts with the date and time texts (formats 1 and 1, and 2 and 2)
// they must give back: midnight, the small hours, minute and second 0, the
// hours the spring change skips and the autumn change repeats in Europe, the
// United States and Australia, 29 February, and years from 1601 to 2100.
struct TextCase {
    const char* exif;
    const char* date1;
    const char* time1;
    const char* date2;
    const char* time2;
};

constexpr TextCase kTexts[] = {
    {"1601:01:01 00:00:00", "[1601-01-01]", "[00 00 00]", "[01 01 1601]", "[12 00 00 AM]"},
    {"1601:01:01 00:00:01", "[1601-01-01]", "[00 00 01]", "[01 01 1601]", "[12 00 01 AM]"},
    {"1970:01:01 00:00:00", "[1970-01-01]", "[00 00 00]", "[01 01 1970]", "[12 00 00 AM]"},
    {"2004:02:29 00:30:00", "[2004-02-29]", "[00 30 00]", "[29 02 2004]", "[12 30 00 AM]"},
    {"2024:01:15 00:00:00", "[2024-01-15]", "[00 00 00]", "[15 01 2024]", "[12 00 00 AM]"},
    {"2024:01:15 00:30:00", "[2024-01-15]", "[00 30 00]", "[15 01 2024]", "[12 30 00 AM]"},
    {"2024:01:15 01:59:59", "[2024-01-15]", "[01 59 59]", "[15 01 2024]", "[01 59 59 AM]"},
    {"2024:02:29 12:00:00", "[2024-02-29]", "[12 00 00]", "[29 02 2024]", "[12 00 00 PM]"},
    {"2024:03:10 02:30:00", "[2024-03-10]", "[02 30 00]", "[10 03 2024]", "[02 30 00 AM]"},
    {"2024:03:31 02:30:00", "[2024-03-31]", "[02 30 00]", "[31 03 2024]", "[02 30 00 AM]"},
    {"2024:04:07 02:30:00", "[2024-04-07]", "[02 30 00]", "[07 04 2024]", "[02 30 00 AM]"},
    {"2024:07:15 10:00:00", "[2024-07-15]", "[10 00 00]", "[15 07 2024]", "[10 00 00 AM]"},
    {"2024:07:15 10:00:59", "[2024-07-15]", "[10 00 59]", "[15 07 2024]", "[10 00 59 AM]"},
    {"2024:07:15 10:01:00", "[2024-07-15]", "[10 01 00]", "[15 07 2024]", "[10 01 00 AM]"},
    {"2024:07:15 23:59:59", "[2024-07-15]", "[23 59 59]", "[15 07 2024]", "[11 59 59 PM]"},
    {"2024:10:06 02:30:00", "[2024-10-06]", "[02 30 00]", "[06 10 2024]", "[02 30 00 AM]"},
    {"2024:10:27 02:30:00", "[2024-10-27]", "[02 30 00]", "[27 10 2024]", "[02 30 00 AM]"},
    {"2024:11:03 01:30:00", "[2024-11-03]", "[01 30 00]", "[03 11 2024]", "[01 30 00 AM]"},
    {"2038:01:19 03:14:08", "[2038-01-19]", "[03 14 08]", "[19 01 2038]", "[03 14 08 AM]"},
    {"2100:02:28 23:59:59", "[2100-02-28]", "[23 59 59]", "[28 02 2100]", "[11 59 59 PM]"},
    {"2100:03:01 00:00:00", "[2100-03-01]", "[00 00 00]", "[01 03 2100]", "[12 00 00 AM]"},
};

TEST(DateTimeText, theTextsOfAPicturesValueAreItsExifTextInEveryZone) {
    std::vector<std::string> reference;
    {
        test::TzGuard zone("UTC0");
        for (const TextCase& c : kTexts) {
            const uint64_t value = dateTimeValue(c.exif);
            for (int format = 1; format <= kDateFormatCount; ++format) {
                reference.push_back(dateText(value, format));
            }
            reference.push_back(timeText(value, 1) + timeText(value, 2));
        }
    }
    for (const char* zoneName : kWorldZones) {
        SCOPED_TRACE(zoneName);
        test::TzGuard zone(zoneName);
        std::vector<std::string> shown;
        for (const TextCase& c : kTexts) {
            const uint64_t value = dateTimeValue(c.exif);
            EXPECT_EQ(dateText(value, 1), c.date1) << c.exif;
            EXPECT_EQ(timeText(value, 1), c.time1) << c.exif;
            EXPECT_EQ(dateText(value, 2), c.date2) << c.exif;
            EXPECT_EQ(timeText(value, 2), c.time2) << c.exif;
            for (int format = 1; format <= kDateFormatCount; ++format) {
                shown.push_back(dateText(value, format));
            }
            shown.push_back(timeText(value, 1) + timeText(value, 2));
        }
        // Every date format too: the same texts in every zone.
        EXPECT_EQ(shown, reference);
    }
}

TEST(DateTimeText, theEarliestValuesShowTheFileTimeEpoch) {
    test::TzGuard zone(kNewYork);
    EXPECT_EQ(dateText(0, 1), "[1601-01-01]");
    EXPECT_EQ(timeText(0, 1), "[00 00 00]");
    EXPECT_EQ(dateText(UINT64_MAX, 1).substr(0, 6), "[60056");
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
