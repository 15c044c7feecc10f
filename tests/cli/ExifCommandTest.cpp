#include "cli/ExifCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/CapturedStream.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"

namespace lumora::cli {
namespace {

using test::FsCall;

struct CommandRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

CommandRun runExif(const Arguments& args, FileSystem& fileSystem = realFileSystem()) {
    test::CapturedStream out;
    test::CapturedStream err;
    CommandRun run;
    run.exitCode = runExifCommand(args, fileSystem, out.file(), err.file());
    run.out = out.text();
    run.err = err.text();
    return run;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        result.push_back(text.substr(start, end - start));
    }
    EXPECT_EQ(start, text.size()) << "output ends without a line break";
    return result;
}

// The "path" value of a line, its JSON escapes read (a Windows path has a
// "\\\\" for every backslash).
std::string pathOf(const std::string& line) {
    std::string path;
    for (size_t at = line.find("{\"path\":\"") + 9; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] == '\\') ++at;
        if (at < line.size()) path += line[at];
    }
    return path;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

test::PictureSpec withMake(const std::string& make) {
    test::PictureSpec spec;
    spec.make = make;
    spec.dateTimeOriginal = "2005:06:07 08:09:10";
    return spec;
}

TEST(ExifCommand, walksFoldersFilesFirstInListingOrder) {
    test::TempDir dir;
    dir.writeFile("b.JPG", test::exifPicture(withMake("Bee")));
    dir.writeFile("a.jpeg", test::plainPicture());
    dir.writeFile("notes.txt", std::string("not a picture"));
    dir.writeFile("sub/z.jpg", test::exifPicture(withMake("Zed")));
    dir.writeFile("C.jpg", test::exifPicture(withMake("See")));
    dir.makeSymlink(dir.file("sub"), "link");
    const CommandRun run = runExif({"--json", dir.path() + "/"});
    EXPECT_EQ(run.exitCode, kExitSuccess);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(pathOf(out[0]), dir.file("a.jpeg"));
    EXPECT_EQ(pathOf(out[1]), dir.file("b.JPG"));
    EXPECT_EQ(pathOf(out[2]), dir.file("C.jpg"));
    EXPECT_EQ(pathOf(out[3]), dir.file("sub/z.jpg"));
    EXPECT_TRUE(contains(out[0], R"("IsExif":0,)"));  // a JPEG without EXIF is still shown
    EXPECT_TRUE(contains(out[1], R"("IsExif":1,"Version":"0220","CameraMake":"Bee",)"));
    EXPECT_TRUE(contains(out[3], R"("DateTime":"2005:06:07 08:09:10",)"));
}

TEST(ExifCommand, namedFilesAreReadWhateverTheirName) {
    test::TempDir dir;
    const std::string picture = dir.writeFile("picture.bin", test::exifPicture(withMake("Nik")));
    const CommandRun run = runExif({picture, "--json"});
    EXPECT_EQ(run.exitCode, kExitSuccess);
    ASSERT_EQ(lines(run.out).size(), 1u);
    EXPECT_TRUE(contains(run.out, R"("CameraMake":"Nik")"));
}

TEST(ExifCommand, badPathsAreReportedAndTheOthersStillShown) {
    test::TempDir dir;
    const std::string good = dir.writeFile("good.jpg", test::plainPicture());
    const std::string text = dir.writeFile("folder/fake.jpg", std::string("GIF89a"));
    const std::string empty = dir.writeFile("empty.jpg", std::string());
    const std::string missing = dir.file("missing.jpg");
    const CommandRun run = runExif({"--json", missing, empty, dir.file("folder"), good});
    EXPECT_EQ(run.exitCode, kExitFailure);
    EXPECT_EQ(run.err, "lumora-cli: " + missing + ": cannot open: no such file or folder\n" +
                           "lumora-cli: " + empty + ": not a JPEG file\n" + "lumora-cli: " + text +
                           ": not a JPEG file\n");
    ASSERT_EQ(lines(run.out).size(), 1u);
    EXPECT_EQ(pathOf(run.out), good);
}

TEST(ExifCommand, fileSystemFailuresAreReported) {
    test::TempDir dir;
    dir.writeFile("top.jpg", test::plainPicture());
    dir.writeFile("locked/inner.jpg", test::plainPicture());
    dir.writeFile("open/unreadable.jpg", test::plainPicture());
    test::FaultyFileSystem fileSystem;
    fileSystem.failPath(FsCall::ListDirectory, dir.file("locked"), kErrorAccessDenied);
    fileSystem.failSuffix(FsCall::Read, "unreadable.jpg", kErrorReadFault);
    const CommandRun run = runExif({"--json", dir.path()}, fileSystem);
    EXPECT_EQ(run.exitCode, kExitFailure);
    EXPECT_EQ(run.err, "lumora-cli: " + dir.file("locked") +
                           ": cannot list folder: permission denied\n" +
                           "lumora-cli: " + dir.file("open/unreadable.jpg") +
                           ": cannot read: the disk could not be read\n");
    ASSERT_EQ(lines(run.out).size(), 1u);
    EXPECT_EQ(pathOf(run.out), dir.file("top.jpg"));
}

TEST(ExifCommand, readerDiagnosticsGoToStandardError) {
    test::TempDir dir;
    std::vector<uint8_t> padded = {0xFF, 0xD8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xE1};
    const std::string path = dir.writeFile("padded.jpg", padded);
    const CommandRun run = runExif({"--json", path});
    EXPECT_EQ(run.exitCode, kExitSuccess);
    EXPECT_EQ(run.err, "too many padding unsigned chars\n");
    EXPECT_TRUE(contains(run.out, R"("IsExif":0,)"));
}

TEST(ExifCommand, usageErrors) {
    const Arguments cases[] = {{}, {"--json"}, {"some.jpg"}, {"--json", "--xml", "a.jpg"}};
    for (const Arguments& args : cases) {
        const CommandRun run = runExif(args);
        EXPECT_EQ(run.exitCode, kExitUsage);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(contains(run.err, "Usage: lumora-cli exif --json PATH...\n"));
    }
}

}  // namespace
}  // namespace lumora::cli
