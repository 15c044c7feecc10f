#pragma once

#include <cstdint>
#include <ctime>

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

// The first year a value can hold; earlier years are no date at all.
inline constexpr int32_t kEarliestYear = 1601;

// The picture's date-time value, a FILETIME compared as an unsigned number:
// the text's six numbers read as a wall-clock time without any zone (as if
// it were UTC), so that showing the value the same way gives the text back
// whatever the zone and the season. Only a text without a valid date is
// mended: a year before 1601 becomes 1970, month 0 and day 0 become 1; an
// hour, minute or second of 0 is a real time and stays. Parts out of range
// (hour 24, minute 61) roll over; dates after 9999 are held at its last
// second. The value is never 0, which means "not set" for a range end.
uint64_t dateTimeValue(const char* exifDateText);

// The value of a wall-clock time given as calendar fields (month 0-based,
// year - 1900, as in std::tm; out-of-range parts roll over), read without any
// zone as dateTimeValue reads a text; never 0. Times before 1601 give the
// earliest value.
uint64_t wallClockValue(const std::tm& fields);

// A value broken down into the wall-clock fields it stands for. False when
// the value lies beyond what the runtime can break down.
bool valueFields(uint64_t value, std::tm& fields);

}  // namespace lumora
