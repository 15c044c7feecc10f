#include "processing/TargetNames.h"

#include <gtest/gtest.h>

#include <cstring>

#include "catalog/DateTimeValue.h"
#include "tests/processing/ProcessFixture.h"

namespace lumora {
namespace {

using test::fileTimeAt;

TEST(FileTitle, takesTheNameUpToItsFirstDot) {
    const struct {
        const char* path;
        const char* title;
    } cases[] = {
        {"/photos/IMG_0042.JPG", "IMG_0042"},
        {"/photos/IMG.1.JPG", "IMG"},
        {"/photos/trip.2019/IMG_7.jpg", "IMG_7"},
        {"/photos.d/sub.x/noext", "noext"},
        {"/photos/.hidden.jpg", ""},
        {"IMG_1.jpg", "IMG_1"},
    };
    for (const auto& c : cases) EXPECT_EQ(fileTitle(c.path), c.title) << c.path;
}

TEST(AlbumFolders, followTheDirectoryNameAndSubFolderOptions) {
    Album album;
    album.id = 4;
    album.name = "Holiday";
    album.directoryName = "2019";
    album.createSubDirectory = 1;
    EXPECT_EQ(albumFolders(album, test::nativePath("/t")),
              (std::vector<std::string>{test::nativePath("/t/2019"),
                                        test::nativePath("/t/2019/Holiday")}));

    album.createSubDirectory = 0;
    EXPECT_EQ(albumFolders(album, test::nativePath("/t")),
              (std::vector<std::string>{test::nativePath("/t/2019")}));
    EXPECT_EQ(albumTargetFolder(album, test::nativePath("/t")), test::nativePath("/t/2019"));

    album.directoryName = "/";
    EXPECT_TRUE(albumFolders(album, test::nativePath("/t")).empty());
    EXPECT_EQ(albumTargetFolder(album, test::nativePath("/t")), test::nativePath("/t"));

    album.createSubDirectory = 1;
    EXPECT_EQ(albumFolders(album, test::nativePath("/t")),
              (std::vector<std::string>{test::nativePath("/t/Holiday")}));

    album.name.clear();
    EXPECT_EQ(albumFolders(album, test::nativePath("/t")),
              (std::vector<std::string>{test::nativePath("/t/Album.4")}));
    // The target text is taken as it stands: a trailing separator doubles.
    EXPECT_EQ(albumTargetFolder(album, test::nativePath("/t/")), test::nativePath("/t//Album.4"));
}

class TargetFileName : public ::testing::Test {
  protected:
    TargetFileName() {
        picture.path = "/src/trip.2019/IMG_0042.JPG";
        picture.dateTime = fileTimeAt(2005, 3, 4, 10, 20, 30);
        picture.exif = std::make_shared<ExifInfo>();
        picture.exif->pictureId = 17;
        album.id = 3;
        album.name = "Holiday";
    }

    std::string name(int dateFormat = 1, int timeFormat = 1) {
        return targetFileName(album, picture, dateFormat, timeFormat);
    }

    test::TzGuard zone{"UTC0"};
    Album album;
    PictureEntry picture;
};

TEST_F(TargetFileName, buildsTheNameFromTheFirstRuleThatApplies) {
    EXPECT_EQ(name(), "Holiday-17 [2005-03-04] [10 20 30].jpg");
    EXPECT_EQ(name(3, 2), "Holiday-17 [04 March 2005] [10 20 30 AM].jpg");

    album.name.clear();
    EXPECT_EQ(name(), "album3-17 [2005-03-04] [10 20 30].jpg");

    album.keepOriginalName = 1;
    album.addDate = 0;
    album.addTime = 0;
    EXPECT_EQ(name(), "IMG_0042.jpg");

    std::strcpy(picture.exif->customName, "Sunset on the pier");
    picture.exif->hasCustomName = 1;
    EXPECT_EQ(name(), "Sunset on the pier.jpg");
    album.addTime = 1;
    EXPECT_EQ(name(), "Sunset on the pier [10 20 30].jpg");
}

// The names the window's processing gives pictures read in Tokyo: the
// camera's own date and time.
TEST_F(TargetFileName, aPictureTakenInTokyoIsNamedByItsOwnTime) {
    test::TzGuard tokyo("JST-9");
    picture.dateTime = dateTimeValue("2024:03:15 10:00:00");
    EXPECT_EQ(name(), "Holiday-17 [2024-03-15] [10 00 00].jpg");
    EXPECT_EQ(name(2, 2), "Holiday-17 [15 03 2024] [10 00 00 AM].jpg");
    picture.dateTime = dateTimeValue("2024:03:15 00:30:00");
    EXPECT_EQ(name(), "Holiday-17 [2024-03-15] [00 30 00].jpg");
}

TEST_F(TargetFileName, keepsOutOfRangeFormatsAsEmptyBrackets) {
    album.addTime = 0;
    EXPECT_EQ(name(11, 1), "Holiday-17 [].jpg");
    album.addTime = 1;
    album.addDate = 0;
    EXPECT_EQ(name(1, 0), "Holiday-17 [].jpg");
}

TEST_F(TargetFileName, readsACustomNameThatFillsItsWholeField) {
    std::memset(picture.exif->customName, 'x', sizeof picture.exif->customName);
    picture.exif->hasCustomName = 1;
    album.addDate = 0;
    album.addTime = 0;
    EXPECT_EQ(name(), std::string(sizeof picture.exif->customName, 'x') + ".jpg");
}

TEST_F(TargetFileName, addsTheCameraModelAfterTheDateAndTimeWhenChosen) {
    std::strcpy(picture.exif->CameraModel, "Canon PowerShot S45");
    EXPECT_EQ(name(), "Holiday-17 [2005-03-04] [10 20 30].jpg") << "not chosen";

    album.addCameraModel = 1;
    EXPECT_EQ(name(), "Holiday-17 [2005-03-04] [10 20 30] [Canon PowerShot S45].jpg");
    album.addDate = 0;
    album.addTime = 0;
    EXPECT_EQ(name(), "Holiday-17 [Canon PowerShot S45].jpg");

    const struct {
        const char* model;
        const char* part;
    } cases[] = {
        {"  E-M1MarkII    ", " [E-M1MarkII]"},  // padding spaces go
        {"DSC/F717:x?", " [DSC_F717_x_]"},      // characters no file name may hold
        {"a<b>c\"d|e*f\\g\th", " [a_b_c_d_e_f_g_h]"},
        {"Coolpix 5.0 (EU)", " [Coolpix 5.0 (EU)]"},
        {"", ""},
        {"      ", ""},
    };
    for (const auto& c : cases) {
        std::memset(picture.exif->CameraModel, 0, sizeof picture.exif->CameraModel);
        std::strcpy(picture.exif->CameraModel, c.model);
        EXPECT_EQ(name(), "Holiday-17" + std::string(c.part) + ".jpg") << c.model;
    }
    // A model that fills its whole field.
    std::memset(picture.exif->CameraModel, 'M', sizeof picture.exif->CameraModel);
    EXPECT_EQ(name(),
              "Holiday-17 [" + std::string(sizeof picture.exif->CameraModel, 'M') + "].jpg");
    // A custom name takes it too, as it takes the date and the time.
    std::strcpy(picture.exif->customName, "Pier");
    picture.exif->hasCustomName = 1;
    std::memset(picture.exif->CameraModel, 0, sizeof picture.exif->CameraModel);
    std::strcpy(picture.exif->CameraModel, "X100");
    EXPECT_EQ(name(), "Pier [X100].jpg");
}

}  // namespace
}  // namespace lumora
