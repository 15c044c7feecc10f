#include "bench/near_duplicates.h"

// jpeglib.h needs size_t and FILE declared first.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <fstream>
#include <random>
#include <vector>

#include "duplicates/Signature.h"

namespace lumora::bench {
namespace {

constexpr int kQuality = 85;
constexpr int kSpotSide = 3;
constexpr int kBlockSide = 8;  // the JPEG block
constexpr int kEditsPerKind = 6;

struct EncodeSettings {
    int quality = kQuality;
    bool progressive = false;
    bool optimised = false;
};

struct JpegErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onJpegError(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1);
}

// Only plain data lives in this frame, so the jump out of libjpeg skips no
// destructor; the buffer is libjpeg's and the caller frees it.
bool runEncode(jpeg_compress_struct& cinfo, JpegErrors& errors, const Image& image,
               const EncodeSettings& settings, unsigned char*& buffer, unsigned long& size) {
    if (setjmp(errors.jump) != 0) return false;
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    const bool grey = image.GetBpp() == 8;
    cinfo.image_width = static_cast<JDIMENSION>(image.GetWidth());
    cinfo.image_height = static_cast<JDIMENSION>(image.GetHeight());
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, settings.quality, TRUE);
    cinfo.optimize_coding = settings.optimised ? TRUE : FALSE;
    if (settings.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    const int32_t height = image.GetHeight();
    while (cinfo.next_scanline < cinfo.image_height) {
        // Stored bottom-up: scanline s is row height - 1 - s.
        const auto row =
            static_cast<int32_t>(height - 1 - static_cast<int32_t>(cinfo.next_scanline));
        JSAMPROW rows[1] = {const_cast<uint8_t*>(image.GetBits(row))};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

bool encodeJpeg(const Image& image, const EncodeSettings& settings, std::vector<uint8_t>& bytes) {
    jpeg_compress_struct cinfo{};
    JpegErrors errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onJpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    const bool encoded = runEncode(cinfo, errors, image, settings, buffer, size);
    jpeg_destroy_compress(&cinfo);
    if (encoded) bytes.assign(buffer, buffer + size);
    std::free(buffer);
    return encoded;
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// The source index of each of the 64 samples along one side, as the nearest
// pixel resample takes them (a 32-bit float scale, truncated).
std::vector<int32_t> sampledIndices(int32_t length) {
    const float scale = static_cast<float>(length) / static_cast<float>(kSignatureSide);
    std::vector<int32_t> indices;
    for (int i = 0; i < kSignatureSide; ++i) {
        indices.push_back(
            std::min(static_cast<int32_t>(static_cast<float>(i) * scale), length - 1));
    }
    return indices;
}

// JPEG blocks are counted from the top, the stored rows from the bottom.
int32_t blockRowOf(int32_t storedRow, int32_t height) {
    return (height - 1 - storedRow) / kBlockSide;
}

// Turns the pixel at (x, stored row y) into its inverse colour.
void invertPixel(Image& image, int32_t x, int32_t y) {
    uint8_t* row = image.GetBits(y);
    if (row == nullptr || x < 0 || x >= image.GetWidth()) return;
    const int bytes = image.GetBpp() / 8;
    for (int b = 0; b < bytes; ++b)
        row[x * bytes + b] = static_cast<uint8_t>(255 - row[x * bytes + b]);
}

void invertSpot(Image& image, int32_t left, int32_t bottom) {
    for (int dy = 0; dy < kSpotSide; ++dy) {
        for (int dx = 0; dx < kSpotSide; ++dx) invertPixel(image, left + dx, bottom + dy);
    }
}

// A spot inside the JPEG block of a sampled pixel, in the block's corner
// farthest from that pixel, so that the whole decode's sample only feels it
// through the block's changed coefficients.
void spotBesideSample(Image& image, int32_t sampleX, int32_t sampleY) {
    const int32_t height = image.GetHeight();
    const int32_t blockLeft = sampleX / kBlockSide * kBlockSide;
    const int32_t blockTopRow = blockRowOf(sampleY, height) * kBlockSide;  // from the top
    const int32_t inX = sampleX - blockLeft;
    const int32_t inY = (height - 1 - sampleY) - blockTopRow;
    const int32_t spotLeft = blockLeft + (inX < kBlockSide / 2 ? kBlockSide - kSpotSide : 0);
    const int32_t spotTop = blockTopRow + (inY < kBlockSide / 2 ? kBlockSide - kSpotSide : 0);
    invertSpot(image, std::min(spotLeft, image.GetWidth() - kSpotSide),
               std::max(0, height - 1 - (spotTop + kSpotSide - 1)));
}

struct Variant {
    std::string kind;
    Image image;
    EncodeSettings settings;
};

}  // namespace

int writeNearDuplicates(const Image& source, const std::string& folder, const std::string& stem,
                        uint32_t seed, std::string& error) {
    if (!source.IsValid() || source.GetWidth() < kBlockSide || source.GetHeight() < kBlockSide) {
        error = stem + ": too small or not decoded";
        return -1;
    }
    const int32_t width = source.GetWidth();
    const int32_t height = source.GetHeight();
    std::mt19937 random(seed);
    std::vector<Variant> variants;
    variants.push_back({"base", source, {}});
    variants.push_back({"progressive", source, {kQuality, true, false}});
    variants.push_back({"optimised", source, {kQuality, false, true}});
    variants.push_back({"q84", source, {84, false, false}});
    variants.push_back({"q90", source, {90, false, false}});

    Image brighter = source;
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = brighter.GetBits(y);
        for (uint32_t i = 0; i < static_cast<uint32_t>(width) * (source.GetBpp() / 8); ++i) {
            row[i] = static_cast<uint8_t>(std::min(255, row[i] + 1));
        }
    }
    variants.push_back({"brighter", brighter, {}});

    std::uniform_int_distribution<int32_t> anyX(0, width - kSpotSide);
    std::uniform_int_distribution<int32_t> anyY(0, height - kSpotSide);
    for (int k = 0; k < kEditsPerKind; ++k) {
        Image spot = source;
        invertSpot(spot, anyX(random), anyY(random));
        variants.push_back({"spot" + std::to_string(k), spot, {}});
        Image pixel = source;
        invertPixel(pixel, anyX(random), anyY(random));
        variants.push_back({"pixel" + std::to_string(k), pixel, {}});
    }

    const std::vector<int32_t> columns = sampledIndices(width);
    const std::vector<int32_t> rows = sampledIndices(height);
    std::uniform_int_distribution<size_t> anySample(0, kSignatureSide - 1);
    for (int k = 0; k < kEditsPerKind; ++k) {
        Image beside = source;
        spotBesideSample(beside, columns[anySample(random)], rows[anySample(random)]);
        variants.push_back({"beside" + std::to_string(k), beside, {}});
    }

    // Blocks that hold no sampled pixel, in both directions.
    std::vector<bool> sampledBlockColumn((width + kBlockSide - 1) / kBlockSide, false);
    std::vector<bool> sampledBlockRow((height + kBlockSide - 1) / kBlockSide, false);
    for (int32_t x : columns) sampledBlockColumn[x / kBlockSide] = true;
    for (int32_t y : rows) sampledBlockRow[blockRowOf(y, height)] = true;
    std::vector<int32_t> freeColumns;
    std::vector<int32_t> freeRows;
    for (size_t i = 0; i < sampledBlockColumn.size(); ++i) {
        if (!sampledBlockColumn[i] && (i + 1) * kBlockSide <= static_cast<size_t>(width)) {
            freeColumns.push_back(static_cast<int32_t>(i));
        }
    }
    for (size_t i = 0; i < sampledBlockRow.size(); ++i) {
        if (!sampledBlockRow[i] && (i + 1) * kBlockSide <= static_cast<size_t>(height)) {
            freeRows.push_back(static_cast<int32_t>(i));
        }
    }
    if (!freeColumns.empty() && !freeRows.empty()) {
        std::uniform_int_distribution<size_t> anyColumn(0, freeColumns.size() - 1);
        std::uniform_int_distribution<size_t> anyRow(0, freeRows.size() - 1);
        for (int k = 0; k < kEditsPerKind; ++k) {
            Image away = source;
            const int32_t left = freeColumns[anyColumn(random)] * kBlockSide + 2;
            const int32_t topRow = freeRows[anyRow(random)] * kBlockSide + 2;
            invertSpot(away, left, height - 1 - (topRow + kSpotSide - 1));
            variants.push_back({"away" + std::to_string(k), away, {}});
        }
    }

    int written = 0;
    for (const Variant& variant : variants) {
        std::vector<uint8_t> bytes;
        const std::string path = folder + "/" + stem + "-" + variant.kind + ".jpg";
        if (!encodeJpeg(variant.image, variant.settings, bytes) || !writeBytes(path, bytes)) {
            error = "cannot write " + path;
            return -1;
        }
        ++written;
    }
    return written;
}

}  // namespace lumora::bench
