#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::test {

// What goes into a test picture's EXIF block.
struct PictureSpec {
    std::string dateTimeOriginal;  // tag 0x9003; left out when empty
    std::string make;              // tag 0x010F; left out when empty
    bool withThumbnail = false;    // a small JPEG in the thumbnail directory
    uint32_t seed = 1;             // chooses the picture's pattern
    std::string model;             // tag 0x0110; left out when empty
    int orientation = 0;           // tag 0x0112; left out when 0
    // The picture (and its thumbnail) shows the upright scene of
    // samples/UprightScene.h, stored as a camera with `orientation` stores
    // it, instead of the seed's pattern: 64 x 48 stored (16 x 12 thumbnail).
    bool scene = false;
};

// A real JPEG file with an APP1 "Exif" section holding the given values.
std::vector<uint8_t> exifPicture(const PictureSpec& spec);
// The usual case: a picture taken at the date text.
std::vector<uint8_t> exifPicture(const std::string& dateTimeOriginal);
// A real JPEG without any EXIF section.
std::vector<uint8_t> plainPicture(uint32_t seed = 1);

}  // namespace lumora::test
