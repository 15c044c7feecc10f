#include "imaging/Image.h"
#include "imaging/JpegCodec.h"
#include "tests/imaging/TestImages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace lumora {
namespace {

using test::encodeJpeg;

void expectNear(const uint8_t* bgr, int blue, int green, int red) {
    EXPECT_NEAR(bgr[0], blue, 3);
    EXPECT_NEAR(bgr[1], green, 3);
    EXPECT_NEAR(bgr[2], red, 3);
}

// Top half red, bottom half blue.
Image twoBands(int32_t width, int32_t height) {
    Image image = test::solidImage(width, height, 0, 0, 255);
    for (int32_t y = height / 2; y < height; ++y) {
        uint8_t* row = image.GetBits(y);
        for (int32_t x = 0; x < width; ++x) {
            row[x * 3] = 0;
            row[x * 3 + 2] = 255;
        }
    }
    return image;
}

size_t markerOffset(const std::vector<uint8_t>& bytes, uint8_t marker) {
    for (size_t i = 0; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == marker) return i;
    }
    return bytes.size();
}

TEST(JpegDecode, colourPictureComesOutAs24BitRowsBottomUp) {
    const auto bytes = encodeJpeg(twoBands(32, 16));
    Image image(bytes.data(), bytes.size(), kFormatJpeg);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetType(), kFormatJpeg);
    EXPECT_EQ(image.GetWidth(), 32);
    EXPECT_EQ(image.GetHeight(), 16);
    EXPECT_EQ(image.GetBpp(), 24);
    EXPECT_EQ(image.GetEffWidth(), 96u);
    expectNear(image.GetBits(0) + 5 * 3, 255, 0, 0);   // bottom row: blue
    expectNear(image.GetBits(15) + 5 * 3, 0, 0, 255);  // top row: red
}

TEST(JpegDecode, greyPictureComesOutAs8BitWithGreyPalette) {
    const auto bytes = encodeJpeg(test::greyImage(10, 6, 200));
    Image image(bytes.data(), bytes.size(), kFormatUnknown);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_TRUE(image.IsGrayScale());
    EXPECT_EQ(image.GetNumColors(), 256u);
    EXPECT_EQ(image.GetEffWidth(), 12u);  // 10 bytes padded to 4
    EXPECT_NEAR(image.GetBits(3)[4], 200, 2);
}

TEST(JpegDecode, cmykPictureIsConvertedToBlueGreenRed) {
    // Full magenta and yellow ink without black gives red.
    const auto bytes = test::encodeCmykJpeg(16, 16, 0, 255, 255, 0);
    Image image(bytes.data(), bytes.size(), kFormatJpeg);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 24);
    expectNear(image.GetBits(8) + 8 * 3, 0, 0, 255);
}

TEST(JpegDecode, reducedDecodeChoosesTheSmallestScaleThatKeepsTheTarget) {
    struct Case {
        int width, height, minWidth, minHeight, numerator;
    };
    const Case cases[] = {
        {4000, 3000, 160, 120, 1}, {1280, 960, 160, 120, 1}, {1279, 959, 160, 120, 1},
        {1272, 952, 160, 120, 2},  {640, 480, 160, 120, 2},  {641, 480, 160, 120, 2},
        {600, 450, 160, 120, 3},   {160, 100, 160, 120, 8},  {1000, 100, 160, 120, 8},
        {4000, 3000, 0, 0, 8},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(jpegScaleNumerator(c.width, c.height, DecodeOptions{c.minWidth, c.minHeight}),
                  c.numerator)
            << c.width << " x " << c.height;
    }
    const auto bytes = encodeJpeg(twoBands(640, 480), 75);
    Image reduced(bytes.data(), bytes.size(), kFormatJpeg, DecodeOptions{160, 120});
    ASSERT_TRUE(reduced.IsValid()) << reduced.GetLastError();
    EXPECT_EQ(reduced.GetWidth(), 160);
    EXPECT_EQ(reduced.GetHeight(), 120);
    expectNear(reduced.GetBits(119) + 80 * 3, 0, 0, 255);
}

