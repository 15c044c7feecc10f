#include "imaging/Image.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace lumora {

// The scale is a 32-bit float and the product is truncated toward zero, so
// the numbers match the other programs that read these thumbnails and
// signatures. The clamp only matters for enormous enlargements, where float
// rounding could reach one past the last pixel.
std::vector<int32_t> nearestPixelIndices(int32_t sourceLength, int32_t targetLength) {
    const float scale = static_cast<float>(sourceLength) / static_cast<float>(targetLength);
    std::vector<int32_t> indices(static_cast<size_t>(targetLength));
    for (int32_t i = 0; i < targetLength; ++i) {
        const auto index = static_cast<int32_t>(static_cast<float>(i) * scale);
        indices[static_cast<size_t>(i)] = std::min(index, sourceLength - 1);
    }
    return indices;
}

namespace {

// Per-pixel masks (alpha, selection) follow their picture's size change.
std::vector<uint8_t> resampleMask(const std::vector<uint8_t>& mask, int32_t width, int32_t height,
                                  int32_t newWidth, int32_t newHeight) {
    if (mask.empty()) return {};
    const auto columns = nearestPixelIndices(width, newWidth);
    const auto rows = nearestPixelIndices(height, newHeight);
    std::vector<uint8_t> result(static_cast<size_t>(newWidth) * newHeight);
    for (int32_t y = 0; y < newHeight; ++y) {
        const uint8_t* source = mask.data() + static_cast<size_t>(rows[y]) * width;
        uint8_t* target = result.data() + static_cast<size_t>(y) * newWidth;
        for (int32_t x = 0; x < newWidth; ++x) target[x] = source[columns[x]];
    }
    return result;
}

struct Accumulator {
    uint64_t blue = 0;
    uint64_t green = 0;
    uint64_t red = 0;
    uint64_t alpha = 0;
    uint32_t count = 0;
};

uint8_t nearestPaletteIndex(const RgbQuad* palette, int blue, int green, int red) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int db = palette[i].rgbBlue - blue;
        const int dg = palette[i].rgbGreen - green;
        const int dr = palette[i].rgbRed - red;
        const int distance = db * db + dg * dg + dr * dr;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return static_cast<uint8_t>(best);
}

}  // namespace

bool Image::Resample(int32_t newWidth, int32_t newHeight, int mode, Image* destination) {
    if (newWidth <= 0 || newHeight <= 0) {
        SetLastError("The image size is not valid");
        return false;
    }
    if (!IsValid()) {
        SetLastError("The image is empty");
        return false;
    }
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    if (newWidth == width && newHeight == height) {
        if (destination != nullptr && destination != this) destination->Copy(*this);
        return true;
    }
    if (mode != 0 && mode != 1) {
        SetLastError("Unsupported resample mode");
        return false;
    }
    Image result;
    uint8_t* targetBits = result.Create(newWidth, newHeight, GetBpp(), format_);
    if (targetBits == nullptr) {
        SetLastError(result.GetLastError());
        return false;
    }
    if (GetBpp() == 8) std::memcpy(result.GetPalette(), GetPalette(), 256 * sizeof(RgbQuad));
    result.transparentIndex_ = transparentIndex_;
    result.background_ = background_;

    const int bytesPerPixel = GetBpp() / 8;
    const size_t targetStride = result.GetEffWidth();
    if (mode == 1) {
        const auto columns = nearestPixelIndices(width, newWidth);
        const auto rows = nearestPixelIndices(height, newHeight);
        for (int32_t y = 0; y < newHeight; ++y) {
            setProgress(y, newHeight);
            if (escape_) return false;
            const uint8_t* source = GetBits(rows[y]);
            uint8_t* target = targetBits + static_cast<size_t>(y) * targetStride;
            if (bytesPerPixel == 3) {
                for (int32_t x = 0; x < newWidth; ++x) {
                    std::memcpy(target + x * 3, source + static_cast<size_t>(columns[x]) * 3, 3);
                }
            } else {
                for (int32_t x = 0; x < newWidth; ++x) target[x] = source[columns[x]];
            }
        }
    } else {
        // Bilinear over pixel centres, edges clamped.
        const double xScale = static_cast<double>(width) / newWidth;
        const double yScale = static_cast<double>(height) / newHeight;
        for (int32_t y = 0; y < newHeight; ++y) {
            setProgress(y, newHeight);
            if (escape_) return false;
            const double fy = std::clamp((y + 0.5) * yScale - 0.5, 0.0, height - 1.0);
            const auto y0 = static_cast<int32_t>(fy);
            const int32_t y1 = std::min(y0 + 1, height - 1);
            const double wy = fy - y0;
            const uint8_t* row0 = GetBits(y0);
            const uint8_t* row1 = GetBits(y1);
            uint8_t* target = targetBits + static_cast<size_t>(y) * targetStride;
            for (int32_t x = 0; x < newWidth; ++x) {
                const double fx = std::clamp((x + 0.5) * xScale - 0.5, 0.0, width - 1.0);
                const auto x0 = static_cast<int32_t>(fx);
                const int32_t x1 = std::min(x0 + 1, width - 1);
                const double wx = fx - x0;
                for (int c = 0; c < bytesPerPixel; ++c) {
                    const double top =
                        row0[x0 * bytesPerPixel + c] * (1 - wx) + row0[x1 * bytesPerPixel + c] * wx;
                    const double bottom =
                        row1[x0 * bytesPerPixel + c] * (1 - wx) + row1[x1 * bytesPerPixel + c] * wx;
                    target[x * bytesPerPixel + c] =
                        static_cast<uint8_t>(std::lround(top * (1 - wy) + bottom * wy));
                }
            }
        }
    }
    result.alpha_ = resampleMask(alpha_, width, height, newWidth, newHeight);
    result.selection_ = resampleMask(selection_, width, height, newWidth, newHeight);
    result.lastError_ = lastError_;
    progress_ = 100;
    Image& target = destination != nullptr ? *destination : *this;
    target = std::move(result);
    target.progress_ = 100;
    return true;
}

