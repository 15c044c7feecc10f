#include "catalog/DateTimeValue.h"

#include <algorithm>
#include <cstring>

namespace lumora {
namespace {

// The value of the digits at text, saturated; text may be null.
int32_t leadingNumber(const char* text) {
    int32_t value = 0;
    if (text == nullptr) return value;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const int32_t digit = *text - '0';
        if (value > (kDateComponentMax - digit) / 10) return kDateComponentMax;
        value = value * 10 + digit;
    }
    return value;
}

// The separator after from, or null; from may be null.
const char* after(const char* from, char separator) {
    if (from == nullptr) return nullptr;
    const char* found = std::strchr(from, separator);
    return found == nullptr ? nullptr : found + 1;
}

int32_t orDefault(int64_t value, int32_t fallback) {
    return value <= 0 ? fallback : static_cast<int32_t>(std::min<int64_t>(value, INT32_MAX));
}

}  // namespace

DateTextFields splitExifDateText(const char* text) {
    // Each part is searched after the separator before it, so a missing
    // separator leaves every later part 0.
    DateTextFields fields;
    if (text == nullptr) return fields;
    fields.year = leadingNumber(text);
    const char* month = after(text, ':');
    const char* day = after(month, ':');
    const char* hour = after(day, ' ');
    const char* minute = after(hour, ':');
    const char* second = after(minute, ':');
    fields.month = leadingNumber(month);
    fields.day = leadingNumber(day);
    fields.hour = leadingNumber(hour);
    fields.minute = leadingNumber(minute);
    fields.second = leadingNumber(second);
    return fields;
}

uint64_t dateTimeValueWithBias(const char* exifDateText, int32_t biasMinutes) {
    const DateTextFields text = splitExifDateText(exifDateText);
    // The whole hours of the bias move the hour, and the minutes left over
    // (half an hour in India, three quarters in Nepal) move the minute: the
    // display moves the value back by the whole bias, so every zone shows
    // the text's own time again.
    const int32_t hourShift = biasMinutes / 60;  // truncates toward zero
    const int32_t minuteShift = biasMinutes % 60;
    const int32_t year = text.year <= 0 ? 1970 : text.year;
    const int32_t month = orDefault(text.month, 1);
    const int32_t day = orDefault(text.day, 1);
    // An hour that the shift made 0 or negative takes the default as well.
    const int32_t hour = orDefault(static_cast<int64_t>(text.hour) + hourShift, 12);
    // The default minute is the text's, before the shift: 10:00:00 shows
    // as 10:01:01 in every zone. Minutes outside 0..59 roll over below.
    const int32_t minute = orDefault(text.minute, 1) + minuteShift;
    const int32_t second = orDefault(text.second, 1);

    // The latest value: the last second of the latest year, shifted like any
    // other text, so that it shows that second again.
    const int64_t latest =
        utcFieldsToUnix(calendarFields(kLatestYear, 12, 31, 23 + hourShift, 59 + minuteShift, 59));
    if (year > kLatestYear) return unixToFileTime(latest);

    std::tm fields = calendarFields(year, month, day, hour, minute, second);
    int64_t unixSeconds = 0;
    // When the runtime cannot convert, the fields rolled over as they stand
    // are the wall-clock time it would have given outside a daylight change.
    localFieldsToUnix(fields, unixSeconds);
    const int64_t wallClock = utcFieldsToUnix(fields);
    return unixToFileTime(std::min(wallClock, latest));
}

uint64_t dateTimeValue(const char* exifDateText, const Clock& clock) {
    return dateTimeValueWithBias(exifDateText, timeZoneBias(clock));
}

bool pictureLocalTime(const ExifInfo& info, std::tm& fields) {
    if (info.DateTime[0] == '\0') return false;
    // The record's text is NUL-terminated by its fixed size at the latest.
    char text[sizeof info.DateTime + 1] = {};
    std::memcpy(text, info.DateTime, sizeof info.DateTime);
    const DateTextFields parts = splitExifDateText(text);
    fields =
        calendarFields(parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second);
    return true;
}

}  // namespace lumora
