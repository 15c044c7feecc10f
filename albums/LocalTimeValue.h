#pragma once

#include <cstdint>
#include <ctime>

#include "platform/Time.h"

namespace lumora {

// A local calendar time (as the manual time range pickers give it) as a
// date-time value: the time is shifted by the time-zone bias as the scan does
// (its whole hours on the hour, the minutes left over on the minute), and the
// fields are read as UTC, without the scan's defaults. A time that the shift
// takes outside the day rolls over into the day before or after, so the value
// is the same moment the scan would give the same wall-clock time. Times
// before 1601 give 0.
uint64_t localTimeToValue(const std::tm& localFields, const Clock& clock);
uint64_t localTimeToValueWithBias(const std::tm& localFields, int32_t biasMinutes);

}  // namespace lumora
