#include "samples/JpegFileWriter.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include <jpeglib.h>

namespace lumora::samples {

namespace {

// libjpeg's own limit on either side.
constexpr int kMaxSide = 65500;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

[[noreturn]] void onJpegError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void ignoreJpegMessage(j_common_ptr) {}

uint32_t mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// Everything the pattern of one seed needs, chosen once per picture so that
// the row loop does only integer arithmetic.
struct Pattern {
    struct Shape {
        int left, top, right, bottom;  // pixels, right and bottom exclusive
        bool round;
        uint8_t colour[3];
    };
    int width = 0;
    int height = 0;
    uint8_t phase[3] = {};
    bool mirrored = false;
    uint32_t noiseSeed = 0;
    Shape shapes[3] = {};

    Pattern(int w, int h, uint32_t seed) : width(w), height(h) {
        uint32_t state = mix(seed + 0x9e3779b9U);
        auto next = [&state]() { return state = mix(state + 0x9e3779b9U); };
        for (uint8_t& p : phase) p = static_cast<uint8_t>(next());
        mirrored = (next() & 1) != 0;
        noiseSeed = next();
        for (Shape& shape : shapes) {
            const int sw = std::max(1, static_cast<int>(w * (15 + next() % 30) / 100));
            const int sh = std::max(1, static_cast<int>(h * (15 + next() % 30) / 100));
            shape.left = static_cast<int>(next() % static_cast<uint32_t>(std::max(1, w - sw)));
            shape.top = static_cast<int>(next() % static_cast<uint32_t>(std::max(1, h - sh)));
            shape.right = shape.left + sw;
            shape.bottom = shape.top + sh;
            shape.round = (next() & 1) != 0;
            for (uint8_t& c : shape.colour) c = static_cast<uint8_t>(next());
        }
    }

    // The columns [from, to) a shape covers on row y; empty when to <= from.
    static void span(const Shape& s, int y, int& from, int& to) {
        from = to = 0;
        if (y < s.top || y >= s.bottom) return;
        if (!s.round) {
            from = s.left;
            to = s.right;
            return;
        }
        // An ellipse inscribed in the box.
        const double rx = (s.right - s.left) / 2.0;
        const double ry = (s.bottom - s.top) / 2.0;
        const double dy = (y + 0.5 - s.top - ry) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        from = static_cast<int>(s.left + rx - half);
        to = static_cast<int>(s.left + rx + half);
    }

    // One row of interleaved samples (components 1 or 3). A little seeded
    // grain keeps the compressed size near a camera's.
    void fillRow(int y, int components, uint8_t* row) const {
        const int vertical = height > 1 ? y * 255 / (height - 1) : 0;
        const int step = width > 1 ? (255 << 16) / (width - 1) : 0;
        int horizontal = mirrored ? 255 << 16 : 0;
        const int direction = mirrored ? -step : step;
        if (components == 3) {
            for (int x = 0; x < width; ++x, horizontal += direction) {
                const int h = horizontal >> 16;
                row[3 * x] = static_cast<uint8_t>(h + phase[0]);
                row[3 * x + 1] = static_cast<uint8_t>(vertical + phase[1]);
                row[3 * x + 2] = static_cast<uint8_t>(((h + vertical) >> 1) + phase[2]);
            }
        } else {
            for (int x = 0; x < width; ++x, horizontal += direction) {
                row[x] = static_cast<uint8_t>(((horizontal >> 16) + vertical) / 2 + phase[0]);
            }
        }
        uint32_t grain = noiseSeed ^ (static_cast<uint32_t>(y) * 0x9e3779b1U);
        const size_t samples = static_cast<size_t>(width) * components;
        for (size_t i = 0; i < samples; ++i) {
            grain = grain * 1664525U + 1013904223U;
            row[i] = static_cast<uint8_t>(row[i] + static_cast<int>(grain >> 29) - 4);
        }
        for (const Shape& shape : shapes) {
            int from = 0;
            int to = 0;
            span(shape, y, from, to);
            from = std::max(0, from);
            to = std::min(width, to);
            for (int x = from; x < to; ++x) {
                if (components == 3) {
                    row[3 * x] = shape.colour[0];
                    row[3 * x + 1] = shape.colour[1];
                    row[3 * x + 2] = shape.colour[2];
                } else {
                    row[x] = shape.colour[0];
                }
            }
        }
    }
};

}  // namespace

std::vector<uint8_t> encodePattern(int width, int height, int components, int quality,
                                   uint32_t seed) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return {};
    const Pattern pattern(width, height, seed);
    return encodeRows(width, height, components, quality,
                      [&pattern, components](int y, uint8_t* row) {
                          pattern.fillRow(y, components, row);
                      });
}

std::vector<uint8_t> encodeRows(int width, int height, int components, int quality,
                                const std::function<void(int y, uint8_t* row)>& fillRow) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return {};
    if (components != 1 && components != 3) return {};
    std::vector<uint8_t> row(static_cast<size_t>(width) * components);

    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onJpegError;
    errors.base.output_message = ignoreJpegMessage;
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    cinfo.write_JFIF_header = FALSE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        fillRow(static_cast<int>(cinfo.next_scanline), row.data());
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<uint8_t> result(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return result;
}

std::vector<uint8_t> buildJpegFile(const JpegSpec& spec) {
    return buildJpegFile(
        encodePattern(spec.width, spec.height, spec.components, spec.quality, spec.seed),
        spec.segments);
}

std::vector<uint8_t> buildJpegFile(const std::vector<uint8_t>& image,
                                   const std::vector<std::vector<uint8_t>>& segments) {
    if (image.size() < 4 || image[0] != 0xFF || image[1] != 0xD8) return {};
    size_t at = 2;
    // encodePattern writes no APP0, but a JFIF header must never come before
    // the caller's sections, so drop one should the image carry it.
    if (image[at] == 0xFF && image[at + 1] == 0xE0) {
        at += 2 + ((static_cast<size_t>(image[at + 2]) << 8) | image[at + 3]);
    }
    if (at > image.size()) return {};
    size_t total = image.size() - at + 2;
    for (const std::vector<uint8_t>& segment : segments) total += segment.size();
    std::vector<uint8_t> file;
    file.reserve(total);
    file.insert(file.end(), {0xFF, 0xD8});
    for (const std::vector<uint8_t>& segment : segments) {
        file.insert(file.end(), segment.begin(), segment.end());
    }
    file.insert(file.end(), image.begin() + static_cast<std::ptrdiff_t>(at), image.end());
    return file;
}

std::vector<uint8_t> commentSegment(const std::string& text) {
    // The length field counts itself and cannot exceed 0xFFFF.
    const size_t kept = std::min<size_t>(text.size(), 0xFFFF - 2);
    const size_t length = kept + 2;
    std::vector<uint8_t> segment = {0xFF, 0xFE, static_cast<uint8_t>(length >> 8),
                                    static_cast<uint8_t>(length & 0xFF)};
    segment.insert(segment.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(kept));
    return segment;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    // "x": a new file only, never one that appeared since the caller looked.
    std::FILE* out = std::fopen(path.c_str(), "wbx");
    if (out == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

}  // namespace lumora::samples
