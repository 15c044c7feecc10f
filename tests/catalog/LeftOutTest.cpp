// The files a scan sees and does not list, each with its reason.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/LeftOutFile.h"
#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "tests/catalog/ExifTestSupport.h"
#ifndef _WIN32  // FIFOs exist on POSIX systems only
#include "tests/support/FifoWatch.h"
#endif
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

constexpr const char* kDate = "2005:03:04 10:20:30";

std::vector<uint8_t> truncated(std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

// One folder holding a file of every kind, and a sub-folder, so that the
// left-out files are told in scan order with their folders' paths.
struct EveryKindFolder {
    EveryKindFolder() {
        dir.writeFile("listed.jpg", test::exifPicture(kDate));
        dir.writeFile("plain.jpg", test::plainPicture());
        dir.writeFile("refused.JPG",
                      testing::jpegWith({testing::exifSection(testing::text("ZZ*-xxxxxxxx"))}));
        test::PictureSpec undated;
        undated.make = "Camera";
        dir.writeFile("undated.jpg", test::exifPicture(undated));
        dir.writeFile("text.jpg", std::string("not a picture at all"));
        dir.writeFile("cut.jpg", truncated(test::exifPicture(kDate), 10));
        dir.writeFile("long.jpeg", test::exifPicture(kDate));
        dir.writeFile("short.JPE", test::exifPicture(kDate));
        dir.writeFile("raw.CR2", std::string("raw"));
        dir.writeFile("phone.heic", std::string("heic"));
        dir.writeFile("drawing.png", std::string("png"));
        dir.writeFile("scan.tif", std::string("tif"));
        dir.writeFile("clip.MOV", std::string("mov"));
        // The companions of the listed picture, shot with it.
        dir.writeFile("LISTED.cr2", std::string("raw"));
        dir.writeFile("listed.mov", std::string("mov"));
        // Not a companion, but the same picture in another format beside it.
        dir.writeFile("Listed.HEIC", std::string("heic"));
        // Neither pictures nor videos.
        dir.writeFile("notes.txt", std::string("text"));
        dir.writeFile("README", std::string("text"));
        dir.writeFile("Sub/drawn.png", std::string("png"));
        dir.writeFile("Sub/inner.jpg", test::exifPicture(kDate));
        dir.writeFile("Temporary Internet Files/hidden.png", std::string("png"));
    }
    test::TempDir dir;
};

std::vector<std::string> sorted(std::vector<std::string> lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::vector<std::string> describe(const LeftOutList& files, const std::string& root) {
    std::vector<std::string> lines;
    for (const LeftOutFile& file : files) {
        lines.push_back(std::string(leftOutReasonText(file.reason)) + " " +
                        file.path.substr(root.size() + 1));
    }
    return lines;
}

TEST(LeftOut, aScanTellsEveryFileThatLooksLikeAPictureAndIsNotListedWithItsReason) {
    EveryKindFolder folder;
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;
    ASSERT_TRUE(catalog.scanSource(folder.dir.path(), true, prompter));

    // Which files are listed does not change.
    ASSERT_EQ(catalog.pictureCount(), 2);
    EXPECT_EQ(catalog.pictures()[0].path, folder.dir.file("Sub/inner.jpg"));
    EXPECT_EQ(catalog.pictures()[1].path, folder.dir.file("listed.jpg"));

    EXPECT_EQ(sorted(describe(catalog.leftOut(), folder.dir.path())),
              sorted({"not a JPEG picture " + test::nativePath("Sub/drawn.png"),
                      "no EXIF block plain.jpg", "EXIF block refused refused.JPG",
                      "no capture date undated.jpg", "damaged file text.jpg",
                      "damaged file cut.jpg", "name not taken long.jpeg",
                      "name not taken short.JPE", "not a JPEG picture raw.CR2",
                      "not a JPEG picture phone.heic", "not a JPEG picture drawing.png",
                      "not a JPEG picture scan.tif", "not a JPEG picture clip.MOV"}));
    // A sub-folder's files come before the root's, as its pictures do.
    EXPECT_EQ(catalog.leftOut().front().path, folder.dir.file("Sub/drawn.png"));
}

#ifndef _WIN32  // FIFOs exist on POSIX systems only
TEST(LeftOut, aJpgThatCannotBeOpenedIsDamagedWhenSkippedAndAStoppedScanKeepsWhatItFound) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::plainPicture());
    test::FifoWatch fifo(dir.file("pipe.jpg"));
    {
        PictureCatalog catalog;
        test::ScriptedPrompter prompter;
        prompter.answer(kAnswerOk);
        ASSERT_TRUE(catalog.scanSource(dir.path(), true, prompter));
        EXPECT_EQ(sorted(describe(catalog.leftOut(), dir.path())),
                  sorted({"no EXIF block a.jpg", "damaged file pipe.jpg"}));
    }
    // A scan started again begins from an empty list; one stopped at the
    // file does not count it.
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;
    prompter.answer(kAnswerCancel);
    const ScanOutcome outcome = runScanCommand(catalog, dir.path(), prompter, nullProgress());
    EXPECT_FALSE(outcome.completed);
    for (const LeftOutFile& file : catalog.leftOut()) EXPECT_NE(file.path, fifo.path());
    EXPECT_EQ(outcome.leftOutCount, static_cast<int>(catalog.leftOut().size()));
    EXPECT_EQ(fifo.meetings(), 0);
}
#endif

TEST(LeftOut, theStatusLineKeepsItsOwnTextFirstAndAddsHowManyWereLeftOut) {
    EveryKindFolder folder;
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;
    const ScanOutcome outcome =
        runScanCommand(catalog, folder.dir.path(), prompter, nullProgress());
    EXPECT_EQ(outcome.statusText, "Found 2 .JPG pictures that have exif information.");
    EXPECT_EQ(outcome.leftOutCount, 13);
    EXPECT_EQ(statusWithLeftOut(outcome),
              "Found 2 .JPG pictures that have exif information. (13 files left out)");

    ScanOutcome one;
    one.statusText = kNoPicturesStatusText;
    one.leftOutCount = 1;
    EXPECT_EQ(statusWithLeftOut(one), std::string(kNoPicturesStatusText) + " (1 file left out)");
    one.leftOutCount = 0;
    EXPECT_EQ(statusWithLeftOut(one), kNoPicturesStatusText);

    // The next scan of a clean folder forgets what was left out before.
    test::TempDir clean;
    clean.writeFile("a.jpg", test::exifPicture(kDate));
    EXPECT_EQ(runScanCommand(catalog, clean.path(), prompter, nullProgress()).leftOutCount, 0);
    EXPECT_TRUE(catalog.leftOut().empty());
}

}  // namespace
}  // namespace lumora
