#include "session/EarlierTimeValue.h"

#include <algorithm>

#include "catalog/DateTimeValue.h"
#include "platform/Time.h"

namespace lumora {
namespace {

int32_t orDefault(int64_t value, int32_t fallback) {
    return value <= 0 ? fallback : static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

}  // namespace

uint64_t earlierDateTimeValue(const char* exifDateText, int32_t biasMinutes) {
    const DateTextFields text = splitExifDateText(exifDateText);
    const int32_t hourShift = biasMinutes / 60;  // truncates toward zero
    const int32_t minuteShift = biasMinutes % 60;
    const int32_t year = text.year <= 0 ? 1970 : text.year;
    const int32_t month = orDefault(text.month, 1);
    const int32_t day = orDefault(text.day, 1);
    const int32_t hour = orDefault(static_cast<int64_t>(text.hour) + hourShift, 12);
    const int32_t minute = orDefault(text.minute, 1) + minuteShift;
    const int32_t second = orDefault(text.second, 1);

    const int64_t latest =
        utcFieldsToUnix(calendarFields(kLatestYear, 12, 31, 23 + hourShift, 59 + minuteShift, 59));
    if (year > kLatestYear) return unixToFileTime(latest);

    std::tm fields = calendarFields(year, month, day, hour, minute, second);
    int64_t unixSeconds = 0;
    localFieldsToUnix(fields, unixSeconds);
    const int64_t wallClock = utcFieldsToUnix(fields);
    return unixToFileTime(std::min(wallClock, latest));
}

}  // namespace lumora
