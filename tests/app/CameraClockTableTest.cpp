// What the Camera clocks dialog shows and edits, without the dialog.
#include "app/CameraClockTable.h"

#include <gtest/gtest.h>

#include <cstring>

#include "albums/ClockOffsetText.h"
#include "catalog/DateTimeValue.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

PictureEntry shot(const std::string& name, const char* when, const char* make, const char* model) {
    PictureEntry picture = test::makePicture("/src/" + name, dateTimeValue(when));
    std::strcpy(picture.exif->CameraMake, make);
    std::strcpy(picture.exif->CameraModel, model);
    return picture;
}

class CameraClockTableTest : public ::testing::Test {
  protected:
    CameraClockTableTest() {
        pictures = {shot("n1.jpg", "2024:07:14 10:00:00", "NIKON", "E995"),
                    shot("c2.jpg", "2024:07:14 09:30:00", "Canon", "EOS 5D"),
                    shot("c1.jpg", "2024:07:14 09:00:00", "Canon", "EOS 5D")};
        setClockSeconds(inForce, CameraId{"NIKON", "E995"}, 600);
        // A camera whose pictures were all taken out as duplicates.
        setClockSeconds(inForce, CameraId{"Sony", "A7"}, -60);
        applyCameraClocks(inForce, pictures);
    }

    test::TzGuard zone{"UTC0"};
    PictureList pictures;
    CameraClocks inForce;
};

TEST_F(CameraClockTableTest, rowsShowTheTimesAsTheCorrectionsBeingSetGiveThem) {
    CameraClockTable table(pictures, inForce);
    ASSERT_EQ(table.size(), 2u);
    EXPECT_FALSE(table.changed());
    EXPECT_EQ(table.rowTexts(0, 1, 1),
              (std::vector<std::string>{"Canon/EOS 5D", "2 pictures", "[2024-07-14] [09 00 00]",
                                        "[2024-07-14] [09 30 00]", "+00:00:00"}));
    EXPECT_EQ(table.rowTexts(1, 1, 1),
              (std::vector<std::string>{"NIKON/E995", "1 picture", "[2024-07-14] ~[10 10 00]",
                                        "[2024-07-14] ~[10 10 00]", "+00:10:00"}));
    table.setSeconds(1, 0);
    EXPECT_EQ(table.rowTexts(1, 1, 1)[2], "[2024-07-14] [10 00 00]");
    EXPECT_TRUE(table.changed());
    // Nothing is in force until the corrections are handed on.
    EXPECT_EQ(pictures[0].dateTime, dateTimeValue("2024:07:14 10:10:00"));

    // The Sony's correction stays although no listed picture has its camera.
    CameraClocks expected;
    setClockSeconds(expected, CameraId{"Sony", "A7"}, -60);
    EXPECT_EQ(table.clocks(), expected);
}

TEST_F(CameraClockTableTest, matchingTakesTheOtherCamerasCorrectedTimeAsRight) {
    CameraClockTable table(pictures, inForce);
    const PictureList canon = table.picturesOf(0);
    ASSERT_EQ(test::paths(canon), (std::vector<std::string>{"/src/c1.jpg", "/src/c2.jpg"}));
    const PictureList nikon = table.picturesOf(1);
    ASSERT_EQ(nikon.size(), 1u);
    // c2 shows the moment of n1, whose camera is ten minutes ahead of its clock.
    table.match(0, canon[1], nikon[0]);
    EXPECT_EQ(table.seconds(0), 40 * 60);
    EXPECT_EQ(table.picturesOf(0)[1].dateTime, nikon[0].dateTime);

    // A match beyond a century is held at a century.
    PictureEntry ancient = shot("old.jpg", "1700:01:01 00:00:00", "NIKON", "E995");
    table.match(0, canon[0], ancient);
    EXPECT_EQ(table.seconds(0), -(kMaxClockDays * 86400 + 86399));
}

}  // namespace
}  // namespace lumora
