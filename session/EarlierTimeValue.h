#pragma once

#include <cstdint>

namespace lumora {

// The date-time value of a date text as versions before the "1.1" session
// mark computed it: the hour shifted by the time-zone bias in effect when
// the program ran (minutes, UTC = local + bias; its whole hours on the hour,
// the rest on the minute), parts of 0 or less replaced (hour 12, minute 1,
// second 1, month and day 1, year 1970), the fields sent through the
// runtime's local-time conversion and read back as UTC. Those values only
// order the pictures of an earlier session file as they were ordered when it
// was written; nothing else uses them.
uint64_t earlierDateTimeValue(const char* exifDateText, int32_t biasMinutes);

}  // namespace lumora
