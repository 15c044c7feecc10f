#include "fuzz/PictureSeeds.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "imaging/BmpCodec.h"
#include "imaging/Image.h"
#include "samples/ExifBlockWriter.h"
#include "samples/JpegFileWriter.h"
#include "samples/SampleGenerator.h"

namespace lumora {
namespace {

using samples::ExifBlockSpec;

void put(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
    if (!bytes.empty()) samples::writeFile(folder + "/" + name, bytes);
}

ExifBlockSpec cameraBlock(samples::ByteOrder order, const std::vector<uint8_t>& thumbnail) {
    ExifBlockSpec spec;
    spec.order = order;
    spec.ifd0 = {samples::asciiEntry(0x010F, "Harbour Optics"),
                 samples::asciiEntry(0x0110, "HX-20"), samples::shortEntry(0x0112, 6),
                 samples::rationalEntry(0x011A, 72, 1), samples::shortEntry(0x0128, 2)};
    spec.exifIfd = {
        samples::asciiEntry(0x9003, "2005:06:14 09:30:12"),
        samples::rationalEntry(0x829A, 1, 250),
        samples::rationalEntry(0x829D, 28, 10),
        samples::shortEntry(0x8827, 200),
        samples::srationalEntry(0x9204, -1, 3),
        samples::shortEntry(0x9209, 1),
        samples::rationalEntry(0x920A, 66, 10),
        samples::longEntry(0xA002, 96),
        samples::longEntry(0xA003, 72),
        samples::rationalEntry(0xA20E, 3000, 1),
        samples::shortEntry(0xA210, 2),
        samples::undefinedEntry(0x9286, {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'q', 'u', 'a', 'y'})};
    spec.interopIfd = {samples::asciiEntry(0x0001, "R98")};
    spec.thumbnail = thumbnail;
    return spec;
}

}  // namespace

void writeJpegSeeds(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    samples::SampleOptions options;
    options.count = 32;
    options.width = 96;
    options.height = 72;
    options.nested = false;
    samples::SampleCounts counts;
    std::string error;
    samples::writeSamples(folder + "/samples", options, counts, error);

    const std::vector<uint8_t> body = samples::encodePattern(96, 72, 3, 80, 7);
    const std::vector<uint8_t> grey = samples::encodePattern(40, 30, 1, 60, 8);
    const std::vector<uint8_t> thumbnail = samples::encodePattern(32, 24, 3, 50, 9);
    put(folder, "motorola.jpg",
        samples::buildJpegFile(body, {samples::buildExifSegment(
                                         cameraBlock(samples::ByteOrder::Motorola, thumbnail))}));
    put(folder, "intel.jpg",
        samples::buildJpegFile(
            body, {samples::buildExifSegment(cameraBlock(samples::ByteOrder::Intel, {}))}));
    ExifBlockSpec thumbnailOnly;
    thumbnailOnly.ifd0 = {samples::asciiEntry(0x0132, "2004:01:02 03:04:05")};
    thumbnailOnly.thumbnail = thumbnail;
    put(folder, "thumbnail-only.jpg",
        samples::buildJpegFile(grey, {samples::buildExifSegment(thumbnailOnly),
                                      samples::commentSegment("a comment")}));
    put(folder, "grey.jpg", grey);
    // Larger than the thumbnail, so that the decode is reduced.
    put(folder, "reduced.jpg", samples::encodePattern(400, 300, 3, 40, 10));
}

void writeBmpSeeds(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    for (int bits : {8, 24}) {
        Image image;
        uint8_t* rows = image.Create(13, 7, bits, kFormatBmp);
        if (rows == nullptr) continue;
        for (uint32_t i = 0; i < image.GetEffWidth() * 7; ++i) rows[i] = static_cast<uint8_t>(i);
        std::vector<uint8_t> bytes;
        if (!encodeBmp(image, bytes)) continue;
        put(folder, "depth" + std::to_string(bits) + ".bmp", bytes);
        // Rows stored top-down: the same file with a negative height.
        std::vector<uint8_t> topDown = bytes;
        const int32_t negative = -7;
        std::memcpy(topDown.data() + 14 + 8, &negative, 4);
        put(folder, "depth" + std::to_string(bits) + "-topdown.bmp", topDown);
        // A bare DIB: the bytes after the file header.
        put(folder, "depth" + std::to_string(bits) + ".dib",
            std::vector<uint8_t>(bytes.begin() + 14, bytes.end()));
    }
    // 1-, 4- and 32-bit files, which the encoder never writes.
    for (int bits : {1, 4, 32}) {
        const int32_t width = 9;
        const int32_t height = 5;
        const uint32_t colours = bits <= 8 ? 1u << bits : 0;
        const uint32_t stride = (width * bits + 31) / 32 * 4;
        const uint32_t pixelOffset = 14 + 40 + colours * 4;
        std::vector<uint8_t> bytes(pixelOffset + stride * height, 0);
        auto le32 = [&bytes](size_t at, uint32_t value) {
            for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
        };
        bytes[0] = 'B';
        bytes[1] = 'M';
        le32(2, static_cast<uint32_t>(bytes.size()));
        le32(10, pixelOffset);
        le32(14, 40);
        le32(18, width);
        le32(22, height);
        bytes[26] = 1;
        bytes[28] = static_cast<uint8_t>(bits);
        for (size_t i = 54; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 37);
        put(folder, "depth" + std::to_string(bits) + ".bmp", bytes);
    }
}

}  // namespace lumora
