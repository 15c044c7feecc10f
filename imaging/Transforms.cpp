#include "imaging/Image.h"

#include <cstring>
#include <utility>

namespace lumora {
namespace {

uint8_t greyOf(int red, int green, int blue) {
    return static_cast<uint8_t>((306 * red + 601 * green + 117 * blue) >> 10);
}

}  // namespace

bool Image::Negative() {
    if (!IsValid()) return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    if (GetBpp() == 24 && selection_.empty()) {
        uint8_t* bits = GetBits();
        const size_t bytes = static_cast<size_t>(effWidth_) * height;
        for (size_t i = 0; i < bytes; ++i) bits[i] = static_cast<uint8_t>(255 - bits[i]);
        background_.rgbBlue = static_cast<uint8_t>(255 - background_.rgbBlue);
        background_.rgbGreen = static_cast<uint8_t>(255 - background_.rgbGreen);
        background_.rgbRed = static_cast<uint8_t>(255 - background_.rgbRed);
        return true;
    }
    if (GetBpp() == 24) {
        for (int32_t y = 0; y < height; ++y) {
            uint8_t* row = GetBits(y);
            const uint8_t* selected = selection_.data() + static_cast<size_t>(y) * width;
            for (int32_t x = 0; x < width; ++x) {
                if (selected[x] == 0) continue;
                for (int c = 0; c < 3; ++c)
                    row[x * 3 + c] = static_cast<uint8_t>(255 - row[x * 3 + c]);
            }
        }
        return true;
    }
    if (IsGrayScale()) {
        for (int32_t y = 0; y < height; ++y) {
            uint8_t* row = GetBits(y);
            for (int32_t x = 0; x < width; ++x) row[x] = static_cast<uint8_t>(255 - row[x]);
        }
        return true;
    }
    RgbQuad* palette = GetPalette();
    for (uint32_t i = 0; i < GetNumColors(); ++i) {
        palette[i].rgbBlue = static_cast<uint8_t>(255 - palette[i].rgbBlue);
        palette[i].rgbGreen = static_cast<uint8_t>(255 - palette[i].rgbGreen);
        palette[i].rgbRed = static_cast<uint8_t>(255 - palette[i].rgbRed);
    }
    return true;
}

bool Image::GrayScale() {
    if (!IsValid()) return false;
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    if (GetBpp() == 8) {
        if (IsGrayScale()) return true;
        // The palette turns grey, and the indices become the grey values so
        // that the picture ends with the plain grey ramp.
        const RgbQuad* palette = GetPalette();
        uint8_t greys[256];
        for (int i = 0; i < 256; ++i) {
            greys[i] = greyOf(palette[i].rgbRed, palette[i].rgbGreen, palette[i].rgbBlue);
        }
        for (int32_t y = 0; y < height; ++y) {
            uint8_t* row = GetBits(y);
            for (int32_t x = 0; x < width; ++x) row[x] = greys[row[x]];
        }
        SetGrayPalette();
        return true;
    }
    Image grey;
    uint8_t* target = grey.Create(width, height, 8, format_);
    if (target == nullptr) {
        SetLastError(grey.GetLastError());
        return false;
    }
    const size_t targetStride = grey.GetEffWidth();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* source = GetBits(y);
        uint8_t* row = target + static_cast<size_t>(y) * targetStride;
        for (int32_t x = 0; x < width; ++x) {
            row[x] = greyOf(source[x * 3 + 2], source[x * 3 + 1], source[x * 3]);
        }
    }
    grey.alpha_ = std::move(alpha_);
    grey.selection_ = std::move(selection_);
    grey.lastError_ = lastError_;
    grey.background_ = background_;
    grey.escape_ = escape_;
    *this = std::move(grey);
    return true;
}

}  // namespace lumora
