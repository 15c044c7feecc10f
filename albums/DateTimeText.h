#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Time.h"

namespace lumora {

inline constexpr int kDateFormatCount = 10;
inline constexpr int kTimeFormatCount = 2;

// The strftime patterns by their 1-based format numbers; null outside
// 1..kDateFormatCount and 1..kTimeFormatCount.
const char* datePattern(int dateFormat);
const char* timePattern(int timeFormat);

// "[" + the value formatted with the format + "]", or "[]" when the format
// number is out of range. The value is broken down as the wall-clock time it
// holds, without any zone, so the value made from a date text shows that
// text again in every zone and season.
std::string dateText(uint64_t value, int dateFormat);
std::string timeText(uint64_t value, int timeFormat);
// Date text, a space, time text: how a date and a time are shown together.
std::string dateTimeText(uint64_t value, int dateFormat, int timeFormat);

// The moment unixNow in local time with one format, without brackets, as the
// format dialog lists it; empty when the format number is out of range.
std::string formatDateSample(int64_t unixNow, int dateFormat);
std::string formatTimeSample(int64_t unixNow, int timeFormat);
// Every date format (1 to 10) and every time format (1 and 2) of the clock's
// now, in format order.
std::vector<std::string> dateSamples(const Clock& clock);
std::vector<std::string> timeSamples(const Clock& clock);

}  // namespace lumora
