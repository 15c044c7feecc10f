// scan --clock: the times of a corrected camera as the albums will take them.
#include <gtest/gtest.h>

#include <string>

#include "cli/Commands.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora::cli {
namespace {

struct Printed {
    int code = -1;
    std::string out;
    std::string err;
};

Printed runScanLine(const Arguments& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Printed printed;
    printed.code = runCommandLine(args, "test");
    printed.out = testing::internal::GetCapturedStdout();
    printed.err = testing::internal::GetCapturedStderr();
    return printed;
}

std::vector<uint8_t> picture(const char* when, const char* make, const char* model) {
    test::PictureSpec spec;
    spec.dateTimeOriginal = when;
    spec.make = make;
    spec.model = model;
    return test::exifPicture(spec);
}

TEST(ScanClock, printsTheCorrectedTimesMarkedAndRefusesUnknownCamerasAndBadOffsets) {
    test::TzGuard zone{"UTC0"};
    test::TempDir dir;
    dir.writeFile("a.jpg", picture("2004:05:06 23:08:09", "NIKON", "E995"));
    dir.writeFile("b.jpg", picture("2004:05:06 23:08:09", "Canon", "EOS 5D"));
    const std::string root = dir.path();

    const Printed plain = runScanLine({"scan", "-q", root});
    EXPECT_NE(
        plain.out.find(root + test::nativePath("/a.jpg\t[2004-05-06]\t[23 08 09]\tNIKON\tE995\n")),
        std::string::npos)
        << plain.out;

    const Printed corrected = runScanLine({"scan", "-q", "--clock", "E995=+1d01:00", root});
    EXPECT_EQ(corrected.code, kExitSuccess) << corrected.err;
    EXPECT_NE(corrected.out.find(
                  root + test::nativePath("/a.jpg\t[2004-05-08]\t~[00 08 09]\tNIKON\tE995\n")),
              std::string::npos)
        << corrected.out;
    EXPECT_NE(corrected.out.find(
                  root + test::nativePath("/b.jpg\t[2004-05-06]\t[23 08 09]\tCanon\tEOS 5D\n")),
              std::string::npos)
        << corrected.out;

    const Printed unknown = runScanLine({"scan", "-q", "--clock", "D70=+01:00", root});
    EXPECT_EQ(unknown.code, kExitFailure);
    EXPECT_NE(unknown.err.find("--clock D70: no picture was taken with the camera 'D70'; the "
                               "cameras are 'Canon/EOS 5D', 'NIKON/E995'"),
              std::string::npos)
        << unknown.err;

    const Printed bad = runScanLine({"scan", "--clock", "E995=+1:60", root});
    EXPECT_EQ(bad.code, kExitUsage);
    EXPECT_NE(bad.err.find("the offset '+1:60' is not [+|-][Nd]HH:MM[:SS]"), std::string::npos)
        << bad.err;
}

}  // namespace
}  // namespace lumora::cli
