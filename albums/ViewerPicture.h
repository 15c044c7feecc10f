#pragma once

#include <cstdint>
#include <string>

#include "imaging/Image.h"
#include "platform/FileSystem.h"

namespace lumora {

// What the large viewer shows in place of a picture it cannot decode.
inline constexpr const char* kPictureNotDecodedText =
    "This picture cannot be shown: its file could not be decoded.";

struct PictureSize {
    int32_t width = 0;
    int32_t height = 0;

    bool operator==(const PictureSize&) const = default;
};

// The size the large viewer shows a picture of width x height at: a scale of
// 800 / width x 100 held as a 32-bit float, then each side times the scale
// times the 32-bit float nearest to 0.01, cut toward zero. That float lies
// just below 0.01, so a picture is shown 799 pixels wide: 1600 x 1200 as
// 799 x 599, 3000 x 2000 as 799 x 533. The scale is the float just below
// 800 / width x 100 rather than the nearest one, which for some sizes
// (1920 x 1440, 2272 x 1704) lies above it and would give 800 x 600. Sides
// are at least 1 pixel, so a very thin picture still shows as a line.
PictureSize viewerDisplaySize(int32_t width, int32_t height);

// The width and height in the frame header of a JPEG file; false when the
// file cannot be read or no frame header comes before the picture data.
bool jpegFrameSize(FileSystem& fileSystem, const std::string& path, PictureSize& size);

// The picture file decoded as JPEG (other formats are tried when that fails)
// and brought to its viewer size by nearest pixel. A JPEG is sampled to that
// size while it is decoded, which gives the same pixels as decoding it whole
// and resampling, without ever holding the whole picture. Invalid when the
// file cannot be decoded.
//
// With an EXIF orientation (2..8) the picture is shown upright: its viewer
// size is that of the upright picture (a portrait taken with a landscape
// camera is 799 wide like any other, and scrolls), it is sampled at that size
// as stored and turned after, so the turn never touches the whole picture.
Image decodeForViewer(FileSystem& fileSystem, const std::string& path, int orientation = 1);

}  // namespace lumora
