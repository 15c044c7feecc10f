#include "imaging/Image.h"
#include "tests/imaging/TestImages.h"

#include <gtest/gtest.h>

#include <cstring>

namespace lumora {
namespace {

TEST(Resample, nearestModePicksTheTruncatedScaledSourcePixel) {
    // 100 x 50 to 64 x 64: the scales are 1.5625 and 0.78125.
    Image image = test::coordinateImage(100, 50);
    ASSERT_TRUE(image.Resample(64, 64, 1));
    ASSERT_EQ(image.GetWidth(), 64);
    ASSERT_EQ(image.GetHeight(), 64);
    EXPECT_EQ(image.GetBpp(), 24);
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const uint8_t* pixel = image.GetBits(y) + x * 3;
            ASSERT_EQ(pixel[0], static_cast<int>(x * 1.5625)) << x << "," << y;
            ASSERT_EQ(pixel[1], static_cast<int>(y * 0.78125)) << x << "," << y;
        }
    }
    // A few by hand: column 63 comes from 98, row 63 from 49, row 5 from 3.
    EXPECT_EQ(image.GetBits(0)[63 * 3], 98);
    EXPECT_EQ(image.GetBits(63)[1], 49);
    EXPECT_EQ(image.GetBits(5)[1], 3);
}

TEST(Resample, keepsDepthAndPaletteAndGoesToTheDestination) {
    Image grey = test::greyImage(10, 10, 33);
    grey.GetPalette()[33].rgbRed = 1;  // mark the palette
    Image destination;
    ASSERT_TRUE(grey.Resample(5, 20, 1, &destination));
    EXPECT_EQ(grey.GetWidth(), 10);  // the source stays
    EXPECT_EQ(destination.GetWidth(), 5);
    EXPECT_EQ(destination.GetHeight(), 20);
    EXPECT_EQ(destination.GetBpp(), 8);
    EXPECT_EQ(destination.GetPalette()[33].rgbRed, 1);
    EXPECT_EQ(destination.GetBits(19)[4], 33);
}

TEST(Resample, zeroSizeFailsAndTheSameSizeOnlyCopies) {
    Image image = test::coordinateImage(8, 6);
    EXPECT_FALSE(image.Resample(0, 6, 1));
    EXPECT_FALSE(image.Resample(8, 0, 1));
    EXPECT_EQ(image.GetWidth(), 8);
    Image destination;
    EXPECT_TRUE(image.Resample(8, 6, 1, &destination));
    EXPECT_EQ(destination.GetWidth(), 8);
    EXPECT_EQ(std::memcmp(destination.GetDib(), image.GetDib(), image.GetDibSize()), 0);
}

TEST(Resample, aSetEscapeFlagStopsItAndLeavesThePicture) {
    Image image = test::coordinateImage(40, 30);
    image.SetEscape(true);
    EXPECT_FALSE(image.Resample(20, 20, 1));
    EXPECT_FALSE(image.QIShrink(20, 20));
    EXPECT_EQ(image.GetWidth(), 40);
    image.SetEscape(false);
    EXPECT_TRUE(image.Resample(20, 20, 1));
    EXPECT_EQ(image.GetProgress(), 100);
}

TEST(Resample, alphaFollowsTheSizeChange) {
    Image image = test::coordinateImage(4, 4);
    ASSERT_TRUE(image.AlphaCreate());
    image.AlphaGetPointer()[3] = 7;  // bottom row, last column
    ASSERT_TRUE(image.Resample(8, 2, 1));
    ASSERT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.AlphaGetPointer()[6], 7);
    EXPECT_EQ(image.AlphaGetPointer()[7], 7);
    EXPECT_EQ(image.AlphaGetPointer()[5], 255);
}

TEST(QIShrink, refusesToEnlargeAndLeavesThePictureUnchanged) {
    Image image = test::coordinateImage(10, 8);
    const std::vector<uint8_t> before(image.GetDib(), image.GetDib() + image.GetDibSize());
    EXPECT_FALSE(image.QIShrink(11, 8));
    EXPECT_EQ(image.GetLastError(), "QIShrink can't enlarge image");
    EXPECT_FALSE(image.QIShrink(10, 9));
    const std::vector<uint8_t> after(image.GetDib(), image.GetDib() + image.GetDibSize());
    EXPECT_EQ(before, after);
}

TEST(QIShrink, averagesTheBoxesOfItsWalk) {
    // One row of 4 pixels to 2: the walk moves on only when the running sum
    // passes the width, so the first box holds three pixels.
    Image row = test::solidImage(4, 2, 0, 0, 0);
    const uint8_t blues[4] = {10, 20, 30, 100};
    for (int32_t y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) row.GetBits(y)[x * 3] = blues[x];
    }
    row.GetBits(1)[0] = 40;  // second row's first pixel
    ASSERT_TRUE(row.QIShrink(2, 1));
    ASSERT_EQ(row.GetWidth(), 2);
    ASSERT_EQ(row.GetHeight(), 1);
    EXPECT_EQ(row.GetBits(0)[0], (10 + 20 + 30 + 40 + 20 + 30) / 6);
    EXPECT_EQ(row.GetBits(0)[3], 100);
}

TEST(QIShrink, keepingTheWidthNeverDividesByZero) {
    // Halving only the height: the walk leaves the last column without
    // pixels, which then repeats its neighbour.
    Image image = test::coordinateImage(6, 4);
    ASSERT_TRUE(image.QIShrink(6, 2));
    ASSERT_EQ(image.GetWidth(), 6);
    const uint8_t* bottom = image.GetBits(0);
    EXPECT_EQ(bottom[0], 0);  // (0 + 1) / 2 in blue
    EXPECT_EQ(bottom[1], 0);  // rows 0 and 1 average to 0
    EXPECT_EQ(bottom[4 * 3], 5);
    EXPECT_EQ(bottom[5 * 3], bottom[4 * 3]);
    EXPECT_EQ(image.GetBits(1)[1], 2);  // rows 2 and 3
}

TEST(QIShrink, greyPicturesStayGrey) {
    Image image = test::greyImage(8, 8, 0);
    for (int32_t y = 0; y < 8; ++y) image.GetBits(y)[0] = 200;
    ASSERT_TRUE(image.QIShrink(2, 2));
    EXPECT_TRUE(image.IsGrayScale());
    EXPECT_EQ(image.GetBits(0)[0], 200 * 4 / 20);  // the first box is 5 x 4
}

}  // namespace
}  // namespace lumora
