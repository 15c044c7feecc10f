#include "imaging/JpegCodec.h"

// jpeglib.h needs size_t and FILE declared first, and jerror.h comes after it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <jerror.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace lumora {
namespace {

// libjpeg's own error handler prints and calls exit(); ours jumps back to the
// decode with the message kept.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onErrorExit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (level -1) mean corrupt data: a truncated file, bad Huffman codes,
// garbage between markers. libjpeg would carry on and fill the picture with
// grey; we refuse it instead, so that damage never passes as a picture.
// Warnings mean damaged data (a truncated file, a corrupt segment), which
// gives an invalid image rather than a grey-padded one. Stray bytes before a
// marker are the exception: some writers leave them, and the picture decodes
// whole.
void onEmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && cinfo->err->msg_code != JWRN_EXTRANEOUS_DATA) onErrorExit(cinfo);
}

void onOutputMessage(j_common_ptr /*cinfo*/) {}

[[noreturn]] void refuse(ErrorManager& manager, const char* text) {
    std::snprintf(manager.message, sizeof manager.message, "%s", text);
    std::longjmp(manager.jump, 1);
}

void cmykToBgr(const uint8_t* cmyk, uint8_t* bgr, JDIMENSION width, bool inverted) {
    for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        // Adobe writers store the inks inverted, so the values are already
        // 255 - ink.
        const int c = inverted ? cmyk[0] : 255 - cmyk[0];
        const int m = inverted ? cmyk[1] : 255 - cmyk[1];
        const int y = inverted ? cmyk[2] : 255 - cmyk[2];
        const int k = inverted ? cmyk[3] : 255 - cmyk[3];
        bgr[0] = static_cast<uint8_t>(y * k / 255);
        bgr[1] = static_cast<uint8_t>(m * k / 255);
        bgr[2] = static_cast<uint8_t>(c * k / 255);
    }
}

// Memory that a decode needs beside the picture, owned outside the frames
// that libjpeg may jump out of.
struct DecodeBuffers {
    std::vector<uint8_t> line;  // one scanline: CMYK, or every column when sampling
    std::vector<int32_t> columns;
    std::vector<int32_t> rows;
};

// Stores one decoded scanline's pixel at column into a blue-green-red or grey
// target pixel.
void storePixel(const uint8_t* line, JDIMENSION column, int components, bool adobeCmyk,
                uint8_t* target) {
    switch (components) {
        case 1:
            target[0] = line[column];
            break;
        case 3:
            std::memcpy(target, line + static_cast<size_t>(column) * 3, 3);
            break;
        default:
            cmykToBgr(line + static_cast<size_t>(column) * 4, target, 1, adobeCmyk);
            break;
    }
}

// Reads only the scanlines that the nearest-pixel sample takes, skipping the
// others (libjpeg still reads their data, so damage anywhere is still seen),
// and keeps the sampled columns of each. Only plain data lives in this frame.
void readSampledRows(jpeg_decompress_struct& cinfo, ErrorManager& manager, Image& image,
                     DecodeBuffers& buffers) {
    const JDIMENSION height = cinfo.output_height;
    const int components = cinfo.out_color_components;
    const bool adobeCmyk = cinfo.saw_Adobe_marker != 0;
    const size_t stride = image.GetEffWidth();
    uint8_t* bits = image.GetBits();
    const int bytesPerPixel = components == 1 ? 1 : 3;
    // Stored rows count from the bottom and scanlines from the top: the last
    // target row comes first.
    JDIMENSION lineHeld = height;  // none yet
    for (size_t t = buffers.rows.size(); t-- > 0;) {
        const JDIMENSION scanline = height - 1 - static_cast<JDIMENSION>(buffers.rows[t]);
        if (scanline != lineHeld) {
            const JDIMENSION skip = scanline - cinfo.output_scanline;
            if (skip > 0 && jpeg_skip_scanlines(&cinfo, skip) != skip) {
                refuse(manager, "Corrupt JPEG data");
            }
            JSAMPROW row = buffers.line.data();
            if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) refuse(manager, "Corrupt JPEG data");
            lineHeld = scanline;
        }
        uint8_t* target = bits + t * stride;
        for (size_t x = 0; x < buffers.columns.size(); ++x) {
            storePixel(buffers.line.data(), static_cast<JDIMENSION>(buffers.columns[x]), components,
                       adobeCmyk, target + x * bytesPerPixel);
        }
    }
    // The bottom row is always sampled, so every scanline has been read.
}

