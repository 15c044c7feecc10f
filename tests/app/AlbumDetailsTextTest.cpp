#include "app/AlbumDetailsText.h"

#include <gtest/gtest.h>

#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

uint64_t utcValue(int64_t unixSeconds) {
    return unixToFileTime(unixSeconds);
}

constexpr int64_t kMarch4th102030 = 1109931630;  // 2005-03-04 10:20:30 UTC
const std::string kTarget = test::nativePath("/target");

class AlbumDetailsTextTest : public ::testing::Test {
  protected:
    AlbumDetailsTextTest() {
        album.name = "Trip";
        album.id = 1;
        album.pictureCount = 12;
        album.sizeMB = 7.5f;
        album.startTime = album.startKey = utcValue(kMarch4th102030);
        album.endTime = album.endKey = utcValue(kMarch4th102030 + 86400 + 3600);
        album.directoryName = "2005";
    }
    Lines lines() { return albumDetailsLines(album, kTarget, 1, 1); }
    // The lines after "Use filters: ...".
    Lines criterionLines() {
        const Lines all = lines();
        return Lines(all.begin() + 11, all.end());
    }

    test::TzGuard zone{"UTC0"};
    Album album;
};

TEST_F(AlbumDetailsTextTest, everyLineOfANewlySavedAlbum) {
    EXPECT_EQ(lines(), (Lines{
                           "Name: Trip",
                           "In album: 12 pictures",
                           "Size: 7.50MB",
                           "Start date: [2005-03-04]/[10 20 30]",
                           "End date: [2005-03-05]/[11 20 30]",
                           "Album status: Not processed yet",
                           test::nativePath("Album root: /target/2005"),
                           test::nativePath("Album Path: /target/2005/Trip"),
                           "Keep Original Name: No",
                           "Add to name: Date  Time ",
                           "Use filters: No",
                           "Camera: All",
                       }));
}

TEST_F(AlbumDetailsTextTest, sameDayShowsOnlyTheEndTime) {
    album.endTime = utcValue(kMarch4th102030 + 60);
    album.pictureCount = 1;
    const Lines all = lines();
    EXPECT_EQ(all[1], "In album: 1 picture");
    EXPECT_EQ(all[4], "End date: [10 21 30]");
}

TEST_F(AlbumDetailsTextTest, albumRootAndPathFollowTheDirectoryName) {
    struct Case {
        const char* directory;
        int createSubDirectory;
        const char* root;
        const char* path;
    };
    const Case cases[] = {
        {"/", 1, "Album root: /target", "Album Path: /target//Trip"},
        {"/sub", 1, "Album root: /target/sub", "Album Path: /target/sub/Trip"},
        {"sub", 1, "Album root: /target/sub", "Album Path: /target/sub/Trip"},
        {"sub", 0, "Album root: /target/sub", "Album Path: /target"},
        {"", 1, "Album root: /target/", "Album Path: /target//Trip"},
    };
    for (const Case& c : cases) {
        album.directoryName = test::nativePath(c.directory);
        album.createSubDirectory = c.createSubDirectory;
        const Lines all = lines();
        EXPECT_EQ(all[6], test::nativePath(c.root)) << c.directory;
        EXPECT_EQ(all[7], test::nativePath(c.path)) << c.directory;
    }
}

TEST_F(AlbumDetailsTextTest, statusNamingOptionsAndCamera) {
    album.processed = 1;
    album.keepOriginalName = 1;
    album.addCameraModel = 1;
    album.filter.cameraMake = "Canon";
    album.filter.cameraModel = "EOS 10D";
    Lines all = lines();
    EXPECT_EQ(all[5], "Album status: Processed");
    EXPECT_EQ(all[8], "Keep Original Name: Yes");
    EXPECT_EQ(all[9], "Add to name: Camera  Date  Time ");
    EXPECT_EQ(Lines(all.begin() + 10, all.end()),
              (Lines{"Use filters: No", "Camera: Canon", "Model: EOS 10D"}));

    album.addCameraModel = album.addDate = album.addTime = 0;
    album.filter.cameraMake = "";
    album.filter.cameraModel = "";
    all = lines();
    EXPECT_EQ(all[9], "Add to name: None");
    EXPECT_EQ(all.back(), "Use filters: No");
}

