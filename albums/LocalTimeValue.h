#pragma once

#include <cstdint>
#include <ctime>

namespace lumora {

// A wall-clock time as the manual time range pickers give it, as a date-time
// value: read without any zone, exactly as a picture's date text is, so a
// picker showing 10:00:00 gives the value of a picture taken at 10:00:00 in
// every zone and season. Never 0 (0 is "not set" for a range end).
uint64_t localTimeToValue(const std::tm& localFields);

}  // namespace lumora
