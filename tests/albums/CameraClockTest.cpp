// Camera clock corrections: the offset texts, the corrected times every
// use reads, and how the film and Picture Info show a corrected time.
#include "albums/CameraClock.h"

#include <gtest/gtest.h>

#include <cstring>

#include "albums/CameraSummary.h"
#include "albums/ClockOffsetText.h"
#include "albums/CustomName.h"
#include "albums/FilmLabel.h"
#include "albums/PictureInfoText.h"
#include "albums/PictureSort.h"
#include "catalog/DateTimeValue.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

PictureEntry shot(const std::string& path, const char* when, const char* make, const char* model) {
    PictureEntry picture = test::makePicture(path, dateTimeValue(when));
    std::strcpy(picture.exif->DateTime, when);
    std::strcpy(picture.exif->CameraMake, make);
    std::strcpy(picture.exif->CameraModel, model);
    return picture;
}

TEST(ClockOffsetText, readsSignDaysHoursMinutesAndSeconds) {
    EXPECT_EQ(parseClockOffset("+01:04:30"), 3870);
    EXPECT_EQ(parseClockOffset("01:04"), 3840);
    EXPECT_EQ(parseClockOffset("-1d02:00"), -(86400 + 7200));
    EXPECT_EQ(parseClockOffset("3d0:0:5"), 3 * 86400 + 5);
    EXPECT_EQ(parseClockOffset("-00:00"), 0);
    EXPECT_EQ(parseClockOffset("+36524d23:59:59"), 36524LL * 86400 + 86399);
    for (const char* bad : {"", "+", "1", "01", "24:00", "01:60", "01:00:60", "01:00:", "1d",
                            "d01:00", "+-01:00", "01:00:00:00", "1x01:00", "001:00", "36525d00:00",
                            "99999999999d00:00", " 01:00", "01:00 "}) {
        EXPECT_EQ(parseClockOffset(bad), std::nullopt) << bad;
    }
}

TEST(ClockOffsetText, writesWhatItReads) {
    EXPECT_EQ(clockOffsetText(3870), "+01:04:30");
    EXPECT_EQ(clockOffsetText(-(86400 + 7200)), "-1d02:00:00");
    EXPECT_EQ(clockOffsetText(0), "+00:00:00");
    for (int64_t seconds : {int64_t{1}, int64_t{-59}, int64_t{86399}, int64_t{-3 * 86400 - 61},
                            int64_t{36524LL * 86400 + 86399}}) {
        EXPECT_EQ(parseClockOffset(clockOffsetText(seconds)), seconds);
        EXPECT_EQ(clockOffsetSeconds(clockOffsetParts(seconds)), seconds);
    }
}

TEST(CameraClock, aCorrectionMovesOnlyItsCameraAndIsAlwaysTakenFromTheCameraTime) {
    PictureList pictures = {shot("/a.jpg", "2024:07:14 23:30:00", "NIKON ", "E995  "),
                            shot("/b.jpg", "2024:07:14 23:30:00", "Canon", "EOS 5D")};
    const uint64_t written = pictures[0].dateTime;
    CameraClocks clocks;
    // The padding cameras write is no part of the camera.
    setClockSeconds(clocks, CameraId{"NIKON", "E995"}, 3600);
    applyCameraClocks(clocks, pictures);
    EXPECT_EQ(pictures[0].dateTime, dateTimeValue("2024:07:15 00:30:00"));
    EXPECT_EQ(pictures[0].clockOffset, 3600 * kTicksPerSecond);
    EXPECT_EQ(cameraValue(pictures[0]), written);
    EXPECT_EQ(pictures[1].dateTime, written);
    EXPECT_EQ(pictures[1].clockOffset, 0);

    // A changed correction replaces the old one rather than adding to it.
    setClockSeconds(clocks, CameraId{"NIKON", "E995"}, -1800);
    applyCameraClocks(clocks, pictures);
    EXPECT_EQ(pictures[0].dateTime, dateTimeValue("2024:07:14 23:00:00"));
    setClockSeconds(clocks, CameraId{"NIKON", "E995"}, 0);
    EXPECT_TRUE(clocks.empty());
    applyCameraClocks(clocks, pictures);
    EXPECT_EQ(pictures[0].dateTime, written);
    EXPECT_EQ(pictures[0].clockOffset, 0);
}

