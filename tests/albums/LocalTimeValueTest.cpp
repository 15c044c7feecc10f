#include "albums/LocalTimeValue.h"

#include <gtest/gtest.h>

#include "albums/DateTimeText.h"
#include "catalog/DateTimeValue.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

TEST(LocalTimeValue, aPickedTimeIsTheValueOfAPictureTakenAtThatTime) {
    const char* zones[] = {"UTC0",
                           "EST5EDT,M3.2.0,M11.1.0",
                           "CET-1CEST,M3.5.0,M10.5.0/3",
                           "JST-9",
                           "IST-5:30",
                           "NST3:30NDT,M3.2.0,M11.1.0",
                           "<+14>-14",
                           "<-12>12"};
    const struct {
        std::tm picked;
        const char* exifText;
        const char* shown;
    } cases[] = {
        {calendarFields(2005, 3, 4, 10, 0, 0), "2005:03:04 10:00:00", "[2005-03-04] [10 00 00]"},
        {calendarFields(2005, 3, 4, 0, 30, 0), "2005:03:04 00:30:00", "[2005-03-04] [00 30 00]"},
        {calendarFields(2005, 12, 31, 23, 59, 59), "2005:12:31 23:59:59",
         "[2005-12-31] [23 59 59]"},
        // The hour the spring change skips in Europe and the United States.
        {calendarFields(2024, 3, 31, 2, 30, 0), "2024:03:31 02:30:00", "[2024-03-31] [02 30 00]"},
        {calendarFields(2024, 3, 10, 2, 30, 0), "2024:03:10 02:30:00", "[2024-03-10] [02 30 00]"},
    };
    for (const char* zone : zones) {
        test::TzGuard guard(zone);
        for (const auto& c : cases) {
            const uint64_t value = localTimeToValue(c.picked);
            EXPECT_EQ(value, dateTimeValue(c.exifText)) << zone << " " << c.exifText;
            EXPECT_EQ(dateTimeText(value, 1, 1), c.shown) << zone << " " << c.exifText;
        }
    }
}

TEST(LocalTimeValue, neverGivesTheZeroOfAnEndNotSet) {
    EXPECT_EQ(localTimeToValue(calendarFields(1601, 1, 1, 0, 0, 0)), 1u);
    EXPECT_EQ(dateTimeText(1, 1, 1), "[1601-01-01] [00 00 00]");
}

}  // namespace
}  // namespace lumora
