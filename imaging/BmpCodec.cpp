#include "imaging/BmpCodec.h"

#include <cstring>

namespace lumora {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCompressionNone = 0;

uint16_t le16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

void putLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool fail(Image& image, const char* text) {
    image.Destroy();
    image.SetLastError(text);
    return false;
}

// Expands one stored row of 1-, 4- or 8-bit indices to one byte per pixel.
void expandIndices(const uint8_t* source, uint8_t* target, int32_t width, int bitsPerPixel) {
    if (bitsPerPixel == 8) {
        std::memcpy(target, source, static_cast<size_t>(width));
        return;
    }
    const int perByte = 8 / bitsPerPixel;
    const int mask = (1 << bitsPerPixel) - 1;
    for (int32_t x = 0; x < width; ++x) {
        const int shift = 8 - bitsPerPixel * (x % perByte + 1);
        target[x] = static_cast<uint8_t>((source[x / perByte] >> shift) & mask);
    }
}

}  // namespace

bool decodeBmp(const uint8_t* data, size_t size, bool allowHeaderless, Image& image) {
    size_t infoStart = 0;
    bool hasFileHeader = false;
    uint32_t pixelOffset = 0;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
        if (size < kFileHeaderSize) return fail(image, "The BMP file is damaged");
        pixelOffset = le32(data + 10);
        infoStart = kFileHeaderSize;
        hasFileHeader = true;
    } else if (!allowHeaderless) {
        return fail(image, "Not a BMP file");
    }
    if (size - infoStart < kInfoHeaderSize) return fail(image, "The BMP file is damaged");
    const uint8_t* info = data + infoStart;
    const uint32_t infoSize = le32(info);
    // The 12-byte OS/2 header and the compressed variants are not needed.
    if (infoSize < kInfoHeaderSize) return fail(image, "This kind of BMP is not supported");
    if (infoSize > size - infoStart) return fail(image, "The BMP file is damaged");
    const auto width = static_cast<int32_t>(le32(info + 4));
    const auto rawHeight = static_cast<int32_t>(le32(info + 8));
    const int bitsPerPixel = le16(info + 14);
    const uint32_t compression = le32(info + 16);
    const uint32_t coloursUsed = le32(info + 32);

    if (compression != kCompressionNone) return fail(image, "This kind of BMP is not supported");
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 &&
        bitsPerPixel != 32) {
        return fail(image, "This kind of BMP is not supported");
    }
    // A negative height marks rows stored top-down.
    const bool topDown = rawHeight < 0;
    const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0) return fail(image, "The image size is not valid");
    if (static_cast<int64_t>(width) * height > kMaxImagePixels) {
        return fail(image, "The image is too large");
    }

    const size_t paletteStart = infoStart + infoSize;
    uint32_t colours = 0;
    if (bitsPerPixel <= 8) {
        colours = coloursUsed != 0 ? coloursUsed : (1u << bitsPerPixel);
        if (colours > (1u << bitsPerPixel)) return fail(image, "The BMP file is damaged");
    }
    if (colours * 4ull > size - paletteStart) return fail(image, "The BMP file is damaged");
    const size_t pixelStart = hasFileHeader ? pixelOffset : paletteStart + colours * 4ull;
    const uint64_t sourceStride = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    if (pixelStart > size || sourceStride * static_cast<uint64_t>(height) > size - pixelStart) {
        return fail(image, "The BMP file is damaged");
    }

    uint8_t* bits =
        image.Create(width, static_cast<int32_t>(height), bitsPerPixel <= 8 ? 8 : 24, kFormatBmp);
    if (bits == nullptr) return false;
    if (colours != 0) {
        RgbQuad* palette = image.GetPalette();
        for (uint32_t i = 0; i < 256; ++i) {
            const uint8_t* entry = data + paletteStart + i * 4;
            palette[i] = i < colours ? RgbQuad{entry[0], entry[1], entry[2], 0} : RgbQuad{};
        }
    }
    const size_t targetStride = image.GetEffWidth();
    for (int64_t row = 0; row < height; ++row) {
        const int64_t sourceRow = topDown ? height - 1 - row : row;
        const uint8_t* source = data + pixelStart + static_cast<size_t>(sourceRow) * sourceStride;
        uint8_t* target = bits + static_cast<size_t>(row) * targetStride;
        if (bitsPerPixel <= 8) {
            expandIndices(source, target, width, bitsPerPixel);
        } else if (bitsPerPixel == 24) {
            std::memcpy(target, source, static_cast<size_t>(width) * 3);
        } else {
            for (int32_t x = 0; x < width; ++x) std::memcpy(target + x * 3, source + x * 4, 3);
        }
    }
    return true;
}

bool encodeBmp(const Image& image, std::vector<uint8_t>& bytes) {
    if (!image.IsValid()) return false;
    // The packed bitmap is already laid out as a BMP file after its header.
    const size_t dibSize = image.GetDibSize();
    const uint64_t fileSize = kFileHeaderSize + dibSize;
    if (fileSize > UINT32_MAX) return false;
    const uint32_t pixelOffset = static_cast<uint32_t>(kFileHeaderSize + kInfoHeaderSize +
                                                       image.GetNumColors() * sizeof(RgbQuad));
    bytes.assign(static_cast<size_t>(fileSize), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLe32(bytes.data() + 2, static_cast<uint32_t>(fileSize));
    putLe32(bytes.data() + 10, pixelOffset);
    std::memcpy(bytes.data() + kFileHeaderSize, image.GetDib(), dibSize);
    return true;
}

}  // namespace lumora
