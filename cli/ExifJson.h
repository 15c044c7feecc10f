#pragma once

#include <string>
#include <string_view>

#include "catalog/ExifInfo.h"

namespace lumora::cli {

// A JSON string literal, quotes included. A text that is valid UTF-8 is kept
// as it is; in any other text every byte from 0x80 up stands for the
// character of that code (as in Latin-1) and is written as \u00XX. Control
// characters are always escaped.
std::string jsonString(std::string_view text);

// A float as the shortest number that reads back as the same float; NaN and
// the infinities, which JSON cannot hold, as null.
std::string jsonNumber(float value);

// One picture's EXIF values as one JSON object on one line (no line break).
std::string exifJsonLine(const std::string& path, const ExifInfo& info);

}  // namespace lumora::cli