TEST(CameraClock, correctedValuesStayWithinWhatAValueCanHold) {
    PictureList pictures = {shot("/a.jpg", "1601:01:01 00:00:10", "A", "B"),
                            shot("/b.jpg", "9999:12:31 23:00:00", "A", "C")};
    CameraClocks clocks;
    setClockSeconds(clocks, CameraId{"A", "B"}, -3600);
    setClockSeconds(clocks, CameraId{"A", "C"}, 2 * 86400);
    applyCameraClocks(clocks, pictures);
    // 0 would be a range end that is not set.
    EXPECT_EQ(pictures[0].dateTime, 1u);
    EXPECT_EQ(pictures[1].dateTime, dateTimeValue("9999:12:31 23:59:59"));
    // What the clamp added is what is taken away again.
    applyCameraClocks(CameraClocks{}, pictures);
    EXPECT_EQ(pictures[0].dateTime, dateTimeValue("1601:01:01 00:00:10"));
    EXPECT_EQ(pictures[1].dateTime, dateTimeValue("9999:12:31 23:00:00"));
}

// Two bodies an hour and four minutes apart: matched on one moment both
// took, their pictures interleave as they were taken.
TEST(CameraClock, matchingTwoPicturesOfOneMomentInterleavesTheCameras) {
    PictureList pictures = {
        shot("/n1.jpg", "2024:07:14 10:00:00", "NIKON", "E995"),
        shot("/n2.jpg", "2024:07:14 10:20:00", "NIKON", "E995"),
        shot("/n3.jpg", "2024:07:14 10:40:00", "NIKON", "E995"),
        // The Canon is 1:04:30 behind: its 08:55:30 was the Nikon's 10:00:00.
        shot("/c1.jpg", "2024:07:14 08:55:30", "Canon", "EOS 5D"),
        shot("/c2.jpg", "2024:07:14 09:05:30", "Canon", "EOS 5D"),
        shot("/c3.jpg", "2024:07:14 09:25:30", "Canon", "EOS 5D"),
    };
    sortPictures(pictures, kSortByDate, false);
    EXPECT_EQ(test::paths(pictures), (std::vector<std::string>{"/c1.jpg", "/c2.jpg", "/c3.jpg",
                                                               "/n1.jpg", "/n2.jpg", "/n3.jpg"}));
    const int64_t seconds = matchingClockSeconds(pictures[0], pictures[3]);
    EXPECT_EQ(seconds, 3870);
    EXPECT_EQ(matchingClockSeconds(pictures[3], pictures[0]), -3870);
    CameraClocks clocks;
    setClockSeconds(clocks, cameraOf(pictures[0]), seconds);
    applyCameraClocks(clocks, pictures);
    sortPictures(pictures, kSortByDate, false);
    EXPECT_EQ(test::paths(pictures), (std::vector<std::string>{"/c1.jpg", "/n1.jpg", "/c2.jpg",
                                                               "/n2.jpg", "/c3.jpg", "/n3.jpg"}));
    // Matched again on a corrected picture, the correction does not grow.
    EXPECT_EQ(matchingClockSeconds(pictures[0], pictures[1]), 3870);
}

