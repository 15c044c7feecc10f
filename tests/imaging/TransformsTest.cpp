#include "imaging/Image.h"
#include "imaging/Orientation.h"
#include "tests/imaging/TestImages.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace lumora {
namespace {

std::vector<uint8_t> dibOf(const Image& image) {
    return std::vector<uint8_t>(image.GetDib(), image.GetDib() + image.GetDibSize());
}

TEST(GrayScale, weighsRedGreenAndBlueInTenBits) {
    struct Case {
        uint8_t red, green, blue, grey;
    };
    const Case cases[] = {
        {255, 0, 0, 76},   // (306 * 255) >> 10
        {0, 255, 0, 149},  // (601 * 255) >> 10
        {0, 0, 255, 29},   // (117 * 255) >> 10
        {255, 255, 255, 255}, {128, 128, 128, 128},
        {10, 20, 30, 18},  // (3060 + 12020 + 3510) >> 10
    };
    for (const Case& c : cases) {
        Image image = test::solidImage(3, 2, c.red, c.green, c.blue);
        ASSERT_TRUE(image.GrayScale());
        EXPECT_EQ(image.GetBpp(), 8);
        EXPECT_TRUE(image.IsGrayScale());
        EXPECT_EQ(image.GetBits(1)[2], c.grey)
            << int(c.red) << "," << int(c.green) << "," << int(c.blue);
    }
}

TEST(GrayScale, palettePicturesBecomeGreyValues) {
    Image image = test::greyImage(2, 2, 5);
    image.GetPalette()[5] = RgbQuad{0, 0, 255, 0};  // entry 5 is pure red
    ASSERT_FALSE(image.IsGrayScale());
    ASSERT_TRUE(image.GrayScale());
    EXPECT_TRUE(image.IsGrayScale());
    EXPECT_EQ(image.GetBits(0)[0], 76);
}

TEST(Negative, invertsBytesGreyIndicesOrPaletteEntries) {
    Image colour = test::solidImage(3, 3, 10, 20, 30);
    colour.SetBkgndColor(RgbQuad{1, 2, 3, 0});
    ASSERT_TRUE(colour.Negative());
    EXPECT_EQ(colour.GetPixelColor(2, 2), (RgbQuad{225, 235, 245, 0}));
    EXPECT_EQ(colour.GetBkgndColor(), (RgbQuad{254, 253, 252, 0}));

    Image grey = test::greyImage(3, 3, 40);
    ASSERT_TRUE(grey.Negative());
    EXPECT_EQ(grey.GetBits(1)[1], 215);
    EXPECT_TRUE(grey.IsGrayScale());

    Image palette = test::greyImage(3, 3, 7);
    palette.GetPalette()[7] = RgbQuad{100, 0, 50, 0};
    ASSERT_TRUE(palette.Negative());
    EXPECT_EQ(palette.GetBits(1)[1], 7);
    EXPECT_EQ(palette.GetPalette()[7], (RgbQuad{155, 255, 205, 0}));
}

TEST(Negative, twiceRestoresThePicture) {
    Image colour = test::coordinateImage(13, 7, 99);
    Image grey = test::greyImage(5, 9, 3);
    Image palette = test::greyImage(4, 4, 1);
    palette.GetPalette()[1] = RgbQuad{9, 8, 7, 0};
    for (Image* image : {&colour, &grey, &palette}) {
        const auto before = dibOf(*image);
        ASSERT_TRUE(image->Negative());
        EXPECT_NE(dibOf(*image), before);
        ASSERT_TRUE(image->Negative());
        EXPECT_EQ(dibOf(*image), before);
    }
}

TEST(Negative, withASelectionOnlySelectedPixelsChange) {
    Image image = test::solidImage(2, 1, 0, 0, 0);
    ASSERT_TRUE(image.SelectionCreate());
    image.SelectionGetPointer()[1] = 255;
    ASSERT_TRUE(image.Negative());
    EXPECT_EQ(image.GetPixelColor(0, 0), (RgbQuad{0, 0, 0, 0}));
    EXPECT_EQ(image.GetPixelColor(1, 0), (RgbQuad{255, 255, 255, 0}));
}

TEST(ImageCopy, isDeepAndHonoursItsFlags) {
    Image source = test::coordinateImage(6, 4, 1);
    source.AlphaCreate();
    source.SelectionCreate();
    source.SetTransIndex(3);
    Image copy;
    ASSERT_TRUE(copy.Copy(source));
    EXPECT_EQ(dibOf(copy), dibOf(source));
    EXPECT_TRUE(copy.HasAlpha());
    EXPECT_TRUE(copy.HasSelection());
    EXPECT_EQ(copy.GetTransIndex(), 3);
    copy.GetBits(0)[0] = 200;
    EXPECT_EQ(source.GetBits(0)[0], 0);

    Image bare;
    ASSERT_TRUE(bare.Copy(source, false, false, false));
    EXPECT_EQ(bare.GetWidth(), 6);
    EXPECT_EQ(bare.GetBits(0)[3], 0);  // pixels not copied
    EXPECT_FALSE(bare.HasAlpha());
    EXPECT_FALSE(bare.HasSelection());
}

TEST(ImageModel, aMovedFromImageIsEmpty) {
    Image source = test::coordinateImage(4, 3);
    Image target = std::move(source);
    EXPECT_EQ(target.GetWidth(), 4);
    EXPECT_TRUE(target.IsValid());
    EXPECT_FALSE(source.IsValid());  // NOLINT(bugprone-use-after-move): the state is defined
    EXPECT_EQ(source.GetWidth(), 0);
    EXPECT_EQ(source.GetBits(), nullptr);
}

TEST(ImageModel, rowsArePackedBottomUpBehindTheHeaderAndPalette) {
    Image image;
    EXPECT_FALSE(image.IsValid());
    EXPECT_EQ(image.GetBits(), nullptr);
    uint8_t* bits = image.Create(3, 2, 8, kFormatBmp);
    ASSERT_NE(bits, nullptr);
    EXPECT_EQ(image.GetDibSize(), 40u + 1024u + 2u * 4u);
    EXPECT_EQ(bits, image.GetDib() + 40 + 1024);
    EXPECT_EQ(image.GetBits(1), bits + 4);
    EXPECT_EQ(image.GetBits(2), nullptr);
    EXPECT_EQ(image.GetBits(-1), nullptr);
    EXPECT_EQ(image.GetDib()[0], 40);
    EXPECT_EQ(image.GetHeader().biSizeImage, 8u);
    image.Destroy();
    EXPECT_FALSE(image.IsValid());

    EXPECT_EQ(image.Create(20000, 10001, 24, kFormatBmp), nullptr);
    EXPECT_EQ(image.GetLastError(), "The image is too large");
    EXPECT_EQ(image.Create(0, 5, 24, kFormatBmp), nullptr);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// Which corner of the stored picture each upright corner comes from, as the
// orientation tag describes the stored first row and first column: 1 top and
// left, 2 top and right, 3 bottom and right, 4 bottom and left, 5 left and
// top, 6 right and top, 7 right and bottom, 8 left and bottom.
enum Corner { TopLeft, TopRight, BottomLeft, BottomRight };
struct Corners {
    Corner topLeft, topRight, bottomLeft, bottomRight;
};
constexpr Corners kStoredCorners[9] = {
    {TopLeft, TopRight, BottomLeft, BottomRight},  // 0: not recorded, as stored
    {TopLeft, TopRight, BottomLeft, BottomRight},     {TopRight, TopLeft, BottomRight, BottomLeft},
    {BottomRight, BottomLeft, TopRight, TopLeft},     {BottomLeft, BottomRight, TopLeft, TopRight},
    {TopLeft, BottomLeft, TopRight, BottomRight},     {BottomLeft, TopLeft, BottomRight, TopRight},
    {BottomRight, TopRight, BottomLeft, TopLeft},     {TopRight, BottomRight, TopLeft, BottomLeft},
};

// The colour at a corner, counted from the top-left like the scene.
RgbQuad cornerOf(const Image& image, Corner corner) {
    const int32_t right = image.GetWidth() - 1;
    const int32_t top = image.GetHeight() - 1;  // rows count from the bottom
    switch (corner) {
        case TopLeft: return image.GetPixelColor(0, top);
        case TopRight: return image.GetPixelColor(right, top);
        case BottomLeft: return image.GetPixelColor(0, 0);
        case BottomRight: return image.GetPixelColor(right, 0);
    }
    return {};
}

TEST(TurnUpright, everyOrientationBringsEachCornerUpAndKeepsEveryPixel) {
    for (int orientation = 0; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const Image stored = test::coordinateImage(5, 3, 7);
        Image upright = stored;
        ASSERT_TRUE(turnUpright(upright, orientation));
        const bool swaps = orientation >= 5;
        EXPECT_EQ(orientationSwapsSides(orientation), swaps);
        EXPECT_EQ(upright.GetWidth(), swaps ? 3 : 5);
        EXPECT_EQ(upright.GetHeight(), swaps ? 5 : 3);
        const Corners& from = kStoredCorners[orientation];
        EXPECT_EQ(cornerOf(upright, TopLeft), cornerOf(stored, from.topLeft));
        EXPECT_EQ(cornerOf(upright, TopRight), cornerOf(stored, from.topRight));
        EXPECT_EQ(cornerOf(upright, BottomLeft), cornerOf(stored, from.bottomLeft));
        EXPECT_EQ(cornerOf(upright, BottomRight), cornerOf(stored, from.bottomRight));
        // Each stored pixel shows exactly once.
        std::set<std::pair<int, int>> seen;
        for (int32_t y = 0; y < upright.GetHeight(); ++y) {
            for (int32_t x = 0; x < upright.GetWidth(); ++x) {
                const RgbQuad pixel = upright.GetPixelColor(x, y);
                EXPECT_EQ(pixel.rgbRed, 7);
                seen.insert({pixel.rgbBlue, pixel.rgbGreen});
            }
        }
        EXPECT_EQ(seen.size(), 15u);
    }
    // An undefined value shows the picture as stored; an empty one is refused.
    Image odd = test::coordinateImage(5, 3);
    ASSERT_TRUE(turnUpright(odd, 9));
    EXPECT_EQ(odd.GetPixelColor(4, 0), test::coordinateImage(5, 3).GetPixelColor(4, 0));
    Image empty;
    EXPECT_FALSE(turnUpright(empty, 6));
}

TEST(TurnUpright, greyPicturesKeepTheirPaletteAndAlphaTurnsWithThePixels) {
    Image grey = test::texturedImage(6, 4, true);
    ASSERT_TRUE(grey.AlphaCreate());
    grey.AlphaGetPointer()[0] = 9;  // the bottom-left pixel, stored
    const RgbQuad bottomLeft = grey.GetPixelColor(0, 0);
    ASSERT_TRUE(turnUpright(grey, 6));
    EXPECT_EQ(grey.GetBpp(), 8);
    EXPECT_TRUE(grey.IsGrayScale());
    // Turned a quarter clockwise, the stored bottom-left lands top-left.
    EXPECT_EQ(grey.GetPixelColor(0, grey.GetHeight() - 1), bottomLeft);
    EXPECT_EQ(grey.AlphaGetPointer()[static_cast<size_t>(grey.GetHeight() - 1) * grey.GetWidth()],
              9);
}

}  // namespace
}  // namespace lumora
