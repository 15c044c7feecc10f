#pragma once

#include <cstdint>

#include "filters/FilterCriterion.h"

namespace lumora {

// The filter's caption and name tables, shared by the value lists and the
// album details.

extern const char* const kCriterionCaptions[kCriterionCount];

// EXIF metering mode code: 1 "average" ... 6 "partial", anything else "unkown".
const char* meteringModeName(int32_t code);
// EXIF exposure program code: 1 "manual" ... 8 "landscape mode", else "unkown".
const char* exposureProgramName(int32_t code);
// EXIF light source code as white balance: 1 "sunny", 2 "fluorescent",
// 3 "incandescent", anything else "cloudy".
const char* lightSourceName(int32_t code);

}  // namespace lumora
