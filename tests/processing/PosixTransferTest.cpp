// Copies, moves, folders, free space and drives on the real file system.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/FileSystem.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::fileExists;
using test::listNames;
using test::readFile;

int64_t modificationTime(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return -1;
    return st.st_mtim.tv_sec;
}

void setModificationTime(const std::string& path, int64_t seconds) {
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

class PosixTransferTest : public ::testing::Test {
  protected:
    FileSystem& fs = realFileSystem();
    test::TempDir temp;
};

TEST_F(PosixTransferTest, copyKeepsBytesAndModificationTimeAndLeavesNoTemporaryFile) {
    const std::string bytes(3 << 20, 'q');
    const std::string source = temp.writeFile("a/IMG_1.JPG", bytes);
    setModificationTime(source, 1234567890);
    const std::string target = temp.makeDir("b") + "/copy.jpg";

    EXPECT_EQ(fs.copyFile(source, target, true), kErrorSuccess);
    EXPECT_EQ(readFile(target), bytes);
    EXPECT_EQ(modificationTime(target), 1234567890);
    EXPECT_EQ(readFile(source), bytes);
    EXPECT_EQ(listNames(temp.file("b")), std::vector<std::string>{"copy.jpg"});
}

TEST_F(PosixTransferTest, copyNeverReplacesUnlessAskedTo) {
    const std::string source = temp.writeFile("IMG_1.JPG", std::string("new"));
    const std::string target = temp.writeFile("t/old.jpg", std::string("old"));

    EXPECT_EQ(fs.copyFile(source, target, true), kErrorFileExists);
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(fs.copyFile(source, target, false), kErrorSuccess);
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(listNames(temp.file("t")), std::vector<std::string>{"old.jpg"});
}

TEST_F(PosixTransferTest, copyFailuresGiveTheirCodesAndLeaveNothingBehind) {
    const std::string source = temp.writeFile("IMG_1.JPG", std::string("x"));
    temp.makeDir("t");
    EXPECT_EQ(fs.copyFile(temp.file("missing.jpg"), temp.file("t/a.jpg"), true),
              kErrorFileNotFound);
    EXPECT_EQ(fs.copyFile(temp.file("gone/missing.jpg"), temp.file("t/a.jpg"), true),
              kErrorPathNotFound);
    EXPECT_EQ(fs.copyFile(source, temp.file("nowhere/a.jpg"), true), kErrorPathNotFound);
    EXPECT_EQ(fs.copyFile(temp.path(), temp.file("t/a.jpg"), true), kErrorAccessDenied);
    EXPECT_EQ(fs.copyFile(source, temp.file("t/") + std::string(300, 'n'), true),
              kErrorFilenameExcedRange);
    EXPECT_TRUE(listNames(temp.file("t")).empty());
}

TEST_F(PosixTransferTest, plainMoveNeverReplacesAnExistingFile) {
    const std::string source = temp.writeFile("IMG_1.JPG", std::string("new"));
    const std::string target = temp.writeFile("old.jpg", std::string("old"));

    EXPECT_EQ(fs.moveFile(source, target, kMoveCopyAllowed), kErrorAlreadyExists);
    EXPECT_EQ(fs.moveFile(source, target, 0), kErrorAlreadyExists);
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(readFile(source), "new");

    EXPECT_EQ(fs.moveFile(source, target, kMoveReplaceExisting | kMoveCopyAllowed), kErrorSuccess);
    EXPECT_EQ(readFile(target), "new");
    EXPECT_FALSE(fileExists(source));
    EXPECT_EQ(fs.moveFile(source, target, kMoveCopyAllowed), kErrorFileNotFound);
    EXPECT_EQ(fs.moveFile(target, temp.file("nowhere/x.jpg"), kMoveCopyAllowed),
              kErrorPathNotFound);
}

TEST_F(PosixTransferTest, createDirectoryOneLevelAtATime) {
    EXPECT_EQ(fs.createDirectory(temp.file("album")), kErrorSuccess);
    EXPECT_EQ(fs.createDirectory(temp.file("album")), kErrorAlreadyExists);
    temp.writeFile("file", std::string("x"));
    EXPECT_EQ(fs.createDirectory(temp.file("file")), kErrorAlreadyExists);
    EXPECT_EQ(fs.createDirectory(temp.file("a/b")), kErrorPathNotFound);
    EXPECT_EQ(fs.createDirectory(temp.file("file/sub")), kErrorDirectory);
}

class CrossVolumeMove : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/dev/shm/lumora-test-XXXXXX";
        if (::mkdtemp(pattern) == nullptr) GTEST_SKIP() << "no /dev/shm here";
        shm = pattern;
        if (fs.driveOf(shm) == fs.driveOf(temp.path()))
            GTEST_SKIP() << "/dev/shm is not its own volume";
    }
    void TearDown() override {
        std::error_code error;
        if (!shm.empty()) std::filesystem::remove_all(shm, error);
    }

    std::string writeShm(const std::string& name, const std::string& bytes) {
        const std::string path = shm + "/" + name;
        FILE* out = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        return path;
    }

    FileSystem& fs = realFileSystem();
    test::TempDir temp;
    std::string shm;
};

