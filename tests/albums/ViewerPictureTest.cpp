#include "albums/ViewerPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "tests/imaging/TestImages.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

TEST(ViewerDisplaySize, everyFourToThreePictureIsShown799By599) {
    // Among these, 1920 x 1440, 2272 x 1704 and 4032 x 3024 come out 800 x 600
    // when the scale is the float nearest to its exact value.
    for (int32_t k = 1; k <= 20000; ++k) {
        ASSERT_EQ(viewerDisplaySize(4 * k, 3 * k), (PictureSize{799, 599}))
            << 4 * k << " x " << 3 * k;
    }
}

TEST(ViewerDisplaySize, otherShapesKeepTheirProportionsAt799Wide) {
    EXPECT_EQ(viewerDisplaySize(3000, 2000), (PictureSize{799, 533}));
    EXPECT_EQ(viewerDisplaySize(3000, 4000), (PictureSize{799, 1066}));
    EXPECT_EQ(viewerDisplaySize(200, 200), (PictureSize{799, 799}));
    // A picture far wider than high keeps a line of one pixel.
    EXPECT_EQ(viewerDisplaySize(8000, 4), (PictureSize{799, 1}));
    EXPECT_EQ(viewerDisplaySize(0, 100), (PictureSize{0, 0}));
}

std::vector<uint8_t> jpegOf(int32_t width, int32_t height, bool progressive = false) {
    return test::encodeJpeg(test::texturedImage(width, height), 90, progressive);
}

TEST(JpegFrameSize, isReadPastTheSegmentsBeforeTheFrameHeader) {
    test::TempDir dir;
    PictureSize size;
    // An EXIF block with a thumbnail comes before the frame header.
    test::PictureSpec spec;
    spec.dateTimeOriginal = "2005:03:04 10:20:30";
    spec.withThumbnail = true;
    ASSERT_TRUE(
        jpegFrameSize(realFileSystem(), dir.writeFile("exif.jpg", test::exifPicture(spec)), size));
    EXPECT_EQ(size, (PictureSize{32, 24}));
    ASSERT_TRUE(
        jpegFrameSize(realFileSystem(), dir.writeFile("p.jpg", jpegOf(300, 200, true)), size));
    EXPECT_EQ(size, (PictureSize{300, 200}));
}

TEST(JpegFrameSize, failsOnFilesWithoutAReadableFrameHeader) {
    test::TempDir dir;
    PictureSize size;
    EXPECT_FALSE(jpegFrameSize(realFileSystem(), dir.file("missing.jpg"), size));
    EXPECT_FALSE(jpegFrameSize(realFileSystem(), dir.writeFile("text.jpg", "not a picture"), size));
    std::vector<uint8_t> cut = test::exifPicture("2005:03:04 10:20:30");
    cut.resize(40);  // inside the EXIF segment
    EXPECT_FALSE(jpegFrameSize(realFileSystem(), dir.writeFile("cut.jpg", cut), size));
    // A segment claiming less than its own length field.
    EXPECT_FALSE(jpegFrameSize(
        realFileSystem(),
        dir.writeFile("bad.jpg", std::vector<uint8_t>{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x01}), size));
}

// The same pixels as decoding the whole picture and resampling it.
void expectDecodedAsWholeAndResampled(const std::string& path, PictureSize expected) {
    const Image shown = decodeForViewer(realFileSystem(), path);
    ASSERT_TRUE(shown.IsValid()) << path;
    EXPECT_EQ((PictureSize{shown.GetWidth(), shown.GetHeight()}), expected) << path;
    Image whole(path, kFormatJpeg);
    ASSERT_TRUE(whole.Resample(expected.width, expected.height, 1));
    ASSERT_EQ(shown.GetBpp(), whole.GetBpp());
    ASSERT_EQ(shown.GetDibSize(), whole.GetDibSize());
    EXPECT_EQ(std::memcmp(shown.GetDib(), whole.GetDib(), shown.GetDibSize()), 0) << path;
}

TEST(DecodeForViewer, givesThePicturesOfADecodeAndResampleAtTheViewerSize) {
    test::TempDir dir;
    expectDecodedAsWholeAndResampled(dir.writeFile("a.jpg", jpegOf(640, 480)), {799, 599});
    expectDecodedAsWholeAndResampled(dir.writeFile("b.jpg", jpegOf(1200, 800, true)), {799, 533});
    const std::vector<uint8_t> grey = test::encodeJpeg(test::texturedImage(320, 240, true));
    expectDecodedAsWholeAndResampled(dir.writeFile("g.jpg", grey), {799, 599});
}

TEST(DecodeForViewer, decodesOtherFormatsWholeAndFailsOnUnreadableFiles) {
    test::TempDir dir;
    Image bitmap = test::texturedImage(40, 30);
    std::unique_ptr<uint8_t[]> buffer;
    size_t size = 0;
    ASSERT_TRUE(bitmap.Encode(buffer, size, kFormatBmp));
    const std::string bmp =
        dir.writeFile("bitmap.jpg", std::vector<uint8_t>(buffer.get(), buffer.get() + size));
    expectDecodedAsWholeAndResampled(bmp, {799, 599});

    EXPECT_FALSE(decodeForViewer(realFileSystem(), dir.file("missing.jpg")).IsValid());
    EXPECT_FALSE(decodeForViewer(realFileSystem(), dir.writeFile("t.jpg", "text")).IsValid());
    // A frame header followed by no picture data.
    std::vector<uint8_t> cut = jpegOf(64, 48);
    cut.resize(cut.size() / 2);
    EXPECT_FALSE(decodeForViewer(realFileSystem(), dir.writeFile("cut.jpg", cut)).IsValid());
}

}  // namespace
}  // namespace lumora
