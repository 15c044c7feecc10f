// organize and process with --clock: a camera whose clock was wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "cli/Commands.h"
#include "tests/processing/CliRun.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using test::CliRun;
using test::runCli;

std::vector<uint8_t> picture(const char* when, const char* make, const char* model, uint32_t seed) {
    test::PictureSpec spec;
    spec.dateTimeOriginal = when;
    spec.make = make;
    spec.model = model;
    spec.seed = seed;
    return test::exifPicture(spec);
}

std::set<std::string> filesBelow(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        // The runs' journals are not the run's pictures.
        if (item.path().string().find(test::nativePath("/.lumora/")) != std::string::npos) continue;
        if (item.is_regular_file()) files.insert(item.path().string().substr(folder.size() + 1));
    }
    return files;
}

class ProcessCliClock : public ::testing::Test {
  protected:
    ProcessCliClock() {
        source = temp.makeDir("src");
        temp.writeFile("src/DSC_0001.JPG", picture("2024:07:14 20:00:00", "NIKON", "D70", 1));
        temp.writeFile("src/DSC_0002.JPG", picture("2024:07:15 09:00:00", "NIKON", "D70", 2));
        // Left on home time: nine hours behind the Nikon.
        temp.writeFile("src/IMG_0001.JPG",
                       picture("2024:07:14 16:30:00", "Canon", "Canon EOS 5D", 3));
        temp.writeFile("src/IMG_0002.JPG",
                       picture("2024:07:15 00:15:30", "Canon", "Canon EOS 5D", 4));
        target = temp.file("out");
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
    std::string target;
};

// The corrected camera's pictures are named at their EXIF time plus the
// offset, and land in the day that gives; every other name stays.
TEST_F(ProcessCliClock, organizeNamesAndFilesTheCorrectedCameraByItsTrueTime) {
    ASSERT_EQ(runCli(cli::organizeCommand, {source, target}).code, 0);
    const std::set<std::string> plain = filesBelow(target);
    EXPECT_EQ(plain, (std::set<std::string>{
                         test::nativePath("2024-07-14/2024-07-14-0 [2024-07-14] [16 30 00].jpg"),
                         test::nativePath("2024-07-14/2024-07-14-1 [2024-07-14] [20 00 00].jpg"),
                         test::nativePath("2024-07-15/2024-07-15-2 [2024-07-15] [00 15 30].jpg"),
                         test::nativePath("2024-07-15/2024-07-15-3 [2024-07-15] [09 00 00].jpg")}));

    const std::string corrected = temp.file("corrected");
    const CliRun run =
        runCli(cli::organizeCommand, {"--clock", "Canon EOS 5D=+09:00", source, corrected});
    ASSERT_EQ(run.code, 0) << run.err;
    // The Canon's names carry its corrected time, in the day that gives;
    // every Nikon name is as it was.
    EXPECT_EQ(filesBelow(corrected),
              (std::set<std::string>{
                  test::nativePath("2024-07-14/2024-07-14-1 [2024-07-14] [20 00 00].jpg"),
                  test::nativePath("2024-07-15/2024-07-15-0 [2024-07-15] [01 30 00].jpg"),
                  test::nativePath("2024-07-15/2024-07-15-2 [2024-07-15] [09 15 30].jpg"),
                  test::nativePath("2024-07-15/2024-07-15-3 [2024-07-15] [09 00 00].jpg")}));
    const std::vector<uint8_t> written = picture("2024:07:14 16:30:00", "Canon", "Canon EOS 5D", 3);
    EXPECT_EQ(test::readFile(temp.file("src/IMG_0001.JPG")),
              std::string(written.begin(), written.end()));
}

TEST_F(ProcessCliClock, anUnknownCameraNamesTheCamerasThereAre) {
    const CliRun run = runCli(cli::organizeCommand, {"--clock", "D700=+01:00", source, target});
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.err.find("--clock D700: no picture was taken with the camera 'D700'; the "
                           "cameras are 'Canon/Canon EOS 5D', 'NIKON/D70'"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(target + test::nativePath("/2024-07-14")));

    const CliRun bad = runCli(cli::organizeCommand, {"--clock", "D70=+1h", source, target});
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(runCli(cli::organizeCommand, {"--clock", "+01:00", source, target}).code, 2);
}

// A session keeps its corrections; process --clock changes them, asking
// before pictures leave their albums.
TEST_F(ProcessCliClock, processTakesTheSessionsClocksAndAsksBeforeAlbumsLosePictures) {
    const std::string session = temp.file("trip.lsn");
    ASSERT_EQ(runCli(cli::organizeCommand,
                     {"--clock", "NIKON/D70=-00:30", "--save-session", session, source, target})
                  .code,
              0);
    const CliRun preview = runCli(cli::processCommand, {"--dry-run", session});
    ASSERT_EQ(preview.code, 0) << preview.err;
    EXPECT_NE(preview.out.find("2024-07-14-1 [2024-07-14] [19 30 00].jpg"), std::string::npos)
        << preview.out;

    // --abort answers No: the clocks stay and nothing is processed.
    const CliRun refused =
        runCli(cli::processCommand, {"--abort", "--clock", "Canon EOS 5D=+1d00:00", session});
    EXPECT_EQ(refused.code, 1);
    EXPECT_NE(refused.err.find("the camera clocks were not changed"), std::string::npos)
        << refused.err;
    EXPECT_FALSE(std::filesystem::exists(target + test::nativePath("/2024-07-14")));

    // Without a terminal the answer widens the ranges, as it goes on into
    // folders that are there: no picture is lost that way.
    const CliRun widened =
        runCli(cli::processCommand, {"--clock", "Canon EOS 5D=+1d00:00", session});
    ASSERT_EQ(widened.code, 0) << widened.err;
    // The pictures keep their day albums, named at their corrected times.
    EXPECT_EQ(filesBelow(target),
              (std::set<std::string>{
                  test::nativePath("2024-07-14/2024-07-14-0 [2024-07-15] [16 30 00].jpg"),
                  test::nativePath("2024-07-14/2024-07-14-1 [2024-07-14] [19 30 00].jpg"),
                  test::nativePath("2024-07-15/2024-07-15-2 [2024-07-16] [00 15 30].jpg"),
                  test::nativePath("2024-07-15/2024-07-15-3 [2024-07-15] [08 30 00].jpg")}));
}

}  // namespace
}  // namespace lumora
