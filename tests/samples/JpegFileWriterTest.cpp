#include "samples/JpegFileWriter.h"

#include <gtest/gtest.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "samples/ExifBlockWriter.h"

namespace lumora::samples {
namespace {

using Bytes = std::vector<uint8_t>;

struct Decoded {
    bool ok = false;
    int width = 0;
    int height = 0;
    int components = 0;
    Bytes pixels;
};

struct DecodeErrors {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

Decoded decode(const Bytes& file) {
    Decoded result;
    jpeg_decompress_struct cinfo{};
    DecodeErrors errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = [](j_common_ptr c) {
        std::longjmp(reinterpret_cast<DecodeErrors*>(c->err)->jump, 1);
    };
    errors.base.output_message = [](j_common_ptr) {};
    if (setjmp(errors.jump) != 0) {
        jpeg_destroy_decompress(&cinfo);
        return Decoded{};
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    result.width = static_cast<int>(cinfo.output_width);
    result.height = static_cast<int>(cinfo.output_height);
    result.components = cinfo.output_components;
    result.pixels.resize(static_cast<size_t>(result.width) * result.height * result.components);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = result.pixels.data() + static_cast<size_t>(cinfo.output_scanline) *
                                                  result.width * result.components;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    result.ok = true;
    return result;
}

// The marker codes of the sections from SOI up to and including SOS.
std::vector<int> markers(const Bytes& file) {
    std::vector<int> codes;
    size_t at = 0;
    while (at + 1 < file.size() && file[at] == 0xFF) {
        const int code = file[at + 1];
        codes.push_back(code);
        if (code == 0xD8) {
            at += 2;
            continue;
        }
        if (code == 0xDA || at + 3 >= file.size()) break;
        at += 2 + (file[at + 2] << 8 | file[at + 3]);
    }
    return codes;
}

TEST(JpegFileWriter, encodedPatternDecodesToItsSizeAndComponents) {
    struct Case {
        int width, height, components;
    };
    for (const Case& c : {Case{64, 48, 3}, Case{33, 17, 1}, Case{1, 1, 3}, Case{160, 120, 1}}) {
        const Decoded d = decode(encodePattern(c.width, c.height, c.components, 85, 7));
        ASSERT_TRUE(d.ok) << c.width << "x" << c.height;
        EXPECT_EQ(d.width, c.width);
        EXPECT_EQ(d.height, c.height);
        EXPECT_EQ(d.components, c.components);
    }
}

TEST(JpegFileWriter, plainPatternHasNoApplicationSection) {
    const std::vector<int> codes = markers(encodePattern(64, 48, 3, 85, 1));
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), 0xD8);
    EXPECT_EQ(codes.back(), 0xDA);
    for (int code : codes) EXPECT_FALSE(code >= 0xE0 && code <= 0xEF) << std::hex << code;
}

TEST(JpegFileWriter, seedDecidesThePictureAndNothingElse) {
    const Bytes first = encodePattern(96, 72, 3, 85, 5);
    EXPECT_EQ(first, encodePattern(96, 72, 3, 85, 5));
    const Decoded a = decode(first);
    const Decoded b = decode(encodePattern(96, 72, 3, 85, 6));
    ASSERT_TRUE(a.ok && b.ok);
    // Visibly different: a large share of the samples differ by more than noise.
    size_t differing = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i) {
        if (std::abs(a.pixels[i] - b.pixels[i]) > 24) ++differing;
    }
    EXPECT_GT(differing, a.pixels.size() / 4);
}

TEST(JpegFileWriter, fileHasTheSegmentsInOrderAfterStartOfImage) {
    ExifBlockSpec exif;
    exif.ifd0 = {asciiEntry(0x010F, "Canon")};
    exif.exifIfd = {asciiEntry(0x9003, "2004:01:02 03:04:05")};
    JpegSpec spec;
    spec.width = 80;
    spec.height = 60;
    spec.segments = {buildExifSegment(exif), commentSegment("first"), {0xFF, 0xE2, 0x00, 0x02}};
    const Bytes file = buildJpegFile(spec);
    const std::vector<int> codes = markers(file);
    ASSERT_GE(codes.size(), 5u);
    EXPECT_EQ(codes[0], 0xD8);
    EXPECT_EQ(codes[1], 0xE1);
    EXPECT_EQ(codes[2], 0xFE);
    EXPECT_EQ(codes[3], 0xE2);
    for (size_t i = 4; i < codes.size(); ++i) EXPECT_NE(codes[i], 0xE0);
    const Bytes segment = buildExifSegment(exif);
    EXPECT_EQ(Bytes(file.begin() + 2, file.begin() + 2 + segment.size()), segment);
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], 0xD9);
    const Decoded d = decode(file);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 80);
    EXPECT_EQ(d.height, 60);
}

TEST(JpegFileWriter, impossibleImagesGiveNoBytes) {
    EXPECT_TRUE(encodePattern(0, 10, 3, 85, 1).empty());
    EXPECT_TRUE(encodePattern(10, -1, 3, 85, 1).empty());
    EXPECT_TRUE(encodePattern(70000, 10, 3, 85, 1).empty());
    EXPECT_TRUE(encodePattern(10, 10, 2, 85, 1).empty());
    JpegSpec spec;
    spec.components = 4;
    EXPECT_TRUE(buildJpegFile(spec).empty());
}

TEST(JpegFileWriter, commentSegmentCountsItsLength) {
    EXPECT_EQ(commentSegment("Hi"), (Bytes{0xFF, 0xFE, 0x00, 0x04, 'H', 'i'}));
    EXPECT_EQ(commentSegment(""), (Bytes{0xFF, 0xFE, 0x00, 0x02}));
    const Bytes longest = commentSegment(std::string(70000, 'x'));
    ASSERT_EQ(longest.size(), 2u + 0xFFFF);
    EXPECT_EQ(longest[2], 0xFF);
    EXPECT_EQ(longest[3], 0xFF);
}

TEST(JpegFileWriter, writeFileWritesTheBytesOrFails) {
    const std::string path = ::testing::TempDir() + "lumora-writer-test.bin";
    const Bytes bytes = {0, 1, 2, 0xFF};
    ASSERT_TRUE(writeFile(path, bytes));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    Bytes read(16);
    read.resize(std::fread(read.data(), 1, read.size(), file));
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(writeFile("/nonexistent-folder/x/y.jpg", bytes));
}

}  // namespace
}  // namespace lumora::samples
