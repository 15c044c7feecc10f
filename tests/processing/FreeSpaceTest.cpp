#include "processing/FreeSpace.h"

#include <gtest/gtest.h>

#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::FaultyFileSystem;
using test::RecordingSink;
using test::ScriptedPrompter;

constexpr uint64_t kMegabyte = uint64_t{1} << 20;

class FreeSpaceTest : public ::testing::Test {
  protected:
    FreeSpaceTest() {
        fs.setDriveHook([this](const std::string& path) {
            if (path == "/target") return targetDrive;
            return pictureDrive;
        });
        albums.resize(2);
        albums[0].sizeMB = 10.0f;
        albums[1].sizeMB = 2.5f;
        pictures.resize(3);
        pictures[0].path = "/source/IMG_1.JPG";
        pictures[0].fileSize = 3 * kMegabyte;
        pictures[1].fileSize = 4 * kMegabyte;
        // Only the low 32 bits of a size count.
        pictures[2].fileSize = (uint64_t{1} << 32) + kMegabyte;
    }

    FreeSpaceCheck check(uint64_t freeBytes, int moveMode = 0) {
        fs.setFreeBytes(freeBytes);
        return checkFreeSpace(albums, pictures, "/target", moveMode, fs, prompter, upper, lower);
    }

    FaultyFileSystem fs;
    std::string targetDrive = "C";
    std::string pictureDrive = "C";
    AlbumList albums;
    PictureList pictures;
    ScriptedPrompter prompter;
    RecordingSink upper, lower;
};

TEST_F(FreeSpaceTest, copyNeedsTheUnprocessedAlbumsAndAFiveMegabyteMargin) {
    FreeSpaceCheck result = check(20 * kMegabyte);
    EXPECT_FLOAT_EQ(result.requiredMB, 12.5f);
    EXPECT_TRUE(result.processEnabled);
    EXPECT_EQ(result.firstStatus, "Checking for free space... Found enough space on C:(20.000MB)");
    EXPECT_EQ(result.secondStatus, "Press 'Process' to create albums. (By copy)");
    EXPECT_EQ(upper.statuses,
              (std::vector<std::string>{"Checking for free space...", result.firstStatus}));
    EXPECT_EQ(lower.last(), result.secondStatus);

    result = check(15 * kMegabyte);
    EXPECT_FALSE(result.processEnabled);
    EXPECT_EQ(result.firstStatus, "Checking for free space... Not enough space on C:(15.000MB)");
    EXPECT_EQ(result.secondStatus, "Please free 2.50MB aditionl space on C:");

    // Exactly the margin is enough.
    EXPECT_TRUE(check(17 * kMegabyte + kMegabyte / 2).processEnabled);
    EXPECT_FALSE(check(17 * kMegabyte + kMegabyte / 2 - 1024).processEnabled);
}

// Byte counts are scaled in double precision and only then kept as floats:
// a float of the count itself is coarser and shows other last digits.
TEST_F(FreeSpaceTest, freeAndRequiredMegabytesAreScaledBeforeBeingRounded) {
    EXPECT_EQ(check(500107862016).firstStatus,
              "Checking for free space... Found enough space on C:(476940.000MB)");
    EXPECT_EQ(check(250059350016).firstStatus,
              "Checking for free space... Found enough space on C:(238475.172MB)");

    // A move within one drive: the largest picture, 16857195 bytes.
    pictures[1].fileSize = 16857195;
    const float required = check(100 * kMegabyte, 1).requiredMB;
    EXPECT_EQ(required, 16.076273f);
    EXPECT_NE(required, 16.0762749f);
}

TEST_F(FreeSpaceTest, leavesProcessedAlbumsOut) {
    albums[0].processed = 1;
    const FreeSpaceCheck result = check(8 * kMegabyte);
    EXPECT_FLOAT_EQ(result.requiredMB, 2.5f);
    EXPECT_TRUE(result.processEnabled);
}

