#pragma once

#include <cstddef>
#include <cstdint>

#include "catalog/ExifInfo.h"

namespace lumora {

// What the reader does with the value of one known tag.
enum class ExifTagKind : uint8_t {
    Text,             // copied into textField, at most maxChars characters
    Float,            // converted and stored in floatField
    Integer,          // converted, truncated and stored in intField
    Unit,             // looked up in the unit table, stored in floatField
    Orientation,      // 1..8, anything else is undefined (0)
    IsoSpeed,         // small values are scaled (see the reader)
    ShutterSpeed,     // APEX value: written only while ExposureTime is 0
    Aperture,         // APEX value: written only while ApertureFNumber is 0
    Flash,            // fired when any of the three low bits is set
    UserComment,      // trimmed and copied into Comments
    PixelDimension,   // the larger one is the width used for CCDWidth
    ThumbnailOffset,  // kept for the directory's thumbnail
    ThumbnailLength,  // kept for the directory's thumbnail
    SubDirectory,     // an offset of a directory walked at once
};

struct ExifTagRule {
    uint16_t tag;
    ExifTagKind kind;
    float ExifInfo::*floatField = nullptr;
    int32_t ExifInfo::*intField = nullptr;
    char* (*textField)(ExifInfo&) = nullptr;
    uint16_t maxChars = 0;
};

// The rule for a tag, or null for the tags the reader ignores.
const ExifTagRule* findExifTagRule(uint16_t tag);

// Bytes per element of a TIFF format code; 0 for codes outside 1..12.
uint32_t tiffFormatSize(uint32_t format);

// The factor of a resolution unit code (already truncated to an integer):
// false for codes without one, which leave the field as it was.
bool resolutionUnitFactor(int64_t code, float& factor);

// The reader's last-error texts.
namespace exif_error {
inline constexpr const char* kInvalidMarker = "invalid marker";
inline constexpr const char* kNoMemory = "Could not allocate memory";
inline constexpr const char* kPrematureEnd = "Premature end of file?";
inline constexpr const char* kTooManySections = "Too many sections in jpg file";
inline constexpr const char* kIncorrectHeader = "Incorrect Exif header";
inline constexpr const char* kInvalidAlignment = "Invalid Exif alignment marker.";
inline constexpr const char* kInvalidStart = "Invalid Exif start (1)";
inline constexpr const char* kSuspiciousFirstOffset = "Suspicious offset of first IFD value";
inline constexpr const char* kIllegalDirectorySize = "Illegally sized directory";
inline constexpr const char* kIllegalFormat = "Illegal format code in EXIF dir";
inline constexpr const char* kIllegalPointer = "Illegal pointer offset value in EXIF.";
inline constexpr const char* kIllegalLink = "Illegal subdirectory link";
inline constexpr const char* kUndefinedRotation = "Undefined rotation value";
}  // namespace exif_error

// The two lines the reader writes to its diagnostics stream.
inline constexpr const char* kTooManyPaddingLine = "too many padding unsigned chars\n";
inline constexpr const char* kNoImageLine = "No image in jpeg!\n";

}  // namespace lumora