TEST_F(CrossVolumeMove, copiesChecksAndThenRemovesTheSource) {
    const std::string bytes(5 << 20, 'm');
    const std::string source = writeShm("IMG_1.JPG", bytes);
    setModificationTime(source, 1500000000);
    const std::string target = temp.file("moved.jpg");

    EXPECT_EQ(fs.moveFile(source, target, 0), kErrorNotSameDevice);
    EXPECT_EQ(readFile(source), bytes);
    EXPECT_FALSE(fileExists(target));

    EXPECT_EQ(fs.moveFile(source, target, kMoveCopyAllowed), kErrorSuccess);
    EXPECT_EQ(readFile(target), bytes);
    EXPECT_EQ(modificationTime(target), 1500000000);
    EXPECT_FALSE(fileExists(source));
    EXPECT_EQ(listNames(temp.path()), std::vector<std::string>{"moved.jpg"});
}

TEST_F(CrossVolumeMove, neverReplacesWithoutTheFlag) {
    const std::string source = writeShm("IMG_1.JPG", "new");
    const std::string target = temp.writeFile("old.jpg", std::string("old"));

    EXPECT_EQ(fs.moveFile(source, target, kMoveCopyAllowed), kErrorAlreadyExists);
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(readFile(source), "new");
    EXPECT_EQ(fs.moveFile(source, target, kMoveCopyAllowed | kMoveReplaceExisting), kErrorSuccess);
    EXPECT_EQ(readFile(target), "new");
    EXPECT_FALSE(fileExists(source));
}

TEST_F(CrossVolumeMove, aMoveIntoAMissingFolderKeepsTheSource) {
    const std::string source = writeShm("IMG_1.JPG", "keep");
    EXPECT_EQ(fs.moveFile(source, temp.file("nowhere/x.jpg"), kMoveCopyAllowed),
              kErrorPathNotFound);
    EXPECT_EQ(readFile(source), "keep");
}

TEST(Volumes, freeSpaceOfAFolderAndOfAMissingOne) {
    test::TempDir temp;
    FileSystem& fs = realFileSystem();
    uint64_t freeBytes = 0;
    EXPECT_EQ(fs.freeSpace(temp.path(), freeBytes), kErrorSuccess);
    EXPECT_GT(freeBytes, 0u);
    EXPECT_EQ(fs.freeSpace(temp.file("missing"), freeBytes), kErrorPathNotFound);
    EXPECT_EQ(freeBytes, 0u);
}

TEST(Volumes, driveOfIsTheMountPointOfTheNearestExistingFolder) {
    test::TempDir temp;
    FileSystem& fs = realFileSystem();
    const std::string drive = fs.driveOf(temp.path());
    EXPECT_EQ(drive.substr(0, 1), "/");
    EXPECT_EQ(fs.driveOf(temp.file("not/there/yet.jpg")), drive);
    EXPECT_EQ(fs.driveOf("/"), "/");
    EXPECT_EQ(fs.driveOf(""), "NONE");
    EXPECT_EQ(temp.path().rfind(drive == "/" ? "/" : drive + "/", 0), 0u) << drive;
    if (fileExists("/proc/self/mountinfo") && fileExists("/dev/shm")) {
        EXPECT_EQ(fs.driveOf("/dev/shm/anything"), fs.driveOf("/dev/shm"));
    }
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(fs.driveOf("relative/name.jpg"), fs.driveOf(cwd));
}