TEST_F(AlbumDetailsTextTest, criteriaAreListedOnlyWithFiltersOnAndInTableOrder) {
    FilterSettings& f = album.filter;
    f.cameraMake = "";
    f.useSize = f.useAperture = f.useDistance = f.useResolution = f.useExposureBias = 1;
    f.useExposureProgram = f.useExposureTime = f.useFocalLength = f.useFlash = f.useIso = 1;
    f.useMeteringMode = f.useWhiteBalance = 1;
    f.widthMax = 640;
    f.widthMin = 320;
    f.apertureMax = 2.8f;
    f.apertureMin = 5.6f;
    f.distanceMax = 0.0f;
    f.distanceMin = 3.0f;  // inactive whatever its lower bound
    f.xResolutionMax = f.xResolutionMin = 72.0f;
    f.exposureBiasMax = 0.5f;
    f.exposureBiasMin = -1.0f;
    f.exposureProgram = 3;
    f.exposureTimeMax = 2.0f;
    f.exposureTimeMin = 1.0f / 60.0f;
    f.focalLengthMax = f.focalLengthMin = 50.0f;
    f.flashUsed = 1;
    f.isoMax = 400;
    f.isoMin = 100;
    f.meteringMode = 255;
    f.whiteBalance = 10;

    EXPECT_EQ(lines().back(), "Use filters: No");  // nothing while filters are off

    f.advancedEnabled = 1;
    EXPECT_EQ(criterionLines(), (Lines{
                                    "Max Width: 640",
                                    "Min Width: 320",
                                    "Max ApertureFNumber: f/2.8",
                                    "Min ApertureFNumber: f/5.6",
                                    "Focal Distance: Not activated",
                                    "X,Y resolution: 72",
                                    "Max Exposure Bias: 0.50",
                                    "Min Exposure Bias: -1.00",
                                    "Exposure program: aperture priority (semi-auto)",
                                    "Max Exposure Time:  2.000s",
                                    "Min Exposure Time: (1/60)~ 0.017s",
                                    "Focal Lenght: 50.0mm",
                                    "Flash Used: Yes",
                                    "Max ISO: 400",
                                    "Min ISO: 100",
                                    "Metering Mode: unkown",
                                    "White Balance: cloudy",
                                }));
}

TEST_F(AlbumDetailsTextTest, enumeratedCriteriaWithoutAValue) {
    FilterSettings& f = album.filter;
    f.cameraMake = "";
    f.advancedEnabled = 1;
    f.useExposureProgram = f.useFlash = f.useMeteringMode = f.useWhiteBalance = 1;
    EXPECT_EQ(criterionLines(), (Lines{"Exposure Program: Not activated", "Flash Used: All",
                                       "Metering Mode: All", "White Balance: All"}));
    f.exposureProgram = 0;
    f.flashUsed = 0;
    f.meteringMode = 3;
    f.whiteBalance = 1;
    f.useSize = 1;
    EXPECT_EQ(criterionLines(),
              (Lines{"Width: Not activated", "Exposure Program: All", "Flash Used: No",
                     "Metering Mode: spot", "White Balance: sunny"}));
}

// The companions the scan noted, with the sizes they have when the details
// are shown; the line stays away while there are none.
TEST_F(AlbumDetailsTextTest, companionFilesAreCountedAfterTheSizeWhenThereAreAny) {
    test::TempDir dir;
    PictureList pictures(3);
    pictures[0].path = dir.file("DCIM/IMG_0001.JPG");
    pictures[0].albumId = album.id;
    pictures[0].companions = {"IMG_0001.CR2", "IMG_0001.JPG.xmp"};
    pictures[1].path = dir.file("DCIM/IMG_0002.JPG");
    pictures[1].albumId = album.id + 1;  // another album's
    pictures[1].companions = {"IMG_0002.CR2"};
    pictures[2].path = dir.file("DCIM/IMG_0003.JPG");
    pictures[2].albumId = album.id;
    pictures[2].companions = {"IMG_0003.MOV"};
    dir.writeFile("DCIM/IMG_0001.CR2", std::string(1572864, 'r'));  // 1.5 MB
    dir.writeFile("DCIM/IMG_0001.JPG.xmp", std::string(524288, 'x'));
    dir.writeFile("DCIM/IMG_0002.CR2", std::string(1048576, 'r'));
    dir.writeFile("DCIM/IMG_0003.MOV", std::string(1048576, 'm'));

    const CompanionTally tally = albumCompanions(pictures, album.id, realFileSystem());
    EXPECT_EQ(tally.files, 3);
    const Lines withThem = albumDetailsLines(album, kTarget, 1, 1, tally);
    ASSERT_EQ(withThem.size(), lines().size() + 1);
    EXPECT_EQ(withThem[2], "Size: 7.50MB");
    EXPECT_EQ(withThem[3], "Companions: 3 files (3.00MB)");
    EXPECT_EQ(withThem[4], "Start date: [2005-03-04]/[10 20 30]");
    EXPECT_EQ(albumDetailsLines(album, kTarget, 1, 1, CompanionTally{}), lines());
}

}  // namespace
}  // namespace lumora