TEST_F(FreeSpaceTest, aMoveWithinOneDriveNeedsRoomForTheLargestPictureOnly) {
    FreeSpaceCheck result = check(10 * kMegabyte, 1);
    EXPECT_FLOAT_EQ(result.requiredMB, 4.0f);
    EXPECT_TRUE(result.processEnabled);
    EXPECT_EQ(result.secondStatus, "Press 'Process' to create albums. (By move)");

    pictureDrive = "D";
    result = check(10 * kMegabyte, 1);
    EXPECT_FLOAT_EQ(result.requiredMB, 12.5f);
    EXPECT_FALSE(result.processEnabled);
    EXPECT_EQ(result.secondStatus, "Please free 7.50MB aditionl space on C:");

    // Drives are compared as exact texts.
    pictureDrive = "c";
    EXPECT_FLOAT_EQ(check(100 * kMegabyte, 1).requiredMB, 12.5f);

    // No drive found: counted as a move to another drive.
    pictureDrive = targetDrive = "NONE";
    EXPECT_FLOAT_EQ(check(100 * kMegabyte, 1).requiredMB, 12.5f);
}

TEST_F(FreeSpaceTest, aMoveOfAnEmptyPictureListCountsTheAlbums) {
    pictures.clear();
    EXPECT_FLOAT_EQ(check(100 * kMegabyte, 1).requiredMB, 12.5f);
}

TEST_F(FreeSpaceTest, allAlbumsProcessedDisablesProcessWhateverTheSpace) {
    albums[0].processed = albums[1].processed = 1;
    FreeSpaceCheck result = check(0);
    EXPECT_FALSE(result.processEnabled);
    EXPECT_EQ(result.firstStatus, "Checking for free space... Found enough free space.");
    EXPECT_EQ(result.secondStatus, "All albums are already processed.");

    fs.failPath(test::FsCall::FreeSpace, "/target", kErrorAccessDenied);
    prompter.expect("Access is denied.( ). Continue?", "System Error", Buttons::AbortRetryIgnore,
                    kAnswerIgnore);
    result = check(0);
    EXPECT_EQ(result.firstStatus, "Checking for free space... Drive C: not ready!");
}

// Windows names a volume by its root ("E:\"); the texts name the drive by
// its letter and add the colon themselves.
TEST_F(FreeSpaceTest, aDriveGivenByItsRootIsNamedByItsLetter) {
    targetDrive = "E:\\";
    EXPECT_EQ(check(20 * kMegabyte).firstStatus,
              "Checking for free space... Found enough space on E:(20.000MB)");
    const FreeSpaceCheck result = check(15 * kMegabyte);
    EXPECT_EQ(result.firstStatus, "Checking for free space... Not enough space on E:(15.000MB)");
    EXPECT_EQ(result.secondStatus, "Please free 2.50MB aditionl space on E:");

    fs.failPath(test::FsCall::FreeSpace, "/target", kErrorAccessDenied);
    prompter.expect("Access is denied.( ). Continue?", "System Error", Buttons::AbortRetryIgnore,
                    kAnswerIgnore);
    EXPECT_EQ(check(0).firstStatus, "Checking for free space... Drive E: not ready!");
}

TEST(FreeSpaceOnDisk, mountPointsAreTheDrivesOnThisMachine) {
    test::TempDir temp;
    FileSystem& fs = realFileSystem();
    AlbumList albums(1);
    albums[0].sizeMB = 1.0f;
    PictureList pictures(1);
    pictures[0].path = temp.writeFile("IMG_1.JPG", std::string("x"));
    pictures[0].fileSize = 1;
    ScriptedPrompter prompter;
    RecordingSink upper, lower;
    const FreeSpaceCheck result =
        checkFreeSpace(albums, pictures, temp.path(), 1, fs, prompter, upper, lower);
    // A mount point is named whole; a Windows volume ("C:\\") by its letter.
    const std::string root = fs.driveOf(temp.path());
    EXPECT_NE(root, "NONE");
    const std::string drive = root.substr(0, root.find(':'));
    EXPECT_EQ(result.firstStatus.rfind(
                  "Checking for free space... Found enough space on " + drive + ":(", 0),
              0u)
        << result.firstStatus;
    EXPECT_LT(result.requiredMB, 0.001f) << "a move within one mount point";
}

}  // namespace
}  // namespace lumora
