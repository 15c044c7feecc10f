#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "samples/ExifBlockWriter.h"

namespace lumora::samples {

// Writes real JPEG files (libjpeg for the image data) with chosen header
// sections.

struct JpegSpec {
    int width = 64;
    int height = 48;
    int components = 3;  // 1 grey or 3 colour
    int quality = 85;
    uint32_t seed = 1;  // chooses the picture's deterministic pattern
    // Sections put between SOI and the image data, in order, each a whole
    // section with its marker (for example buildExifSegment's result).
    std::vector<std::vector<uint8_t>> segments;
};

// A plain JPEG of the pattern, without any APPn section.
std::vector<uint8_t> encodePattern(int width, int height, int components, int quality,
                                   uint32_t seed);

// A plain JPEG of rows the caller fills, top row first (components 1 grey
// or 3 colour, red-green-blue); empty for an impossible size.
std::vector<uint8_t> encodeRows(int width, int height, int components, int quality,
                                const std::function<void(int y, uint8_t* row)>& fillRow);

// The file: SOI, the given segments, then the encoded image's own sections
// (its APP0 dropped) up to EOI.
std::vector<uint8_t> buildJpegFile(const JpegSpec& spec);

// The same, around image data encoded before (encodePattern's result), so
// that one encoded body can carry many different header sections.
std::vector<uint8_t> buildJpegFile(const std::vector<uint8_t>& encodedImage,
                                   const std::vector<std::vector<uint8_t>>& segments);

std::vector<uint8_t> commentSegment(const std::string& text);  // 0xFF 0xFE

// Writes a new file; false when the name is taken or the write fails.
bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace lumora::samples
