#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/ExifInfo.h"
#include "catalog/PictureEntry.h"
#include "platform/Time.h"

namespace lumora {

// The Picture Info lines of the Edit Album dialog for one picture, in order.
// dateTime is the picture's date-time value, shown in the given formats.
std::vector<std::string> pictureInfoLines(const ExifInfo& exif, uint64_t dateTime, int dateFormat,
                                          int timeFormat);
// The lines of a listed picture: its corrected time, and when its camera's
// clock was corrected, what that clock wrote after each of the date and time.
std::vector<std::string> pictureInfoLines(const PictureEntry& picture, int dateFormat,
                                          int timeFormat);

// The name of a JPEG process by its start-of-frame marker code; "Unknown"
// for any other code.
const char* jpegProcessName(int32_t markerCode);

}  // namespace lumora