// Only plain data lives in this frame, so the jump out of libjpeg skips no
// destructor. The image and the buffers belong to the caller.
bool runDecode(jpeg_decompress_struct& cinfo, ErrorManager& manager, const uint8_t* data,
               size_t size, const DecodeOptions& options, Image& image, DecodeBuffers& buffers) {
    if (setjmp(manager.jump)) return false;

    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);

    if (static_cast<uint64_t>(cinfo.image_width) * cinfo.image_height >
        static_cast<uint64_t>(kMaxImagePixels)) {
        refuse(manager, "The image is too large");
    }
    bool cmyk = false;
    int bitsPerPixel = 24;
    switch (cinfo.jpeg_color_space) {
        case JCS_GRAYSCALE:
            cinfo.out_color_space = JCS_GRAYSCALE;
            bitsPerPixel = 8;
            break;
        case JCS_YCbCr:
        case JCS_RGB:
            cinfo.out_color_space = JCS_EXT_BGR;
            break;
        case JCS_CMYK:
        case JCS_YCCK:
            cinfo.out_color_space = JCS_CMYK;
            cmyk = true;
            break;
        default:
            refuse(manager, "Unsupported JPEG colour space");
    }
    const bool sampled = options.samples();
    cinfo.scale_num = sampled ? 8U
                              : static_cast<unsigned>(jpegScaleNumerator(
                                    static_cast<int>(cinfo.image_width),
                                    static_cast<int>(cinfo.image_height), options));
    cinfo.scale_denom = 8;
    jpeg_calc_output_dimensions(&cinfo);

    const auto width = static_cast<int32_t>(cinfo.output_width);
    const auto height = static_cast<int32_t>(cinfo.output_height);
    uint8_t* bits =
        sampled ? image.Create(options.sampleWidth, options.sampleHeight, bitsPerPixel, kFormatJpeg)
                : image.Create(width, height, bitsPerPixel, kFormatJpeg);
    if (bits == nullptr) refuse(manager, image.GetLastError().c_str());
    if (sampled) {
        buffers.columns = nearestPixelIndices(width, options.sampleWidth);
        buffers.rows = nearestPixelIndices(height, options.sampleHeight);
        buffers.line.resize(static_cast<size_t>(width) *
                            static_cast<size_t>(cinfo.out_color_components));
    } else if (cmyk) {
        buffers.line.resize(static_cast<size_t>(width) * 4);
    }

    jpeg_start_decompress(&cinfo);
    if (sampled) {
        readSampledRows(cinfo, manager, image, buffers);
        jpeg_finish_decompress(&cinfo);
        return true;
    }
    const JDIMENSION rowCount = cinfo.output_height;
    const size_t stride = image.GetEffWidth();
    while (cinfo.output_scanline < rowCount) {
        if (cmyk) {
            JSAMPROW row = buffers.line.data();
            const JDIMENSION line = cinfo.output_scanline;
            if (jpeg_read_scanlines(&cinfo, &row, 1) != 1) refuse(manager, "Corrupt JPEG data");
            cmykToBgr(buffers.line.data(), bits + (rowCount - 1 - line) * stride,
                      cinfo.output_width, cinfo.saw_Adobe_marker != 0);
            continue;
        }
        // Several rows a call: the picture is stored bottom-up, so scanline s
        // goes to row height - 1 - s.
        JSAMPROW rows[16];
        const JDIMENSION batch = std::min<JDIMENSION>(16, rowCount - cinfo.output_scanline);
        for (JDIMENSION i = 0; i < batch; ++i) {
            rows[i] = bits + (rowCount - 1 - (cinfo.output_scanline + i)) * stride;
        }
        if (jpeg_read_scanlines(&cinfo, rows, batch) == 0) refuse(manager, "Corrupt JPEG data");
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

}  // namespace

int jpegScaleNumerator(int width, int height, const DecodeOptions& options) {
    if (options.minWidth <= 0 && options.minHeight <= 0) return 8;
    // A side already below the target keeps its full size.
    const int64_t needWidth = std::min(options.minWidth, width);
    const int64_t needHeight = std::min(options.minHeight, height);
    for (int numerator = 1; numerator < 8; ++numerator) {
        // libjpeg rounds scaled sizes up.
        const int64_t scaledWidth = (static_cast<int64_t>(width) * numerator + 7) / 8;
        const int64_t scaledHeight = (static_cast<int64_t>(height) * numerator + 7) / 8;
        if (scaledWidth >= needWidth && scaledHeight >= needHeight) return numerator;
    }
    return 8;
}

bool decodeJpeg(const uint8_t* data, size_t size, const DecodeOptions& options, Image& image) {
    jpeg_decompress_struct cinfo;
    std::memset(&cinfo, 0, sizeof cinfo);
    ErrorManager manager;
    std::memset(&manager, 0, sizeof manager);
    cinfo.err = jpeg_std_error(&manager.pub);
    manager.pub.error_exit = onErrorExit;
    manager.pub.emit_message = onEmitMessage;
    manager.pub.output_message = onOutputMessage;
    DecodeBuffers buffers;

    const bool decoded = runDecode(cinfo, manager, data, size, options, image, buffers);
    jpeg_destroy_decompress(&cinfo);
    if (!decoded) {
        image.Destroy();
        image.SetLastError(manager.message);
    }
    return decoded;
}

}  // namespace lumora
