#pragma once

#include <cstdint>
#include <ctime>

#include "catalog/ExifInfo.h"
#include "platform/Time.h"

namespace lumora {

// The six numbers of an EXIF date text "YYYY:MM:DD HH:MM:SS", each the value
// of the digits that lead its part (0 when there are none, or when a
// separator it depends on is missing). Runs of digits saturate at
// kDateComponentMax, so absurd texts cannot overflow.
struct DateTextFields {
    int32_t year = 0;
    int32_t month = 0;
    int32_t day = 0;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;

    bool operator==(const DateTextFields&) const = default;
};

inline constexpr int32_t kDateComponentMax = 999999999;

// Years above this cannot be written as the four digits of an EXIF date
// text; later dates are held at the last second of this year.
inline constexpr int32_t kLatestYear = 9999;

DateTextFields splitExifDateText(const char* text);

// The picture's date-time value, a FILETIME compared as an unsigned number:
// the time is shifted by the time-zone bias (its whole hours on the hour, the
// minutes left over on the minute), missing parts get their defaults (month 1,
// day 1, hour 12, minute 1, second 1; year 1970), the fields go
// through the runtime's local-time conversion and back, and the wall-clock
// result is read as UTC.
uint64_t dateTimeValue(const char* exifDateText, const Clock& clock);

// The same with the bias (minutes, UTC = local + bias) given, for a scan that
// computes it once.
uint64_t dateTimeValueWithBias(const char* exifDateText, int32_t biasMinutes);

// The six numbers of the picture's date text as a local calendar time,
// without the bias shift and without the defaults (tm_isdst -1). False when
// the picture has no date text.
bool pictureLocalTime(const ExifInfo& info, std::tm& fields);

}  // namespace lumora