TEST(CameraClock, aCorrectedTimeIsMarkedOnTheFilmAndInPictureInfo) {
    test::TzGuard zone{"UTC0"};
    PictureEntry picture = shot("/photos/IMG_0042.JPG", "2005:03:04 10:20:30", "NIKON", "E995");
    PictureList list = {picture};
    EXPECT_EQ(filmLabel(3, list[0], 1, 1), "3.IMG_0042.[2005-03-04] [10 20 30]\nNIKON/E995");
    const std::vector<std::string> plain = pictureInfoLines(list[0], 1, 1);
    EXPECT_EQ(plain, pictureInfoLines(*picture.exif, picture.dateTime, 1, 1));

    CameraClocks clocks;
    setClockSeconds(clocks, cameraOf(list[0]), 14 * 3600);
    applyCameraClocks(clocks, list);
    EXPECT_EQ(filmLabel(3, list[0], 1, 1), "3.IMG_0042.[2005-03-05] ~[00 20 30]\nNIKON/E995");
    EXPECT_EQ(editedFilmLabel(3, list[0], 1, 1), "3.IMG_0042.[2005-03-05] ~[00 20 30]\nNIKON/E995");
    list[0].exif->dateSubstituted = 1;
    EXPECT_EQ(filmLabel(1, list[0], 1, 1), "1.IMG_0042.**[2005-03-05]*~[00 20 30]**\nNIKON/E995");
    list[0].exif->dateSubstituted = 0;

    const std::vector<std::string> lines = pictureInfoLines(list[0], 1, 1);
    ASSERT_EQ(lines.size(), plain.size());
    EXPECT_EQ(lines[2], "Date: [2005-03-05] (camera: [2005-03-04])");
    EXPECT_EQ(lines[3], "Time: [00 20 30] (camera: [10 20 30])");
    for (size_t i = 4; i < lines.size(); ++i) EXPECT_EQ(lines[i], plain[i]);
}

TEST(CameraSummary, countsEachCameraWithTheFirstAndLastTimeItWrote) {
    PictureList pictures = {shot("/a.jpg", "2024:07:14 10:00:00", "NIKON", "E995"),
                            shot("/b.jpg", "2024:07:12 09:00:00", "NIKON", "E995"),
                            shot("/c.jpg", "2024:07:13 08:00:00", "Canon", "EOS 5D")};
    CameraClocks clocks;
    setClockSeconds(clocks, CameraId{"NIKON", "E995"}, 86400);
    applyCameraClocks(clocks, pictures);
    const std::vector<CameraSummary> cameras = cameraSummaries(pictures);
    ASSERT_EQ(cameras.size(), 2u);
    EXPECT_EQ(cameras[0].camera, (CameraId{"Canon", "EOS 5D"}));
    EXPECT_EQ(cameras[0].pictureCount, 1);
    EXPECT_EQ(cameras[1].camera, (CameraId{"NIKON", "E995"}));
    EXPECT_EQ(cameras[1].pictureCount, 2);
    EXPECT_EQ(cameras[1].first, dateTimeValue("2024:07:12 09:00:00"));
    EXPECT_EQ(cameras[1].last, dateTimeValue("2024:07:14 10:00:00"));
}

TEST(CameraSummary, aCameraIsFoundByItsModelOrByMakeAndModel) {
    const std::vector<CameraSummary> cameras =
        cameraSummaries({shot("/a.jpg", "2024:07:14 10:00:00", "NIKON", "E995"),
                         shot("/b.jpg", "2024:07:14 10:00:00", "Canon", "PowerShot"),
                         shot("/c.jpg", "2024:07:14 10:00:00", "Kodak", "PowerShot")});
    CameraId camera;
    std::string problem;
    ASSERT_TRUE(findCamera(cameras, "E995", camera, problem));
    EXPECT_EQ(camera, (CameraId{"NIKON", "E995"}));
    ASSERT_TRUE(findCamera(cameras, "E995  ", camera, problem));
    ASSERT_TRUE(findCamera(cameras, "Kodak/PowerShot", camera, problem));
    EXPECT_EQ(camera, (CameraId{"Kodak", "PowerShot"}));

    EXPECT_FALSE(findCamera(cameras, "PowerShot", camera, problem));
    EXPECT_EQ(problem,
              "the model 'PowerShot' is made by more than one maker; give MAKE/MODEL: "
              "'Canon/PowerShot', 'Kodak/PowerShot'");
    EXPECT_FALSE(findCamera(cameras, "D70", camera, problem));
    EXPECT_EQ(problem,
              "no picture was taken with the camera 'D70'; the cameras are 'Canon/PowerShot', "
              "'Kodak/PowerShot', 'NIKON/E995'");
}

}  // namespace
}  // namespace lumora
