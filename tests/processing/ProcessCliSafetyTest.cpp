// What organize and process must never do: write over a file that is not
// theirs to replace, or call a run a success when a picture did not arrive
// or a source could not be removed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/Commands.h"
#include "tests/processing/CliRun.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"

namespace lumora {
namespace {

using test::CliRun;
using test::readFile;
using test::runCli;

// A source on a read-only card mounted apart from the target: a move
// copies the picture across and cannot remove the source, which the file
// system reports as a move done, as Windows does.
class ReadOnlySource : public test::FaultyFileSystem {
  public:
    explicit ReadOnlySource(std::string folder) : folder_(std::move(folder) + "/") {}

    ErrorCode moveFile(const std::string& source, const std::string& target,
                       unsigned flags) override {
        if (!below(source)) return FaultyFileSystem::moveFile(source, target, flags);
        return FaultyFileSystem::copyFile(source, target, (flags & kMoveReplaceExisting) == 0);
    }
    ErrorCode removeFile(const std::string& path) override {
        return below(path) ? kErrorWriteProtect : FaultyFileSystem::removeFile(path);
    }

  private:
    bool below(const std::string& path) const { return path.rfind(folder_, 0) == 0; }
    std::string folder_;
};

// Kills the process for good at the move of one picture, once its copy
// stands whole at the target and before the source is removed.
class KilledAtMove : public test::FaultyFileSystem {
  public:
    explicit KilledAtMove(std::string victim) : victim_(std::move(victim)) {}

    ErrorCode moveFile(const std::string& source, const std::string& target,
                       unsigned flags) override {
        if (source == victim_) {
            FaultyFileSystem::copyFile(source, target, true);
            ::raise(SIGKILL);
        }
        return FaultyFileSystem::moveFile(source, target, flags);
    }

