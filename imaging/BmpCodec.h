#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Image.h"

namespace lumora {

// Decodes a BMP file, or with allowHeaderless also a bare DIB (a bitmap
// resource: BITMAPINFOHEADER, palette, rows). 1- and 4-bit pictures come out as
// 8-bit ones with their palette, 32-bit ones as 24-bit.
bool decodeBmp(const uint8_t* data, size_t size, bool allowHeaderless, Image& image);

// A standard BMP file: file header, BITMAPINFOHEADER, palette, bottom-up rows.
bool encodeBmp(const Image& image, std::vector<uint8_t>& bytes);

}  // namespace lumora
