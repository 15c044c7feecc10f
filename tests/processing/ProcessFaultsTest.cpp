// Runs against a real target through a fault-injecting file system: the
// cases where the answers after a failure could cost an existing file, and a
// disk that fills up.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "processing/ProcessAlbums.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::FaultyFileSystem;
using test::FsCall;
using test::readFile;
using test::ScriptedPrompter;

const char* const kSharing =
    "The process cannot access the file because it is being used by another process( "
    "IMG_1.JPG). Continue?";

class ProcessFaultsTest : public ::testing::Test {
  protected:
    ProcessFaultsTest() {
        Album& album = bench.addAlbum("M", "/");
        album.createSubDirectory = 0;
        album.addDate = 0;
        album.addTime = 0;
        bench.addPicture("IMG_1.JPG", test::fileTimeAt(2020, 5, 6, 7, 8, 9), 1, album.id);
        bench.addPicture("IMG_2.JPG", test::fileTimeAt(2020, 5, 6, 7, 8, 10), 2, album.id);
    }

    test::ProcessBench bench;
    FaultyFileSystem fs;
    ScriptedPrompter prompter;
};

TEST_F(ProcessFaultsTest, retryingAFailedMoveNeverReplacesAnExistingFileWithoutAYes) {
    bench.temp.writeFile("target/M-1.jpg", std::string("older file"));
    test::FaultRule rule;
    rule.call = FsCall::MoveFile;
    rule.path = bench.pictures[0].path;
    rule.times = 1;
    rule.error = kErrorSharingViolation;
    fs.addRule(rule);
    prompter.expect(kSharing, "System Error", Buttons::AbortRetryIgnore, kAnswerRetry);
    prompter.expect("M-1.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                    kAnswerNo);

    const ProcessReport report = bench.run(fs, prompter, 1);

    EXPECT_EQ(readFile(bench.target + test::nativePath("/M-1.jpg")), "older file");
    EXPECT_EQ(readFile(bench.pictures[0].path), bench.contents[0]);
    EXPECT_EQ(fs.callCount(FsCall::MoveFileReplace), 0);
    EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");  // the picture was skipped
}

TEST_F(ProcessFaultsTest, ignoringAFailedMoveOffersACopyThatStillAsksBeforeOverwriting) {
    bench.temp.writeFile("target/M-1.jpg", std::string("older file"));
    fs.failPath(FsCall::MoveFile, bench.pictures[0].path, kErrorSharingViolation);
    prompter.expect(kSharing, "System Error", Buttons::AbortRetryIgnore, kAnswerIgnore);
    prompter.expect("File could not be moved. Copy instead of move?", "", Buttons::OkCancel,
                    kAnswerOk);
    prompter.expect("M-1.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                    kAnswerNo);

    const ProcessReport report = bench.run(fs, prompter, 1);

    EXPECT_EQ(readFile(bench.target + test::nativePath("/M-1.jpg")), "older file");
    EXPECT_EQ(readFile(bench.pictures[0].path), bench.contents[0]);
    EXPECT_EQ(readFile(bench.target + test::nativePath("/M-2.jpg")), bench.contents[1]);
    EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
    ASSERT_EQ(report.untransferred.size(), 1u);
    EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::Skipped);
    EXPECT_EQ(report.untransferred[0].target, bench.target + test::nativePath("/M-1.jpg"));
}

TEST_F(ProcessFaultsTest, cancellingTheCopyInsteadGivesTheAlbumUp) {
    fs.failPath(FsCall::MoveFile, bench.pictures[0].path, kErrorAccessDenied);
    prompter.answer(kAnswerIgnore);
    prompter.expect("File could not be moved. Copy instead of move?", "", Buttons::OkCancel,
                    kAnswerCancel);
    const ProcessReport report = bench.run(fs, prompter, 1);
    EXPECT_EQ(bench.albums[0].processed, 0);
    EXPECT_EQ(readFile(bench.pictures[1].path), bench.contents[1]) << "not reached";
    EXPECT_EQ(report.untransferred.size(), 2u);
}

TEST_F(ProcessFaultsTest, aFailedOverwriteIsReportedAndASecondYesEndsTheAttempts) {
    bench.temp.writeFile("target/M-1.jpg", std::string("older file"));
    test::FaultRule rule;
    rule.call = FsCall::CopyFile;
    rule.path = bench.pictures[0].path;
    rule.skip = 1;
    rule.error = kErrorFileExists;
    fs.addRule(rule);
    prompter.expect("M-1.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                    kAnswerYes);
    prompter.expect("M-1.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                    kAnswerYes);

    const ProcessReport report = bench.run(fs, prompter, 0);

    EXPECT_EQ(fs.callCount(FsCall::CopyFile, bench.pictures[0].path), 2);
    EXPECT_EQ(readFile(bench.target + test::nativePath("/M-1.jpg")), "older file");
    EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
    EXPECT_EQ(report.untransferred.size(), 1u);
}

// The target has room for `capacity` bytes of copies; a copy that does not
// fit fails as a full disk does, before anything is written.
struct FullDisk {
    uint64_t capacity = 0;
    uint64_t used = 0;

    std::optional<ErrorCode> operator()(FsCall, const std::string& source, const std::string&) {
        struct stat st {};
        ::stat(source.c_str(), &st);
        const auto size = static_cast<uint64_t>(st.st_size);
        if (used + size > capacity) return kErrorHandleDiskFull;
        used += size;
        return std::nullopt;
    }
};

TEST_F(ProcessFaultsTest, aFullDiskGivesTheAlbumUpUntilARunAfterFreeingSpace) {
    auto disk = std::make_shared<FullDisk>();
    disk->capacity = bench.contents[0].size();
    fs.setTransferHook([disk](FsCall call, const std::string& source, const std::string& target) {
        return (*disk)(call, source, target);
    });
    const char* const full =
        "The disk is full. Please close all other applications while Lumora is processing "
        "albums. Continue?";
    prompter.expect(full, "System Error", Buttons::RetryCancel, kAnswerRetry);
    prompter.expect(full, "System Error", Buttons::RetryCancel, kAnswerCancel);

    ProcessReport report = bench.run(fs, prompter, 0);

    EXPECT_EQ(report.summaryText, "Operation canceled by user!");
    EXPECT_EQ(readFile(bench.target + test::nativePath("/M-1.jpg")), bench.contents[0]);
    EXPECT_FALSE(test::fileExists(bench.target + test::nativePath("/M-2.jpg")));
    EXPECT_EQ(bench.misplacedPicture(0), "");

    // Space freed: "Process" again takes up the album that failed, and
    // finds its first picture whole where it was placed.
    disk->capacity = 1 << 20;
    ScriptedPrompter again;
    report = bench.run(fs, again, 0);
    EXPECT_EQ(report.arrived.size(), 1u);
    EXPECT_TRUE(report.untransferred.empty());
    EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
    EXPECT_EQ(readFile(bench.target + test::nativePath("/M-2.jpg")), bench.contents[1]);
}

}  // namespace
}  // namespace lumora
