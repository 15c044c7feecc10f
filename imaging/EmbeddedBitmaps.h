#pragma once

#include <cstddef>
#include <cstdint>

namespace lumora {

// A bitmap file compiled into the program (the table is generated at build
// time from res/bitmaps).
struct EmbeddedBitmap {
    int id;
    const uint8_t* bytes;
    size_t size;
};

extern const EmbeddedBitmap kEmbeddedBitmaps[];
extern const size_t kEmbeddedBitmapCount;

}  // namespace lumora
