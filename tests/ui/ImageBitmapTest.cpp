#include "imaging/ImageBitmap.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

// A distinct colour for every pixel, counted from the top left.
QRgb colourAt(int x, int y) {
    return qRgb(40 + 60 * x, 10 + 100 * y, 250 - 30 * x - 70 * y);
}

// A 24-bit picture whose pixel (x, y from the top) has colourAt(x, y). Its
// width of 3 pads every stored row by 3 bytes.
Image colouredPicture(int width, int height) {
    Image image;
    image.Create(width, height, 24, kFormatBmp);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const QRgb colour = colourAt(x, y);
            row[3 * x] = static_cast<uint8_t>(qBlue(colour));
            row[3 * x + 1] = static_cast<uint8_t>(qGreen(colour));
            row[3 * x + 2] = static_cast<uint8_t>(qRed(colour));
        }
    }
    return image;
}

TEST(MakeBitmap, aTwentyFourBitPictureComesOutUprightInItsColours) {
    Image image = colouredPicture(3, 2);
    const QImage bitmap = makeBitmap(image);
    ASSERT_EQ(bitmap.size(), QSize(3, 2));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(bitmap.pixel(x, y), colourAt(x, y)) << x << "," << y;
    }
    // The bitmap is a copy: the picture can change or go.
    image.GetBits(1)[0] = 0;
    image.Destroy();
    EXPECT_EQ(bitmap.pixel(0, 0), colourAt(0, 0));
}

TEST(MakeBitmap, anEightBitPictureTakesItsColoursFromItsPalette) {
    Image image;
    image.Create(2, 2, 8, kFormatBmp);
    RgbQuad* palette = image.GetPalette();
    palette[1] = RgbQuad{0, 0, 255, 0};  // red
    palette[2] = RgbQuad{255, 0, 0, 0};  // blue
    palette[3] = RgbQuad{0, 128, 0, 0};  // green
    image.GetBits(1)[0] = 1;             // top left
    image.GetBits(1)[1] = 2;             // top right
    image.GetBits(0)[0] = 3;             // bottom left
    image.GetBits(0)[1] = 200;           // bottom right: a grey entry
    const QImage bitmap = makeBitmap(image);
    ASSERT_EQ(bitmap.size(), QSize(2, 2));
    EXPECT_EQ(bitmap.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(bitmap.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(bitmap.pixel(0, 1), qRgb(0, 128, 0));
    EXPECT_EQ(bitmap.pixel(1, 1), qRgb(200, 200, 200));

    EXPECT_TRUE(makeBitmap(Image()).isNull());
}

class DrawTest : public ::testing::Test {
  protected:
    DrawTest() : canvas(8, 6, QImage::Format_RGB32) { canvas.fill(kBackground); }

    void drawInto(const QImage& bitmap, const QRect& target) {
        QPainter painter(&canvas);
        draw(painter, bitmap, target);
    }

    static constexpr QRgb kBackground = qRgb(255, 255, 255);
    QImage canvas;
};

TEST_F(DrawTest, atItsOwnSizeEveryPixelLandsInTheTarget) {
    drawInto(makeBitmap(colouredPicture(3, 2)), QRect(2, 1, 3, 2));
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) EXPECT_EQ(canvas.pixel(2 + x, 1 + y), colourAt(x, y));
    }
    EXPECT_EQ(canvas.pixel(1, 1), kBackground);
    EXPECT_EQ(canvas.pixel(5, 1), kBackground);
    EXPECT_EQ(canvas.pixel(2, 3), kBackground);
}

// Each target pixel takes the source pixel at the floor of its scaled
// coordinates: shrinking three columns to two takes columns 0 and 1.
TEST_F(DrawTest, scaledItTakesThePixelAtTheFloorOfTheScaledCoordinates) {
    const QImage bitmap = makeBitmap(colouredPicture(3, 2));
    drawInto(bitmap, QRect(0, 0, 2, 1));
    EXPECT_EQ(canvas.pixel(0, 0), colourAt(0, 0));
    EXPECT_EQ(canvas.pixel(1, 0), colourAt(1, 0));
    EXPECT_EQ(canvas.pixel(2, 0), kBackground);

    drawInto(bitmap, QRect(0, 2, 6, 4));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) EXPECT_EQ(canvas.pixel(x, 2 + y), colourAt(x / 2, y / 2));
    }
}

TEST_F(DrawTest, nothingIsDrawnForANullBitmapOrAnEmptyTarget) {
    drawInto(QImage(), QRect(0, 0, 8, 6));
    drawInto(makeBitmap(colouredPicture(3, 2)), QRect(0, 0, 0, 6));
    drawInto(makeBitmap(colouredPicture(3, 2)), QRect(0, 0, 8, 0));
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) EXPECT_EQ(canvas.pixel(x, y), kBackground);
    }
}

}  // namespace
}  // namespace lumora