  private:
    std::string victim_;
};

uint64_t sizeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return static_cast<uint64_t>(st.st_size);
}

class ProcessCliSafety : public ::testing::Test {
  protected:
    ProcessCliSafety() {
        source = temp.makeDir("src");
        target = temp.file("out");
        temp.writeFile("src/a/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
        temp.writeFile("src/b/IMG_2.JPG", test::exifPicture("2019:11:20 08:00:00"));
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
    std::string target;
};

// --save-session over a picture of the card, over a file that is no session
// (directly and through a link), and over an earlier session under each
// answer.
TEST_F(ProcessCliSafety, saveSessionNeverReplacesAPictureOrAFileThatIsNoSession) {
    const std::string picture = source + "/a/IMG_1.JPG";
    const std::string pictureBytes = readFile(picture);
    for (const char* answer : {"--yes", "--no", "--abort"}) {
        const CliRun run =
            runCli(cli::organizeCommand, {"--save-session", picture, answer, source, target});
        EXPECT_EQ(run.code, cli::kExitFailure) << answer;
        EXPECT_EQ(run.out, "") << answer;
        EXPECT_NE(run.err.find(picture + ": is a picture of the source"), std::string::npos)
            << run.err;
        EXPECT_EQ(readFile(picture), pictureBytes) << answer;
    }

    const std::string notes = temp.writeFile("notes.txt", std::vector<uint8_t>{'h', 'i'});
    const std::string link = temp.file("link.lsn");
    ASSERT_EQ(::symlink(notes.c_str(), link.c_str()), 0);
    for (const std::string& file : {notes, link}) {
        const CliRun run =
            runCli(cli::organizeCommand, {"--save-session", file, "--yes", source, target});
        EXPECT_EQ(run.code, cli::kExitFailure) << file;
        EXPECT_NE(run.err.find(file + ": is not a session file"), std::string::npos) << run.err;
        EXPECT_EQ(readFile(notes), "hi") << file;
    }

    const std::string session = temp.file("card.lsn");
    ASSERT_EQ(runCli(cli::organizeCommand, {"--save-session", session, source, target}).code,
              cli::kExitSuccess);
    const std::string first = readFile(session);
    temp.writeFile("src/c/IMG_3.JPG", test::exifPicture("2019:12:01 08:00:00"));
    for (const char* answer : {"--no", "--abort"}) {
        const CliRun run =
            runCli(cli::organizeCommand, {"--save-session", session, answer, source, target});
        EXPECT_EQ(run.code, cli::kExitFailure) << answer;
        EXPECT_NE(run.err.find("card.lsn already exists! Overwrite?"), std::string::npos)
            << run.err;
        EXPECT_EQ(readFile(session), first) << answer;
    }
    // The default, with no terminal to ask on, is --no.
    EXPECT_EQ(runCli(cli::organizeCommand, {"--save-session", session, source, target}).code,
              cli::kExitFailure);
    EXPECT_EQ(readFile(session), first);

    const CliRun replaced =
        runCli(cli::organizeCommand, {"--save-session", session, "--yes", source, target});
    EXPECT_EQ(replaced.code, cli::kExitSuccess) << replaced.err;
    EXPECT_NE(readFile(session), first);
    EXPECT_NE(replaced.out.find("3 albums of 3 pictures"), std::string::npos) << replaced.out;
}

TEST_F(ProcessCliSafety, aMoveFromAReadOnlyCardNamesEverySourceThatStayedAndFails) {
    ReadOnlySource card(source);
    const CliRun run = runCli(cli::organizeCommand, {"--move", source, target}, card);
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_TRUE(test::fileExists(target + "/2019-11-03/2019-11-03-0 [2019-11-03] [10 20 30].jpg"));
    EXPECT_TRUE(test::fileExists(source + "/a/IMG_1.JPG"));
    for (const char* picture : {"/a/IMG_1.JPG", "/b/IMG_2.JPG"}) {
        EXPECT_NE(run.err.find(source + picture + ": cannot remove the source: "),
                  std::string::npos)
            << run.err;
    }
    EXPECT_NE(run.err.find("2 of 2 moved pictures could not be removed from the source"),
              std::string::npos)
        << run.err;
}

// A folder the scan cannot list and a picture it cannot open: whatever the
// answer, the run fails, and the line of files left names the folder.
TEST_F(ProcessCliSafety, anythingUnreadableUnderTheSourceFailsTheRunAndIsNamed) {
    temp.writeFile("src/c/IMG_5.JPG", test::exifPicture("2019:11:21 08:00:00"));
    temp.writeFile("src/c/IMG_6.JPG", test::exifPicture("2019:11:22 08:00:00"));
    temp.writeFile("src/a/IMG_7.JPG", test::exifPicture("2019:11:23 08:00:00"));
    test::FaultyFileSystem card;
    card.failPath(test::FsCall::ListDirectory, source + "/c", kErrorAccessDenied);
    for (const bool move : {false, true}) {
        cli::Arguments args{source, temp.file(move ? "moved" : "copied")};
        if (move) args.push_back("--move");
        const CliRun folder = runCli(cli::organizeCommand, args, card);
        EXPECT_EQ(folder.code, cli::kExitFailure) << move;
        EXPECT_NE(folder.err.find(source + "/c: cannot read the folder"), std::string::npos)
            << folder.err;
        if (move) {
            EXPECT_EQ(test::linesOf(folder.out).back(),
                      "Files were left in " + source +
                          ": those of 1 folder that could not be read (" + source + "/c)");
        }
    }

    const std::string second = temp.makeDir("second");
    temp.writeFile("second/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
    temp.writeFile("second/IMG_7.JPG", test::exifPicture("2019:11:23 08:00:00"));
    card.clearRules();
    card.failPath(test::FsCall::OpenRead, second + "/IMG_7.JPG", kErrorAccessDenied);
    const CliRun picture =
        runCli(cli::organizeCommand, {second, temp.file("again"), "--move"}, card);
    EXPECT_EQ(picture.code, cli::kExitFailure) << picture.err;
    EXPECT_EQ(test::linesOf(picture.out).back(),
              "1 file was left in " + second + ": 1 that could not be read");
    EXPECT_NE(picture.err.find("1 file under " + second + " could not be read"), std::string::npos)
        << picture.err;
}

// The list a scan prints misses what could not be read, so the scan fails
// and says what: a folder it cannot list, a picture it cannot open.
TEST_F(ProcessCliSafety, aScanThatCouldNotReadEverythingFails) {
    temp.writeFile("src/c/IMG_5.JPG", test::exifPicture("2019:11:21 08:00:00"));
    test::FaultyFileSystem card;
    const CliRun whole = runCli(cli::scanCommand, {source}, card);
    EXPECT_EQ(whole.code, cli::kExitSuccess) << whole.err;

    card.failPath(test::FsCall::ListDirectory, source + "/c", kErrorAccessDenied);
    const CliRun folder = runCli(cli::scanCommand, {source}, card);
    EXPECT_EQ(folder.code, cli::kExitFailure);
    EXPECT_NE(folder.err.find(source + "/c: cannot read the folder"), std::string::npos)
        << folder.err;
    EXPECT_NE(folder.err.find("1 folder under " + source + " could not be read"),
              std::string::npos)
        << folder.err;
    EXPECT_EQ(folder.out.find("IMG_5.JPG"), std::string::npos) << folder.out;

    card.clearRules();
    card.failPath(test::FsCall::OpenRead, source + "/c/IMG_5.JPG", kErrorAccessDenied);
    const CliRun picture = runCli(cli::scanCommand, {"--yes", source}, card);
    EXPECT_EQ(picture.code, cli::kExitFailure);
    EXPECT_NE(picture.err.find("1 file under " + source + " could not be read"),
              std::string::npos)
        << picture.err;
}

// A move killed between placing a copy and removing its source: the rerun
// numbers the pictures anew, but finds that one whole in its album folder,
// removes its source and places it nowhere else.
TEST_F(ProcessCliSafety, aRerunAfterAKilledMoveTakesThePictureAsArrived) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        KilledAtMove killer(source + "/b/IMG_2.JPG");
        runCli(cli::organizeCommand, {"--move", source, target}, killer);
        ::_exit(0);  // not reached when the kill came
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the run was not killed";
    const std::string placed = target + "/2019-11-20/2019-11-20-1 [2019-11-20] [08 00 00].jpg";
    ASSERT_TRUE(test::fileExists(placed));
    ASSERT_TRUE(test::fileExists(source + "/b/IMG_2.JPG"));

    const CliRun rerun = runCli(cli::organizeCommand, {"--move", source, target});
    EXPECT_EQ(rerun.code, cli::kExitSuccess) << rerun.err;
    EXPECT_EQ(test::listNames(target + "/2019-11-20"),
              std::vector<std::string>{"2019-11-20-1 [2019-11-20] [08 00 00].jpg"});
    EXPECT_FALSE(test::fileExists(source + "/b/IMG_2.JPG"));
    EXPECT_EQ(test::linesOf(rerun.out).front(), "1 albums created succesfuly!");
    EXPECT_EQ(test::linesOf(rerun.out).at(1),
              "1 picture was already whole in its album folder: only the source was removed");
}

// A run stopped by a full disk, rerun once room is made for the pictures
// still to come: those already placed need no room and are no failures.
TEST_F(ProcessCliSafety, aRerunAfterAFullDiskNeedsRoomOnlyForThePicturesStillToCome) {
    temp.writeFile("src/a/IMG_3.JPG", test::exifPicture("2019:11:03 11:00:00"));
    test::FaultyFileSystem disk;
    auto copies = std::make_shared<int>(0);
    disk.setTransferHook(
        [copies](test::FsCall, const std::string&, const std::string&) -> std::optional<ErrorCode> {
            if (++*copies > 1) return kErrorHandleDiskFull;
            return std::nullopt;
        });
    EXPECT_EQ(runCli(cli::organizeCommand, {source, target}, disk).code, cli::kExitFailure);
    ASSERT_EQ(*copies, 3) << "one copy made, then the disk is full in each album";

    disk.setTransferHook(nullptr);
    const uint64_t size = sizeOf(source + "/a/IMG_1.JPG");
    // Room for the margin and the two pictures still to come, not for three.
    disk.setFreeBytes(uint64_t{5} * 1048576 + 2 * size + size / 2);
    const CliRun rerun = runCli(cli::organizeCommand, {source, target}, disk);
    EXPECT_EQ(rerun.code, cli::kExitSuccess) << rerun.out << rerun.err;
    EXPECT_EQ(test::listNames(target + "/2019-11-03").size(), 2u);
    EXPECT_EQ(test::listNames(target + "/2019-11-20").size(), 1u);
    EXPECT_NE(rerun.out.find("1 picture was already whole in its album folder: not copied again"),
              std::string::npos)
        << rerun.out;
}

// Two pictures of equal bytes need two files: a file placed in this run, or
// one that stands for another picture already, never counts as a picture's.
TEST_F(ProcessCliSafety, picturesOfEqualBytesEachKeepAFileOfTheirOwn) {
    temp.writeFile("src/c/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
    const std::string day = target + "/2019-11-03";
    ASSERT_EQ(runCli(cli::organizeCommand, {source, target}).code, cli::kExitSuccess);
    EXPECT_EQ(test::listNames(day).size(), 2u);
    ::unlink((day + "/" + test::listNames(day).front()).c_str());

    const CliRun rerun = runCli(cli::organizeCommand, {"--move", source, target});
    EXPECT_EQ(rerun.code, cli::kExitSuccess) << rerun.err;
    EXPECT_EQ(test::listNames(day).size(), 2u);
    EXPECT_FALSE(test::fileExists(source + "/a/IMG_1.JPG"));
    EXPECT_FALSE(test::fileExists(source + "/c/IMG_1.JPG"));
    EXPECT_NE(rerun.out.find("2 pictures were already whole"), std::string::npos) << rerun.out;
}

// Too little space: the run copies nothing, and both it and its preview
// name every picture that does not arrive.
TEST_F(ProcessCliSafety, aRunRefusedForSpaceAndItsPreviewListEveryPictureUntransferred) {
    test::FaultyFileSystem small;
    small.setFreeBytes(uint64_t{1} << 20);
    const std::vector<std::string> expected{
        "untransferred\tfree space check failed\t" + source + "/a/IMG_1.JPG\t",
        "untransferred\tfree space check failed\t" + source + "/b/IMG_2.JPG\t"};
    const auto untransferred = [](const std::string& out) {
        std::vector<std::string> found;
        for (const std::string& line : test::linesOf(out)) {
            if (line.rfind("untransferred", 0) == 0) found.push_back(line);
            EXPECT_NE(line.rfind("copy", 0), 0u) << line;
            EXPECT_NE(line.rfind("folder", 0), 0u) << line;
        }
        return found;
    };
    const CliRun preview = runCli(cli::organizeCommand, {"--dry-run", source, target}, small);
    EXPECT_EQ(preview.code, cli::kExitFailure);
    EXPECT_EQ(untransferred(preview.out), expected);
    const CliRun run = runCli(cli::organizeCommand, {source, target}, small);
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(untransferred(run.out), expected);
    EXPECT_NE(run.err.find("2 of 2 pictures were not transferred (2 free space check failed)"),
              std::string::npos)
        << run.err;
    EXPECT_TRUE(test::listNames(target).empty());
}

// Tabs, line breaks and backslashes in names: every tab-separated line
// keeps its fields, escaped; -z gives them raw, each ending with a NUL.
TEST_F(ProcessCliSafety, namesWithTabsLineBreaksAndBackslashesKeepEveryLineWhole) {
    const std::string odd = temp.makeDir("odd");
    temp.writeFile("odd/t\tb\\c\nd.JPG", test::exifPicture("2019:11:03 10:20:30"));
    const std::string raw = odd + "/t\tb\\c\nd.JPG";
    const std::string escaped = odd + "/t\\tb\\\\c\\nd.JPG";

    const CliRun preview = runCli(cli::organizeCommand, {"--dry-run", odd, target});
    bool copyLine = false;
    for (const std::string& line : test::linesOf(preview.out)) {
        if (line.rfind("copy\t", 0) != 0) continue;
        copyLine = true;
        EXPECT_EQ(line.substr(0, line.find('\t', 5)), "copy\t" + escaped) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
    }
    EXPECT_TRUE(copyLine) << preview.out;

    test::FaultyFileSystem card;
    card.failPath(test::FsCall::CopyFile, raw, kErrorAccessDenied);
    const CliRun run = runCli(cli::organizeCommand, {odd, target}, card);
    EXPECT_NE(run.out.find("untransferred\tskipped\t" + escaped + "\t"), std::string::npos)
        << run.out;

    const CliRun nul = runCli(cli::organizeCommand, {"--dry-run", "-z", odd, target});
    EXPECT_NE(nul.out.find(std::string("copy\0", 5) + raw + std::string("\0", 1)),
              std::string::npos)
        << nul.out;
    EXPECT_EQ(nul.out.find('\n'), nul.out.find("\nd.JPG")) << "no line breaks but the name's";

    testing::internal::CaptureStdout();
    EXPECT_EQ(cli::runScan({odd}), cli::kExitSuccess);
    const std::string scanned = testing::internal::GetCapturedStdout();
    EXPECT_EQ(test::linesOf(scanned).front().substr(0, escaped.size() + 1), escaped + "\t");
}

// A source that is a file or a named pipe is there, only not a folder.
TEST_F(ProcessCliSafety, aSourceThatIsAFileOrAPipeIsNotAFolder) {
    const std::string file = temp.writeFile("plain.txt", std::string("text"));
    const std::string pipe = temp.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& path : {file, pipe}) {
        const CliRun run = runCli(cli::organizeCommand, {path, target});
        EXPECT_EQ(run.code, cli::kExitFailure);
        EXPECT_EQ(run.err, "lumora-cli organize: " + path + ": is a file, not a folder\n");
    }
}

// Between the scan and the copies (at the free-space check) one picture is
// deleted and another written to.
class ChangingCard : public test::FaultyFileSystem {
  public:
    ChangingCard(std::string gone, std::string grown)
        : gone_(std::move(gone)), grown_(std::move(grown)) {}

    ErrorCode freeSpace(const std::string& path, uint64_t& freeBytes) override {
        ::unlink(gone_.c_str());
        if (std::FILE* file = std::fopen(grown_.c_str(), "ab")) {
            std::fputs("more bytes", file);
            std::fclose(file);
        }
        return FaultyFileSystem::freeSpace(path, freeBytes);
    }

  private:
    std::string gone_;
    std::string grown_;
};

TEST_F(ProcessCliSafety, aPictureGoneSinceTheScanIsMissingAndOneChangedIsReported) {
    const std::string gone = source + "/a/IMG_1.JPG";
    const std::string grown = source + "/b/IMG_2.JPG";
    const uint64_t size = sizeOf(grown);
    ChangingCard card(gone, grown);
    const CliRun run = runCli(cli::organizeCommand, {source, target}, card);
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_NE(run.out.find("untransferred\tmissing\t" + gone + "\t"), std::string::npos) << run.out;
    EXPECT_NE(run.err.find(grown + ": changed since the scan (" + std::to_string(size) +
                           " bytes then, " + std::to_string(size + 10) + " bytes now)"),
              std::string::npos)
        << run.err;
}

// An album given up before any picture arrived leaves no folder behind;
// one that holds a picture stays.
TEST_F(ProcessCliSafety, anAlbumGivenUpAtItsFirstPictureLeavesNoEmptyFolder) {
    temp.writeFile("src/a/IMG_3.JPG", test::exifPicture("2019:11:03 11:00:00"));
    test::FaultyFileSystem full;
    full.failPath(test::FsCall::CopyFile, source + "/b/IMG_2.JPG", kErrorHandleDiskFull);
    full.failPath(test::FsCall::CopyFile, source + "/a/IMG_3.JPG", kErrorHandleDiskFull);
    const CliRun run = runCli(cli::organizeCommand, {source, target}, full);
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(test::listNames(target), std::vector<std::string>{"2019-11-03"}) << run.out;
    EXPECT_EQ(test::listNames(target + "/2019-11-03").size(), 1u);
}

}  // namespace
}  // namespace lumora
