#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/Image.h"

namespace lumora {

// Decodes JPEG data into a 24-bit picture (8-bit with a grey palette for
// greyscale data). On failure the image is left invalid with the decoder's
// message as its error text.
bool decodeJpeg(const uint8_t* data, size_t size, const DecodeOptions& options, Image& image);

// The numerator over 8 of the scale a JPEG of this size is decoded at.
int jpegScaleNumerator(int width, int height, const DecodeOptions& options);

}  // namespace lumora
