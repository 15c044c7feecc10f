#include "imaging/Image.h"
#include "res/BitmapIds.h"
#include "tests/imaging/TestImages.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace lumora {
namespace {

std::vector<uint8_t> encodeBmp(Image& image) {
    std::unique_ptr<uint8_t[]> buffer;
    size_t size = 0;
    EXPECT_TRUE(image.Encode(buffer, size, kFormatBmp)) << image.GetLastError();
    return std::vector<uint8_t>(buffer.get(), buffer.get() + size);
}

uint32_t le32(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

bool samePixels(const Image& a, const Image& b) {
    if (a.GetWidth() != b.GetWidth() || a.GetHeight() != b.GetHeight() ||
        a.GetBpp() != b.GetBpp()) {
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(a.GetWidth()) * a.GetBpp() / 8;
    for (int32_t y = 0; y < a.GetHeight(); ++y) {
        if (std::memcmp(a.GetBits(y), b.GetBits(y), rowBytes) != 0) return false;
    }
    return true;
}

TEST(BmpEncode, writesFileHeaderInfoHeaderPaletteAndBottomUpRows) {
    Image image = test::coordinateImage(5, 3, 7);
    const auto bytes = encodeBmp(image);
    // 5 pixels of 3 bytes pad to 16 a row.
    ASSERT_EQ(bytes.size(), 14u + 40u + 3u * 16u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(le32(bytes, 2), bytes.size());
    EXPECT_EQ(le32(bytes, 10), 54u);
    EXPECT_EQ(le32(bytes, 14), 40u);
    EXPECT_EQ(le32(bytes, 18), 5u);
    EXPECT_EQ(le32(bytes, 22), 3u);
    EXPECT_EQ(bytes[28], 24);
    EXPECT_EQ(le32(bytes, 34), 48u);  // image size
    // Row 1 from the bottom, pixel 4: blue 4, green 1, red 7.
    EXPECT_EQ(bytes[54 + 16 + 12], 4);
    EXPECT_EQ(bytes[54 + 16 + 13], 1);
    EXPECT_EQ(bytes[54 + 16 + 14], 7);

    Image grey = test::greyImage(3, 2, 9);
    const auto greyBytes = encodeBmp(grey);
    EXPECT_EQ(greyBytes.size(), 14u + 40u + 1024u + 2u * 4u);
    EXPECT_EQ(le32(greyBytes, 10), 14u + 40u + 1024u);
    EXPECT_EQ(le32(greyBytes, 46), 256u);  // colours used
}

TEST(BmpEncode, encodedPicturesDecodeBackToTheSamePixels) {
    Image colour = test::coordinateImage(7, 5, 200);
    Image grey = test::greyImage(9, 3, 77);
    for (Image* original : {&colour, &grey}) {
        const auto bytes = encodeBmp(*original);
        Image decoded(bytes.data(), bytes.size(), kFormatUnknown);
        ASSERT_TRUE(decoded.IsValid()) << decoded.GetLastError();
        EXPECT_EQ(decoded.GetType(), kFormatBmp);
        EXPECT_TRUE(samePixels(*original, decoded));
        EXPECT_EQ(decoded.IsGrayScale(), original->IsGrayScale());
    }
}

TEST(BmpEncode, refusesABufferThatIsNotEmpty) {
    Image image = test::solidImage(4, 4, 1, 2, 3);
    auto buffer = std::make_unique<uint8_t[]>(8);
    uint8_t* before = buffer.get();
    size_t size = 8;
    EXPECT_FALSE(image.Encode(buffer, size, kFormatBmp));
    EXPECT_EQ(image.GetLastError(), "the buffer must be empty");
    EXPECT_EQ(buffer.get(), before);
    EXPECT_EQ(size, 8u);
}

TEST(BmpDecode, readsOtherDepthsAndTopDownRows) {
    // 2 x 2, 1 bit: palette black and white, rows (bottom first) 10, 01.
    std::vector<uint8_t> oneBit = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0};
    const uint8_t info[40] = {40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 1, 0};
    oneBit.insert(oneBit.end(), info, info + 40);
    const uint8_t palette[8] = {0, 0, 0, 0, 255, 255, 255, 0};
    oneBit.insert(oneBit.end(), palette, palette + 8);
    const uint8_t rows[8] = {0x80, 0, 0, 0, 0x40, 0, 0, 0};
    oneBit.insert(oneBit.end(), rows, rows + 8);
    Image image(oneBit.data(), oneBit.size(), kFormatBmp);
    ASSERT_TRUE(image.IsValid()) << image.GetLastError();
    EXPECT_EQ(image.GetBpp(), 8);
    EXPECT_EQ(image.GetBits(0)[0], 1);
    EXPECT_EQ(image.GetBits(0)[1], 0);
    EXPECT_EQ(image.GetBits(1)[1], 1);
    EXPECT_EQ(image.GetPixelColor(0, 0).rgbRed, 255);

    // The same 24-bit picture stored top-down (negative height).
    Image original = test::coordinateImage(3, 4);
    auto bytes = encodeBmp(original);
    const int32_t negative = -4;
    std::memcpy(bytes.data() + 22, &negative, 4);
    std::vector<uint8_t> flipped(bytes.begin(), bytes.begin() + 54);
    for (int32_t y = 3; y >= 0; --y) {
        flipped.insert(flipped.end(), bytes.begin() + 54 + y * 12,
                       bytes.begin() + 54 + y * 12 + 12);
    }
    Image topDown(flipped.data(), flipped.size(), kFormatBmp);
    ASSERT_TRUE(topDown.IsValid()) << topDown.GetLastError();
    EXPECT_TRUE(samePixels(original, topDown));
}

TEST(BmpDecode, damagedFilesAreRefused) {
    Image original = test::coordinateImage(6, 6);
    const auto good = encodeBmp(original);
    auto patched = [&](size_t at, uint32_t value) {
        auto bytes = good;
        std::memcpy(bytes.data() + at, &value, 4);
        return bytes;
    };
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"truncated rows", {good.begin(), good.end() - 5}, "The BMP file is damaged"},
        {"truncated header", {good.begin(), good.begin() + 30}, "The BMP file is damaged"},
        {"pixel offset past the end", patched(10, 0xFFFFFFF0u), "The BMP file is damaged"},
        {"info size past the end", patched(14, 0x7FFFFFFFu), "The BMP file is damaged"},
        {"zero width", patched(18, 0), "The image size is not valid"},
        {"huge size", patched(18, 0x7FFFFFFFu), "The image is too large"},
        {"compressed", patched(30, 1), "This kind of BMP is not supported"},
    };
    for (const Case& c : cases) {
        Image image(c.bytes.data(), c.bytes.size(), kFormatBmp);
        EXPECT_FALSE(image.IsValid()) << c.name;
        EXPECT_EQ(image.GetLastError(), c.message) << c.name;
    }
}

TEST(ImageLoad, aFailedCodeFallsBackToEveryDecoder) {
    test::TempDir dir;
    const auto jpeg = test::encodeJpeg(test::solidImage(8, 8, 0, 255, 0));
    const std::string jpegPath = dir.writeFile("a.jpg", jpeg);
    Image asBmp(jpegPath, kFormatBmp);
    ASSERT_TRUE(asBmp.IsValid()) << asBmp.GetLastError();
    EXPECT_EQ(asBmp.GetType(), kFormatJpeg);

    // Nothing decodes it: the first failure's text stays.
    const std::string damaged =
        dir.writeFile("b.jpg", std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 100));
    Image broken(damaged, kFormatJpeg);
    EXPECT_FALSE(broken.IsValid());
    EXPECT_EQ(broken.GetLastError(), "Premature end of JPEG file");

