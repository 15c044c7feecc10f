#include "albums/FilmLabel.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/albums/TestPictures.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

// 2005-03-04 10:20:30 UTC.
constexpr uint64_t kMarch4th = (1109931630LL + kFileTimeUnixEpochSeconds) * kFileTimeTicksPerSecond;

TEST(FileTitle, stopsAtTheFirstFullStopAfterTheLastSeparator) {
    EXPECT_EQ(fileTitle("/photos/2005.03 trip/IMG_0042.JPG"), "IMG_0042");
    EXPECT_EQ(fileTitle("/photos/a.b.c.jpg"), "a");
    EXPECT_EQ(fileTitle("/photos/noextension"), "noextension");
    EXPECT_EQ(fileTitle("bare.jpg"), "bare");
    EXPECT_EQ(fileTitle("/photos/"), "");
}

class FilmLabelTest : public ::testing::Test {
  protected:
    FilmLabelTest() : picture(test::makePicture("/photos/2005.03 trip/IMG_0042.JPG", kMarch4th)) {
        std::strcpy(picture.exif->CameraMake, "NIKON");
        std::strcpy(picture.exif->CameraModel, "E995");
    }

    test::TzGuard zone{"UTC0"};
    PictureEntry picture;
};

TEST_F(FilmLabelTest, nameDateAndCamera) {
    EXPECT_EQ(filmLabel(3, picture, 1, 1), "3.IMG_0042.[2005-03-04] [10 20 30]\nNIKON/E995");
    EXPECT_EQ(filmLabel(12, picture, 5, 2), "12.IMG_0042.[04 Mar 2005] [10 20 30 AM]\nNIKON/E995");
}

TEST_F(FilmLabelTest, substitutedDatesAreStarred) {
    picture.exif->dateSubstituted = 1;
    EXPECT_EQ(filmLabel(1, picture, 1, 1), "1.IMG_0042.**[2005-03-04]*[10 20 30]**\nNIKON/E995");
}

TEST_F(FilmLabelTest, customNameReplacesTheFileTitle) {
    picture.exif->hasCustomName = 1;
    std::strcpy(picture.exif->customName, "Sunset");
    EXPECT_EQ(filmLabelName(7, picture), "7.Sunset");
    picture.exif->hasCustomName = 0;
    EXPECT_EQ(filmLabelName(7, picture), "7.IMG_0042");
}

TEST_F(FilmLabelTest, outOfRangeFormatsShowEmptyBrackets) {
    EXPECT_EQ(filmLabel(1, picture, 11, 0), "1.IMG_0042.[] []\nNIKON/E995");
}

}  // namespace
}  // namespace lumora
