#pragma once

#include <cstddef>
#include <cstdint>

namespace lumora {

// The EXIF values of one picture, and the per-picture state that other parts
// of the program keep with it. A fixed-size record, zero-filled when created.
// Text fields are NUL-terminated 8-bit strings.
struct ExifInfo {
    char Version[5] = {};
    char CameraMake[32] = {};
    char CameraModel[40] = {};
    char DateTime[20] = {};  // "YYYY:MM:DD HH:MM:SS"
    int32_t Height = 0;
    int32_t Width = 0;
    int32_t Orientation = 0;  // 1..8, 0 = undefined
    int32_t IsColor = 0;
    int32_t Process = 0;  // the SOFn marker code of the frame header
    int32_t FlashUsed = 0;
    float FocalLength = 0;   // mm
    float ExposureTime = 0;  // s
    float ApertureFNumber = 0;
    float Distance = 0;        // m
    float CCDWidth = 0;        // inches
    float ExposureBias = 0;    // EV
    int32_t Whitebalance = 0;  // light source code
    int32_t MeteringMode = 0;
    int32_t ExposureProgram = 0;
    int32_t ISOequivalent = 0;
    int32_t CompressionLevel = 0;
    float FocalplaneXRes = 0;
    float FocalplaneYRes = 0;
    float FocalplaneUnits = 0;  // unit factor
    float Xresolution = 0;
    float Yresolution = 0;
    float ResolutionUnit = 0;  // unit factor
    float Brightness = 0;
    char Comments[1000] = {};
    // The embedded thumbnail JPEG, as its place in the picture's file (bytes
    // from the start of the file), read when it is needed rather than held
    // for every listed picture. 0 and 0 when there is none.
    uint32_t ThumbnailOffset = 0;
    uint32_t ThumbnailSize = 0;

    double signature[16] = {};   // duplicate-search signature, zero until analysed
    int32_t thumbnailIndex = 0;  // index in the film's image list
    int32_t pictureId = 0;       // -1 until the first film build assigns it
    char customName[128] = {};
    // These three bytes are stored together (with one spare byte) in the
    // session file: their order and widths are fixed.
    uint8_t hasCustomName = 0;
    uint8_t dateSubstituted = 0;
    uint8_t IsExif = 0;
};

static_assert(offsetof(ExifInfo, dateSubstituted) == offsetof(ExifInfo, hasCustomName) + 1);
static_assert(offsetof(ExifInfo, IsExif) == offsetof(ExifInfo, hasCustomName) + 2);

}  // namespace lumora