TEST_F(PosixTransferTest, movingALinkBringsThePictureAndRemovesOnlyTheLink) {
    const std::string picture = temp.writeFile("card/IMG_1.JPG", std::string("the picture"));
    const std::string link = temp.file("source/IMG_1.JPG");
    std::filesystem::create_directories(temp.file("source"));
    ASSERT_EQ(::symlink(picture.c_str(), link.c_str()), 0);
    const std::string target = temp.makeDir("album") + "/day-1.jpg";

    EXPECT_EQ(fs.moveFile(link, target, kMoveCopyAllowed), kErrorSuccess);

    EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(target)));
    EXPECT_EQ(readFile(target), "the picture");
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
    EXPECT_EQ(readFile(picture), "the picture");
    EXPECT_EQ(listNames(temp.file("album")), std::vector<std::string>{"day-1.jpg"});
}

TEST_F(PosixTransferTest, aLinkIsNotMovedOntoAnExistingFileUnlessAskedTo) {
    const std::string picture = temp.writeFile("card/IMG_1.JPG", std::string("the picture"));
    const std::string link = temp.file("IMG_1.JPG");
    ASSERT_EQ(::symlink(picture.c_str(), link.c_str()), 0);
    const std::string target = temp.writeFile("album/day-1.jpg", std::string("older"));

    EXPECT_EQ(fs.moveFile(link, target, kMoveCopyAllowed), kErrorAlreadyExists);
    EXPECT_EQ(readFile(target), "older");
    EXPECT_EQ(fs.moveFile(link, target, kMoveCopyAllowed | kMoveReplaceExisting), kErrorSuccess);
    EXPECT_EQ(readFile(target), "the picture");
    EXPECT_EQ(readFile(picture), "the picture");
}

// A process number that no running process has.
long endedProcess() {
    for (long pid = 4000000; pid > 100000; pid -= 997) {
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return pid;
    }
    return -1;
}

TEST_F(PosixTransferTest, onlyTheUnfinishedCopiesOfEndedRunsAreLeftovers) {
    const long ended = endedProcess();
    ASSERT_GT(ended, 0);
    const std::string endedName = ".lumora-" + std::to_string(ended) + "-3.part";
    EXPECT_TRUE(isLeftoverTemporaryName(endedName));
    // This process, and a process that is running, may still be writing.
    EXPECT_FALSE(isLeftoverTemporaryName(".lumora-" + std::to_string(::getpid()) + "-3.part"));
    EXPECT_FALSE(isLeftoverTemporaryName(".lumora-1-3.part"));
    for (const std::string& other : std::vector<std::string>{
             ".lumora-.part", ".lumora--3.part", ".lumora-x-3.part",
             "lumora-" + std::to_string(ended) + "-3.part",
             ".lumora-" + std::to_string(ended) + "-3.part.jpg", "IMG_1.part"}) {
        EXPECT_FALSE(isLeftoverTemporaryName(other)) << other;
    }
}

TEST(Leftovers, aRunRemovesTheUnfinishedCopiesOfEndedRunsFromItsFolders) {
    const long ended = endedProcess();
    ASSERT_GT(ended, 0);
    test::ProcessBench bench;
    Album& album = bench.addAlbum("day", "/");
    album.addDate = 0;
    album.addTime = 0;
    bench.addPicture("IMG_1.JPG", 1, 1, album.id);
    const std::string killed = ".lumora-" + std::to_string(ended) + "-0.part";
    bench.temp.writeFile("target/day/" + killed, std::string("half a copy"));
    bench.temp.writeFile("target/day/.lumora-1-0.part", std::string("still being written"));
    bench.temp.writeFile("target/day/notes.part", std::string("not ours"));
    test::ScriptedPrompter prompter;
    prompter.expect("Directory already exists( day)! Continue?", "Lumora", Buttons::YesNo,
                    kAnswerYes);

    bench.run(realFileSystem(), prompter);

    EXPECT_EQ(listNames(bench.target + "/day"),
              (std::vector<std::string>{".lumora-1-0.part", "day-1.jpg", "notes.part"}));
}

}  // namespace
}  // namespace lumora