    const std::string text = dir.writeFile("c.jpg", std::string("no picture here"));
    Image unknown(text, kFormatUnknown);
    EXPECT_FALSE(unknown.IsValid());
    EXPECT_EQ(unknown.GetLastError(), "Unknown file format");
}

TEST(ImageLoad, anUnreadableFileLeavesTheImageEmpty) {
    test::TempDir dir;
    const std::string path = dir.writeFile("a.jpg", test::encodeJpeg(test::greyImage(8, 8, 1)));
    test::FaultyFileSystem fileSystem;
    fileSystem.failPath(test::FsCall::OpenRead, path, kErrorAccessDenied);
    Image image(path, kFormatJpeg, fileSystem);
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetLastError(), "Unable to open file");
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead, path), 1);

    fileSystem.clearRules();
    fileSystem.failPath(test::FsCall::Read, path, kErrorReadFault);
    EXPECT_FALSE(image.Load(path, kFormatJpeg, fileSystem));
    EXPECT_EQ(image.GetLastError(), "Unable to read file");
}

TEST(ImageResources, everyBitmapLoadsByNumberAtItsSize) {
    struct Case {
        int id, width, height;
    };
    const Case cases[] = {
        {res::kBitmapTargetButton, 32, 32},     {res::kBitmapSourceButton, 32, 32},
        {res::kBitmapBanner, 480, 64},          {res::kBitmapDuplicatePlaceholder, 160, 120},
        {res::kBitmapFilmPerforation, 24, 480}, {res::kBitmapFilmPlaceholder, 160, 120},
        {res::kBitmapLampGreen, 7, 5},          {res::kBitmapLampRed, 9, 7},
        {res::kBitmapLampBlack, 48, 48},
    };
    for (const Case& c : cases) {
        Image image;
        ASSERT_TRUE(image.LoadResource(c.id, kFormatBmp)) << c.id << ": " << image.GetLastError();
        EXPECT_EQ(image.GetWidth(), c.width) << c.id;
        EXPECT_EQ(image.GetHeight(), c.height) << c.id;
        EXPECT_EQ(image.GetBpp(), 24) << c.id;
    }
    // The lamps are plain blocks of their colour.
    Image green;
    green.LoadResource(res::kBitmapLampGreen);
    EXPECT_EQ(green.GetPixelColor(3, 2), (RgbQuad{0, 200, 0, 0}));
    Image black;
    black.LoadResource(res::kBitmapLampBlack);
    EXPECT_EQ(black.GetPixelColor(47, 47), (RgbQuad{0, 0, 0, 0}));
}

TEST(ImageResources, anUnknownNumberCannotBeLoaded) {
    Image image;
    EXPECT_FALSE(image.LoadResource(4242, kFormatBmp));
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetLastError(), "Unable to load resource!");
}

}  // namespace
}  // namespace lumora
