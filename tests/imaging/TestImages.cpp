#include "tests/imaging/TestImages.h"

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
#include <cstddef>
#include <cstdio>

#include <cstdlib>

namespace lumora::test {
namespace {

struct Encoder {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;

    Encoder(int32_t width, int32_t height, int components, J_COLOR_SPACE space) {
        cinfo.err = jpeg_std_error(&error);
        jpeg_create_compress(&cinfo);
        jpeg_mem_dest(&cinfo, &buffer, &size);
        cinfo.image_width = static_cast<JDIMENSION>(width);
        cinfo.image_height = static_cast<JDIMENSION>(height);
        cinfo.input_components = components;
        cinfo.in_color_space = space;
        jpeg_set_defaults(&cinfo);
    }

    std::vector<uint8_t> finish() {
        jpeg_finish_compress(&cinfo);
        std::vector<uint8_t> bytes(buffer, buffer + size);
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return bytes;
    }
};

}  // namespace

Image solidImage(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue) {
    Image image;
    image.Create(width, height, 24, kFormatBmp);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits(y);
        for (int32_t x = 0; x < width; ++x) {
            row[x * 3] = blue;
            row[x * 3 + 1] = green;
            row[x * 3 + 2] = red;
        }
    }
    return image;
}

Image coordinateImage(int32_t width, int32_t height, uint8_t red) {
    Image image;
    image.Create(width, height, 24, kFormatBmp);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits(y);
        for (int32_t x = 0; x < width; ++x) {
            row[x * 3] = static_cast<uint8_t>(x);
            row[x * 3 + 1] = static_cast<uint8_t>(y);
            row[x * 3 + 2] = red;
        }
    }
    return image;
}

Image greyImage(int32_t width, int32_t height, uint8_t value) {
    Image image;
    image.Create(width, height, 8, kFormatBmp);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits(y);
        for (int32_t x = 0; x < width; ++x) row[x] = value;
    }
    return image;
}

Image texturedImage(int32_t width, int32_t height, bool grey) {
    Image image;
    const int bytes = grey ? 1 : 3;
    image.Create(width, height, 8 * bytes, kFormatBmp);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits(y);
        for (int32_t x = 0; x < width * bytes; ++x) {
            uint32_t hash =
                static_cast<uint32_t>(x) * 0x9E3779B1u ^ static_cast<uint32_t>(y) * 0x85EBCA77u;
            hash ^= hash >> 15;
            hash *= 0x2C1B3C6Du;
            row[x] = static_cast<uint8_t>(hash >> 24);
        }
    }
    return image;
}

std::vector<uint8_t> encodeJpeg(const Image& image, int quality, bool progressive) {
    const bool grey = image.GetBpp() == 8;
    Encoder encoder(image.GetWidth(), image.GetHeight(), grey ? 1 : 3,
                    grey ? JCS_GRAYSCALE : JCS_EXT_BGR);
    jpeg_set_quality(&encoder.cinfo, quality, TRUE);
    if (progressive) jpeg_simple_progression(&encoder.cinfo);
    jpeg_start_compress(&encoder.cinfo, TRUE);
    while (encoder.cinfo.next_scanline < encoder.cinfo.image_height) {
        // JPEG rows run top-down, the picture's bottom-up.
        const int32_t row =
            image.GetHeight() - 1 - static_cast<int32_t>(encoder.cinfo.next_scanline);
        JSAMPROW pointer = const_cast<JSAMPROW>(image.GetBits(row));
        jpeg_write_scanlines(&encoder.cinfo, &pointer, 1);
    }
    return encoder.finish();
}

std::vector<uint8_t> encodeCmykJpeg(int32_t width, int32_t height, uint8_t cyan, uint8_t magenta,
                                    uint8_t yellow, uint8_t black) {
    Encoder encoder(width, height, 4, JCS_CMYK);
    jpeg_set_quality(&encoder.cinfo, 100, TRUE);
    encoder.cinfo.write_Adobe_marker = TRUE;
    jpeg_start_compress(&encoder.cinfo, TRUE);
    // Adobe files hold the inks inverted.
    std::vector<uint8_t> row(static_cast<size_t>(width) * 4);
    for (int32_t x = 0; x < width; ++x) {
        row[x * 4] = static_cast<uint8_t>(255 - cyan);
        row[x * 4 + 1] = static_cast<uint8_t>(255 - magenta);
        row[x * 4 + 2] = static_cast<uint8_t>(255 - yellow);
        row[x * 4 + 3] = static_cast<uint8_t>(255 - black);
    }
    while (encoder.cinfo.next_scanline < encoder.cinfo.image_height) {
        JSAMPROW pointer = row.data();
        jpeg_write_scanlines(&encoder.cinfo, &pointer, 1);
    }
    return encoder.finish();
}

}  // namespace lumora::test
