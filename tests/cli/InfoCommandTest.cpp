#include "cli/InfoCommand.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "cli/Commands.h"
#include "samples/ExifBlockWriter.h"
#include "samples/JpegFileWriter.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora::cli {
namespace {

// Runs the command with its output captured.
struct InfoRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

std::string readAll(std::FILE* stream) {
    std::rewind(stream);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, n);
    std::fclose(stream);
    return text;
}

InfoRun runInfoOn(const std::string& path, FileSystem& fileSystem = realFileSystem()) {
    test::TzGuard zone("UTC0");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    InfoRun run;
    run.exitCode = printPictureInfo(path, fileSystem, out, err);
    run.out = readAll(out);
    run.err = readAll(err);
    return run;
}

std::vector<uint8_t> cameraPicture() {
    samples::ExifBlockSpec block;
    block.ifd0.push_back(samples::asciiEntry(0x010F, "Canon"));
    block.ifd0.push_back(samples::asciiEntry(0x0110, "Canon PowerShot A80"));
    block.exifIfd.push_back(samples::rationalEntry(0x829A, 1, 60));   // exposure time
    block.exifIfd.push_back(samples::rationalEntry(0x829D, 28, 10));  // f-number
    block.exifIfd.push_back(samples::shortEntry(0x8827, 100));        // ISO
    block.exifIfd.push_back(samples::undefinedEntry(0x9000, {'0', '2', '2', '0'}));
    block.exifIfd.push_back(samples::asciiEntry(0x9003, "2005:03:04 10:20:30"));
    block.exifIfd.push_back(samples::shortEntry(0x9209, 0));  // flash did not fire
    samples::JpegSpec jpeg;
    jpeg.width = 64;
    jpeg.height = 48;
    jpeg.segments.push_back(samples::buildExifSegment(block));
    return samples::buildJpegFile(jpeg);
}

TEST(InfoCommand, printsThePictureInfoLinesOfAPicture) {
    test::TempDir folder;
    const std::string path = folder.writeFile("IMG_0001.JPG", cameraPicture());
    const InfoRun run = runInfoOn(path);
    EXPECT_EQ(run.exitCode, kExitSuccess) << run.err;
    EXPECT_EQ(run.out,
              "Camera make  : Canon\n"
              "Camera model : Canon PowerShot A80\n"
              "Date: [2005-03-04]\n"
              "Time: [10 20 30]\n"
              "Exif version : 0220\n"
              "Width x Height   : 64 x 48\n"
              "Color/bw     : Color\n"
              "Flash used   : No\n"
              "Exposure time: 0.017 s  (1/60)\n"
              "Aperture     : f/2.8\n"
              "ISO equiv.   : 100\n"
              "Encoding      : Baseline\n");
    EXPECT_EQ(run.err, "");
}

TEST(InfoCommand, aZeroDateIsShownAsTheFilesCreationTime) {
    test::TempDir folder;
    const std::string path = folder.writeFile("zero.jpg", test::exifPicture("0000:00:00 00:00:00"));
    test::FaultyFileSystem fileSystem;
    // 2006-07-08 09:10:11 UTC, shown as it is in UTC.
    fileSystem.setFactsHook([](const std::string&, FileFacts& facts) {
        facts.creationTime = unixToFileTime(1152349811);
    });
    const InfoRun run = runInfoOn(path, fileSystem);
    EXPECT_EQ(run.exitCode, kExitSuccess) << run.err;
    EXPECT_NE(run.out.find("Date: [2006-07-08]\nTime: [09 10 11]\n"), std::string::npos) << run.out;
}

TEST(InfoCommand, refusesWhatTheScanWouldNotList) {
    test::TempDir folder;
    const InfoRun plain = runInfoOn(folder.writeFile("plain.jpg", test::plainPicture()));
    EXPECT_EQ(plain.exitCode, kExitFailure);
    EXPECT_NE(plain.err.find("no EXIF information"), std::string::npos) << plain.err;
    EXPECT_EQ(plain.out, "");

    const InfoRun text = runInfoOn(folder.writeFile("notes.jpg", std::string("hello")));
    EXPECT_EQ(text.exitCode, kExitFailure);
    EXPECT_NE(text.err.find("not a JPEG file"), std::string::npos) << text.err;

    const InfoRun folderGiven = runInfoOn(folder.path());
    EXPECT_EQ(folderGiven.exitCode, kExitFailure);
    EXPECT_NE(folderGiven.err.find("a folder, not a picture file"), std::string::npos);

    const InfoRun missing = runInfoOn(folder.file("missing.jpg"));
    EXPECT_EQ(missing.exitCode, kExitFailure);
    EXPECT_NE(missing.err.find("cannot open"), std::string::npos) << missing.err;
}

TEST(InfoCommand, truncatedAndUnreadableFilesFailInOneLine) {
    test::TempDir folder;
    // Cut inside the EXIF block: nothing trustworthy is left to show.
    std::vector<uint8_t> bytes = cameraPicture();
    bytes.resize(60);
    const InfoRun truncated = runInfoOn(folder.writeFile("cut.jpg", bytes));
    EXPECT_EQ(truncated.exitCode, kExitFailure);
    EXPECT_EQ(truncated.out, "");
    EXPECT_NE(truncated.err.find("no EXIF information"), std::string::npos) << truncated.err;

    const std::string path = folder.writeFile("bad.jpg", cameraPicture());
    test::FaultyFileSystem faulty;
    faulty.failPath(test::FsCall::Read, path, kErrorReadFault);
    const InfoRun unreadable = runInfoOn(path, faulty);
    EXPECT_EQ(unreadable.exitCode, kExitFailure);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find("cannot read"), std::string::npos) << unreadable.err;
}

TEST(InfoCommand, usageErrors) {
    EXPECT_EQ(runInfo({}), kExitUsage);
    EXPECT_EQ(runInfo({"a.jpg", "b.jpg"}), kExitUsage);
}

}  // namespace
}  // namespace lumora::cli
