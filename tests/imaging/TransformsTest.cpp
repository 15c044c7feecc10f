#include "imaging/Image.h"
#include "tests/imaging/TestImages.h"

#include <gtest/gtest.h>

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
