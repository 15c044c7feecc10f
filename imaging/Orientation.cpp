#include "imaging/Orientation.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lumora {
namespace {

struct Point {
    int32_t x;
    int32_t y;
};

// Where the upright picture's pixel (x, y) lies in the stored picture, both
// counted from the top-left corner; width and height are the stored sides.
Point storedPlace(int orientation, int32_t x, int32_t y, int32_t width, int32_t height) {
    switch (orientation) {
        case 2: return {width - 1 - x, y};
        case 3: return {width - 1 - x, height - 1 - y};
        case 4: return {x, height - 1 - y};
        case 5: return {y, x};
        case 6: return {y, height - 1 - x};
        case 7: return {width - 1 - y, height - 1 - x};
        case 8: return {width - 1 - y, x};
        default: return {x, y};
    }
}

// Moves the pixels of one plane: `bytes` per pixel, rows bottom-up, each
// `sourceStride` (or `targetStride`) bytes long.
void movePlane(const uint8_t* source, size_t sourceStride, uint8_t* target, size_t targetStride,
               int bytes, int orientation, int32_t width, int32_t height) {
    const bool swaps = orientationSwapsSides(orientation);
    const int32_t uprightWidth = swaps ? height : width;
    const int32_t uprightHeight = swaps ? width : height;
    for (int32_t y = 0; y < uprightHeight; ++y) {
        uint8_t* row = target + static_cast<size_t>(uprightHeight - 1 - y) * targetStride;
        for (int32_t x = 0; x < uprightWidth; ++x) {
            const Point from = storedPlace(orientation, x, y, width, height);
            const uint8_t* pixel = source + static_cast<size_t>(height - 1 - from.y) * sourceStride +
                                   static_cast<size_t>(from.x) * bytes;
            std::memcpy(row + static_cast<size_t>(x) * bytes, pixel, static_cast<size_t>(bytes));
        }
    }
}

}  // namespace

bool orientationSwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

bool turnUpright(Image& image, int orientation) {
    if (!image.IsValid()) return false;
    if (orientation < 2 || orientation > 8) return true;
    const int32_t width = image.GetWidth();
    const int32_t height = image.GetHeight();
    const bool swaps = orientationSwapsSides(orientation);
    Image upright;
    uint8_t* bits = upright.Create(swaps ? height : width, swaps ? width : height, image.GetBpp(),
                                   image.GetType());
    if (bits == nullptr) return false;  // cannot happen: the sides only trade places
    if (image.GetBpp() == 8 && image.GetPalette() != nullptr) {
        const uint32_t colours = std::min<uint32_t>(image.GetNumColors(), upright.GetNumColors());
        std::memcpy(upright.GetPalette(), image.GetPalette(), colours * sizeof(RgbQuad));
    }
    movePlane(image.GetBits(), image.GetEffWidth(), bits, upright.GetEffWidth(),
              image.GetBpp() / 8, orientation, width, height);
    // Alpha and selection are one byte a pixel, rows unpadded.
    if (image.HasAlpha() && upright.AlphaCreate()) {
        movePlane(image.AlphaGetPointer(), static_cast<size_t>(width), upright.AlphaGetPointer(),
                  static_cast<size_t>(upright.GetWidth()), 1, orientation, width, height);
    }
    if (image.HasSelection() && upright.SelectionCreate()) {
        movePlane(image.SelectionGetPointer(), static_cast<size_t>(width),
                  upright.SelectionGetPointer(), static_cast<size_t>(upright.GetWidth()), 1,
                  orientation, width, height);
    }
    upright.SetTransIndex(image.GetTransIndex());
    upright.SetBkgndColor(image.GetBkgndColor());
    upright.SetEscape(image.GetEscape());
    upright.SetLastError(image.GetLastError());
    image = std::move(upright);
    return true;
}

}  // namespace lumora
