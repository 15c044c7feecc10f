#pragma once

#include <cstdint>
#include <vector>

#include "imaging/Image.h"

namespace lumora::test {

// A 24-bit picture of one colour.
Image solidImage(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue);
// A 24-bit picture whose pixel (x, y) is blue x, green y, red `red`, so that
// a test can read where each pixel came from.
Image coordinateImage(int32_t width, int32_t height, uint8_t red = 0);
// An 8-bit grey picture of one value.
Image greyImage(int32_t width, int32_t height, uint8_t value);

// A 24-bit (or 8-bit grey) picture whose every pixel is a hash of its place,
// so that a pixel taken from the wrong place shows.
Image texturedImage(int32_t width, int32_t height, bool grey = false);

// JPEG encodings made with libjpeg: a 24-bit picture as colour, an 8-bit grey
// one as greyscale, and an inverted-CMYK (Adobe) picture of one colour.
std::vector<uint8_t> encodeJpeg(const Image& image, int quality = 95, bool progressive = false);
std::vector<uint8_t> encodeCmykJpeg(int32_t width, int32_t height, uint8_t cyan, uint8_t magenta,
                                    uint8_t yellow, uint8_t black);

}  // namespace lumora::test
