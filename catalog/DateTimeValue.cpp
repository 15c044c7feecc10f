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

uint64_t wallClockValue(const std::tm& fields) {
    // utcFieldsToUnix counts every part arithmetically, so an hour of 24 or
    // a minute of 61 rolls into the next day or hour and no zone can shift
    // or refuse the time.
    const int64_t latest = utcFieldsToUnix(calendarFields(kLatestYear, 12, 31, 23, 59, 59));
    const int64_t seconds = std::min(utcFieldsToUnix(fields), latest);
    // 0 means "not set" for the ends of an album's range: the first second
    // of 1601 is one tick later.
    return std::max<uint64_t>(unixToFileTime(seconds), 1);
}

uint64_t dateTimeValue(const char* exifDateText) {
    const DateTextFields text = splitExifDateText(exifDateText);
    if (text.year > kLatestYear) {
        return wallClockValue(calendarFields(kLatestYear, 12, 31, 23, 59, 59));
    }
    const int32_t year = text.year < kEarliestYear ? 1970 : text.year;
    const int32_t month = text.month <= 0 ? 1 : text.month;
    const int32_t day = text.day <= 0 ? 1 : text.day;
    return wallClockValue(calendarFields(year, month, day, text.hour, text.minute, text.second));
}

bool valueFields(uint64_t value, std::tm& fields) {
    return unixToUtcFields(fileTimeToUnix(value), fields);
}

}  // namespace lumora