bool Image::QIShrink(int32_t newWidth, int32_t newHeight, Image* destination) {
    if (!IsValid()) {
        SetLastError("The image is empty");
        return false;
    }
    const int32_t width = GetWidth();
    const int32_t height = GetHeight();
    if (newWidth > width || newHeight > height) {
        SetLastError("QIShrink can't enlarge image");
        return false;
    }
    if (newWidth <= 0 || newHeight <= 0) {
        SetLastError("The image size is not valid");
        return false;
    }
    if (newWidth == width && newHeight == height) {
        if (destination != nullptr && destination != this) destination->Copy(*this);
        return true;
    }
    Image result;
    uint8_t* targetBits = result.Create(newWidth, newHeight, GetBpp(), format_);
    if (targetBits == nullptr) {
        SetLastError(result.GetLastError());
        return false;
    }
    const bool indexed = GetBpp() == 8;
    const bool grey = IsGrayScale();
    const RgbQuad* palette = GetPalette();
    if (indexed) std::memcpy(result.GetPalette(), palette, 256 * sizeof(RgbQuad));
    result.transparentIndex_ = transparentIndex_;
    result.background_ = background_;
    const bool withAlpha = !alpha_.empty();
    if (withAlpha) result.alpha_.assign(static_cast<size_t>(newWidth) * newHeight, 0);

    std::vector<Accumulator> sums(static_cast<size_t>(newWidth));
    const size_t targetStride = result.GetEffWidth();
    int64_t ey = 0;
    int32_t targetRow = 0;
    for (int32_t y = 0; y < height && targetRow < newHeight; ++y) {
        setProgress(y, height);
        if (escape_) return false;
        ey += newHeight;
        int64_t ex = 0;
        size_t column = 0;
        const uint8_t* source = GetBits(y);
        const uint8_t* sourceAlpha =
            withAlpha ? alpha_.data() + static_cast<size_t>(y) * width : nullptr;
        for (int32_t x = 0; x < width; ++x) {
            ex += newWidth;
            Accumulator& sum = sums[column];
            if (indexed) {
                const RgbQuad colour = palette[source[x]];
                sum.blue += colour.rgbBlue;
                sum.green += colour.rgbGreen;
                sum.red += colour.rgbRed;
            } else {
                sum.blue += source[x * 3];
                sum.green += source[x * 3 + 1];
                sum.red += source[x * 3 + 2];
            }
            if (withAlpha) sum.alpha += sourceAlpha[x];
            ++sum.count;
            if (ex > width) {
                if (column + 1 < sums.size()) ++column;
                ex -= width;
            }
        }
        if (ey < height) continue;
        ey -= height;
        uint8_t* target = targetBits + static_cast<size_t>(targetRow) * targetStride;
        uint8_t* targetAlpha =
            withAlpha ? result.alpha_.data() + static_cast<size_t>(targetRow) * newWidth : nullptr;
        for (int32_t x = 0; x < newWidth; ++x) {
            const Accumulator& sum = sums[static_cast<size_t>(x)];
            // When the width is kept the walk leaves the last column without
            // pixels; it repeats its neighbour rather than divide by zero.
            if (sum.count == 0) {
                const int bytes = indexed ? 1 : 3;
                if (x > 0) std::memcpy(target + x * bytes, target + (x - 1) * bytes, bytes);
                if (withAlpha && x > 0) targetAlpha[x] = targetAlpha[x - 1];
                continue;
            }
            const auto blue = static_cast<int>(sum.blue / sum.count);
            const auto green = static_cast<int>(sum.green / sum.count);
            const auto red = static_cast<int>(sum.red / sum.count);
            if (!indexed) {
                target[x * 3] = static_cast<uint8_t>(blue);
                target[x * 3 + 1] = static_cast<uint8_t>(green);
                target[x * 3 + 2] = static_cast<uint8_t>(red);
            } else {
                target[x] = grey ? static_cast<uint8_t>(blue)
                                 : nearestPaletteIndex(palette, blue, green, red);
            }
            if (withAlpha) targetAlpha[x] = static_cast<uint8_t>(sum.alpha / sum.count);
        }
        std::fill(sums.begin(), sums.end(), Accumulator{});
        ++targetRow;
    }
    result.selection_ = resampleMask(selection_, width, height, newWidth, newHeight);
    result.lastError_ = lastError_;
    progress_ = 100;
    Image& target = destination != nullptr ? *destination : *this;
    target = std::move(result);
    target.progress_ = 100;
    return true;
}

}  // namespace lumora
