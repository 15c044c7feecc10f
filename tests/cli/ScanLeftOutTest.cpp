// scan --left-out: the files the scan does not list, one tab-separated line each.
#include <gtest/gtest.h>

#include <string>

#include "cli/Commands.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"

namespace lumora::cli {
namespace {

struct Printed {
    int code = -1;
    std::string out;
};

Printed runScanLine(const Arguments& args) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Printed printed;
    printed.code = runCommandLine(args, "test");
    printed.out = testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    return printed;
}

TEST(ScanLeftOut, printsEachFileLeftOutWithItsReasonAndEscapesOddNames) {
    test::TempDir dir;
    dir.writeFile("listed.jpg", test::exifPicture("2004:05:06 07:08:09"));
    dir.writeFile("listed.NEF", std::string("raw beside its picture"));
    dir.writeFile("plain.jpg", test::plainPicture());
    test::PictureSpec undated;
    undated.make = "Camera";
    dir.writeFile("undated.jpg", test::exifPicture(undated));
    dir.writeFile("broken.jpg", std::string("text"));
#ifdef _WIN32
    // No Windows name holds a tab, a line break or a backslash.
    const std::string oddPicture = "odd name.jpeg", oddPictureShown = oddPicture;
    const std::string oddOther = "odd name.png", oddOtherShown = oddOther;
#else
    const std::string oddPicture = "tab\there.jpeg", oddPictureShown = "tab\\there.jpeg";
    const std::string oddOther = "back\\slash\nline.png";
    const std::string oddOtherShown = "back\\\\slash\\nline.png";
#endif
    dir.writeFile(oddPicture, test::exifPicture("2004:05:06 07:08:09"));
    dir.writeFile(oddOther, std::string("png"));
    dir.writeFile("notes.txt", std::string("text"));
    const std::string root = dir.path();

    const Printed plain = runScanLine({"scan", root});
    EXPECT_EQ(plain.code, kExitSuccess);
    EXPECT_EQ(plain.out.find("left-out"), std::string::npos) << plain.out;
    EXPECT_NE(
        plain.out.find("Found 1 .JPG pictures that have exif information. (5 files left out)\n"),
        std::string::npos)
        << plain.out;

    const Printed printed = runScanLine({"scan", "--left-out", root});
    EXPECT_EQ(printed.code, kExitSuccess);
    for (const std::string& line :
         {"left-out\tno EXIF block\t" + root + test::nativePath("/plain.jpg\n"),
          "left-out\tno capture date\t" + root + test::nativePath("/undated.jpg\n"),
          "left-out\tdamaged file\t" + root + test::nativePath("/broken.jpg\n"),
          "left-out\tname not taken\t" + test::pathIn(root, oddPictureShown) + "\n",
          "left-out\tnot a JPEG picture\t" + test::pathIn(root, oddOtherShown) + "\n"}) {
        EXPECT_NE(printed.out.find(line), std::string::npos) << line << printed.out;
    }
    size_t lines = 0;
    for (size_t at = printed.out.find("left-out\t"); at != std::string::npos;
         at = printed.out.find("left-out\t", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 5u) << printed.out;
    // The listed picture is still listed, first.
    EXPECT_EQ(printed.out.rfind(root + test::nativePath("/listed.jpg\t"), 0), 0u) << printed.out;

    // With -z each field ends with a NUL and names are written as they are.
    const Printed nul = runScanLine({"scan", "-z", "--left-out", root});
    EXPECT_NE(nul.out.find(std::string("left-out\0name not taken\0", 24) +
                           test::pathIn(root, oddPicture) + std::string(1, '\0')),
              std::string::npos);
}

}  // namespace
}  // namespace lumora::cli