DecodeOptions sampledTo(int width, int height) {
    DecodeOptions options;
    options.sampleWidth = width;
    options.sampleHeight = height;
    return options;
}

// Byte for byte what the whole decode gives after the nearest-pixel resample,
// however many rows are skipped: the duplicate signature depends on it.
TEST(JpegDecode, sampledDecodeIsTheWholeDecodeResampledToTheNearestPixel) {
    std::unique_ptr<uint8_t[]> bmp;
    size_t bmpSize = 0;
    ASSERT_TRUE(test::texturedImage(90, 70).Encode(bmp, bmpSize, kFormatBmp));
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int width, height;
    };
    const Case cases[] = {
        {"colour 640 x 480", encodeJpeg(test::texturedImage(640, 480), 85), 64, 64},
        {"colour of an odd size", encodeJpeg(test::texturedImage(333, 250), 85), 64, 64},
        {"grey", encodeJpeg(test::texturedImage(1024, 768, true), 85), 64, 64},
        {"progressive", encodeJpeg(test::texturedImage(300, 200), 85, true), 64, 64},
        {"tall: whole block rows skipped", encodeJpeg(test::texturedImage(48, 2000), 85), 64, 64},
        {"smaller than the sample: rows repeat", encodeJpeg(test::texturedImage(40, 30)), 64, 64},
        {"already the sample's size", encodeJpeg(test::texturedImage(64, 64)), 64, 64},
        {"another sample size", encodeJpeg(test::texturedImage(500, 375), 85), 160, 120},
        {"cmyk", test::encodeCmykJpeg(48, 40, 10, 200, 30, 5), 64, 64},
        {"bmp: resampled after decoding", {bmp.get(), bmp.get() + bmpSize}, 64, 64},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Image whole(c.bytes.data(), c.bytes.size(), kFormatUnknown);
        ASSERT_TRUE(whole.IsValid()) << whole.GetLastError();
        ASSERT_TRUE(whole.Resample(c.width, c.height, 1));
        const Image sampled(c.bytes.data(), c.bytes.size(), kFormatUnknown,
                            sampledTo(c.width, c.height));
        ASSERT_TRUE(sampled.IsValid()) << sampled.GetLastError();
        EXPECT_EQ(sampled.GetType(), whole.GetType());
        EXPECT_EQ(sampled.GetWidth(), c.width);
        EXPECT_EQ(sampled.GetHeight(), c.height);
        ASSERT_EQ(sampled.GetDibSize(), whole.GetDibSize());
        EXPECT_EQ(std::memcmp(sampled.GetDib(), whole.GetDib(), whole.GetDibSize()), 0);
    }
}

