#include "catalog/ScanCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/Time.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::FsCall;

constexpr const char* kDate = "2005:03:04 10:20:30";
constexpr const char* kZeroDate = "0000:00:00 00:00:00";

class RecordingSink : public ProgressSink {
  public:
    void setStatus(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::string> statuses;
};

TEST(ScanCommand, reportsThePicturesFoundInTheStatusText) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kDate));
    dir.writeFile("Sub/b.jpg", test::exifPicture(kDate));
    dir.writeFile("c.jpg", test::plainPicture());
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;
    RecordingSink sink;
    const ScanOutcome outcome = runScanCommand(catalog, dir.path(), prompter, sink);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.pictureCount, 2);
    EXPECT_EQ(outcome.exifCount, 2);
    EXPECT_EQ(outcome.substitutedCount, 0);
    EXPECT_TRUE(outcome.albumMenusEnabled);
    EXPECT_EQ(outcome.statusText, "Found 2 .JPG pictures that have exif information.");
    EXPECT_EQ(outcome.warningText, "");
    EXPECT_EQ(sink.statuses,
              (std::vector<std::string>{"Scaning source directory. Please Wait...",
                                        "Found 2 .JPG pictures that have exif information."}));
}

TEST(ScanCommand, anEmptyResultDisablesTheAlbumMenus) {
    test::TempDir dir;
    dir.writeFile("plain.jpg", test::plainPicture());
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;
    RecordingSink sink;
    const ScanOutcome outcome = runScanCommand(catalog, dir.path(), prompter, sink);
    EXPECT_TRUE(outcome.completed);
    EXPECT_EQ(outcome.pictureCount, 0);
    EXPECT_FALSE(outcome.albumMenusEnabled);
    EXPECT_EQ(outcome.statusText, "No pictures found. Pictures must have exif information.");
    EXPECT_EQ(sink.statuses.back(), "No pictures found. Pictures must have exif information.");
}

TEST(ScanCommand, countsZeroDatesInTheWarning) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kZeroDate));
    dir.writeFile("b.jpg", test::exifPicture(kDate));
    dir.writeFile("c.jpg", test::exifPicture(kZeroDate));
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;
    const ScanOutcome outcome = runScanCommand(catalog, dir.path(), prompter, nullProgress());
    EXPECT_EQ(outcome.pictureCount, 3);
    EXPECT_EQ(outcome.exifCount, 3);
    EXPECT_EQ(outcome.substitutedCount, 2);
    EXPECT_EQ(outcome.warningText,
              "Warning! Lumora found 2 pictures that have date and time set to zero! Date and "
              "time was modified for those pictures in order to run Lumora. New date and time was "
              "taken from file information. Be aware that date and time may not be the same as "
              "real time when those pictures was shot.");
}

TEST(ScanCommand, startsFromEmptyListsEveryTime) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kDate));
    dir.writeFile("Sub/b.jpg", test::exifPicture(kDate));
    test::TempDir other;
    other.writeFile("x.jpg", test::exifPicture(kDate));
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;
    runScanCommand(catalog, dir.path(), prompter, nullProgress());
    const ScanOutcome again = runScanCommand(catalog, dir.path(), prompter, nullProgress());
    EXPECT_EQ(again.pictureCount, 2);
    EXPECT_EQ(catalog.directories().size(), 2u);

    const ScanOutcome elsewhere = runScanCommand(catalog, other.path(), prompter, nullProgress());
    EXPECT_EQ(elsewhere.pictureCount, 1);
    ASSERT_EQ(catalog.pictureCount(), 1);
    EXPECT_EQ(catalog.pictures()[0].path, other.file("x.jpg"));
    EXPECT_EQ(catalog.directories(), std::vector<std::string>{other.path()});
}

TEST(ScanCommand, aStoppedScanCountsWhatItFound) {
    test::TempDir dir;
    dir.writeFile("a.jpg", test::exifPicture(kZeroDate));
    dir.writeFile("b.jpg", test::exifPicture(kDate));
    dir.writeFile("c.jpg", test::exifPicture(kDate));
    test::FaultyFileSystem fileSystem;
    fileSystem.failSuffix(FsCall::OpenRead, test::nativePath("/b.jpg"), kErrorSharingViolation);
    PictureCatalog catalog(fileSystem);
    test::ScriptedPrompter prompter;
    prompter.expect("Error while reading from drive", "Error", Buttons::OkCancel, kAnswerCancel);
    RecordingSink sink;
    const ScanOutcome outcome = runScanCommand(catalog, dir.path(), prompter, sink);
    EXPECT_FALSE(outcome.completed);
    EXPECT_EQ(outcome.pictureCount, 1);
    EXPECT_EQ(outcome.substitutedCount, 1);
    EXPECT_TRUE(outcome.albumMenusEnabled);
    EXPECT_EQ(outcome.statusText, "Found 1 .JPG pictures that have exif information.");
    EXPECT_NE(outcome.warningText.find("found 1 pictures"), std::string::npos);
}

}  // namespace
}  // namespace lumora