TEST(JpegDecode, damagedDataGivesAnInvalidImageWithTheDecodersMessage) {
    const auto good = encodeJpeg(twoBands(64, 48), 90);
    const size_t sos = markerOffset(good, 0xDA);
    ASSERT_LT(sos, good.size());
    const size_t scanStart = sos + 2 + ((good[sos + 2] << 8) | good[sos + 3]);

    std::vector<uint8_t> garbage(good.begin(), good.begin() + static_cast<long>(scanStart));
    uint32_t seed = 12345;
    for (int i = 0; i < 2000; ++i) {
        seed = seed * 1103515245u + 12345u;
        garbage.push_back(static_cast<uint8_t>(seed >> 16));
    }
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;  // null: any message
    };
    const Case cases[] = {
        {"empty", {}, "Empty input file"},
        {"start marker only", {0xFF, 0xD8}, "Premature end of JPEG file"},
        {"truncated in the header",
         {good.begin(), good.begin() + 40},
         "Premature end of JPEG file"},
        {"truncated in the scan",
         {good.begin(), good.begin() + static_cast<long>(scanStart + 30)},
         "Premature end of JPEG file"},
        {"end marker missing", {good.begin(), good.end() - 2}, "Premature end of JPEG file"},
        {"garbage after the header", garbage, nullptr},
        {"not a JPEG", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, nullptr},
    };
    for (const Case& c : cases) {
        Image image(c.bytes.data(), c.bytes.size(), kFormatJpeg);
        EXPECT_FALSE(image.IsValid()) << c.name;
        EXPECT_FALSE(image.GetLastError().empty()) << c.name;
        if (c.message != nullptr) {
            EXPECT_EQ(image.GetLastError(), c.message) << c.name;
        }
        EXPECT_EQ(image.GetBits(), nullptr) << c.name;
        // Skipping rows still reads their data.
        const Image sampled(c.bytes.data(), c.bytes.size(), kFormatJpeg, sampledTo(64, 64));
        EXPECT_FALSE(sampled.IsValid()) << c.name;
        EXPECT_EQ(sampled.GetLastError(), image.GetLastError()) << c.name;
    }

    // Damage in the middle of a tall picture, among rows the sampled decode skips.
    auto tall = encodeJpeg(test::texturedImage(48, 2000), 85);
    const size_t tallSos = markerOffset(tall, 0xDA);
    ASSERT_LT(tallSos, tall.size());
    const size_t middle = (tallSos + tall.size()) / 2;
    tall[middle] = 0xFF;
    tall[middle + 1] = 0xD9;
    const Image whole(tall.data(), tall.size(), kFormatJpeg);
    EXPECT_FALSE(whole.IsValid());
    const Image sampled(tall.data(), tall.size(), kFormatJpeg, sampledTo(64, 64));
    EXPECT_FALSE(sampled.IsValid());
    EXPECT_EQ(sampled.GetLastError(), whole.GetLastError());
}

TEST(JpegDecode, strayBytesBeforeAMarkerStillDecodeTheWholePicture) {
    // Some writers leave padding between sections; the picture itself is whole.
    auto bytes = encodeJpeg(twoBands(32, 16));
    const size_t sos = markerOffset(bytes, 0xDA);
    ASSERT_LT(sos, bytes.size());
    bytes.insert(bytes.begin() + static_cast<long>(sos), {0x12, 0x34});
    Image image(bytes.data(), bytes.size(), kFormatJpeg);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    expectNear(image.GetBits(0) + 5 * 3, 255, 0, 0);
    expectNear(image.GetBits(15) + 5 * 3, 0, 0, 255);
}

TEST(JpegDecode, impossibleSizesAreRefusedBeforeAllocating) {
    const auto good = encodeJpeg(test::greyImage(16, 16, 90));
    const size_t sof = markerOffset(good, 0xC0);
    ASSERT_LT(sof, good.size());
    struct Case {
        const char* name;
        uint16_t width, height;
        const char* message;
    };
    const Case cases[] = {
        {"zero width", 0, 16, nullptr},
        {"zero height", 16, 0, nullptr},
        // 3.6 gigapixels: a huge buffer if it were believed.
        {"over 200 megapixels", 60000, 60000, "The image is too large"},
        {"just over 200 megapixels", 20000, 10001, "The image is too large"},
    };
    for (const Case& c : cases) {
        auto bytes = good;
        bytes[sof + 5] = static_cast<uint8_t>(c.height >> 8);
        bytes[sof + 6] = static_cast<uint8_t>(c.height);
        bytes[sof + 7] = static_cast<uint8_t>(c.width >> 8);
        bytes[sof + 8] = static_cast<uint8_t>(c.width);
        Image image(bytes.data(), bytes.size(), kFormatJpeg);
        EXPECT_FALSE(image.IsValid()) << c.name;
        EXPECT_FALSE(image.GetLastError().empty()) << c.name;
        if (c.message != nullptr) {
            EXPECT_EQ(image.GetLastError(), c.message) << c.name;
        }
    }
}

}  // namespace
}  // namespace lumora
