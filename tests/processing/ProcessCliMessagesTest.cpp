// What organize and process print when the target or the session cannot be
// used, when a write fails, and on a terminal: the exact lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/SessionCommands.h"
#include "cli/Commands.h"
#include "tests/processing/CliRun.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::CliRun;
using test::runCli;

// A folder on a read-only disk: nothing can be made or written below it.
// (Tests run as root, whom permission bits do not stop.)
class ReadOnlyFolder : public test::FaultyFileSystem {
  public:
    explicit ReadOnlyFolder(std::string folder)
        : folder_(std::move(folder) + test::nativePath("/")) {}

    std::unique_ptr<OutputFile> openWrite(const std::string& path, CreateMode mode,
                                          ErrorCode& error) override {
        if (below(path)) {
            error = kErrorWriteProtect;
            return nullptr;
        }
        return FaultyFileSystem::openWrite(path, mode, error);
    }
    ErrorCode createDirectory(const std::string& path) override {
        return below(path) ? kErrorWriteProtect : FaultyFileSystem::createDirectory(path);
    }
    ErrorCode copyFile(const std::string& source, const std::string& target,
                       bool failIfExists) override {
        return below(target) ? kErrorWriteProtect
                             : FaultyFileSystem::copyFile(source, target, failIfExists);
    }

  private:
    bool below(const std::string& path) const { return path.rfind(folder_, 0) == 0; }
    std::string folder_;
};

class ProcessCliMessages : public ::testing::Test {
  protected:
    ProcessCliMessages() {
        source = temp.makeDir("src");
        temp.writeFile("src/a/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
        temp.writeFile("src/b/IMG_2.JPG", test::exifPicture("2019:11:20 08:00:00"));
    }

    // A session of one album of both pictures, with the given target.
    std::string saveSession(const std::string& target,
                            const std::function<void(Album&)>& shape = nullptr) {
        Workspace workspace;
        test::ScriptedPrompter prompter;
        workspace.setSource(source, prompter, nullProgress());
        workspace.assignPictureIds();
        Album& album = appendNewAlbum(workspace.albums);
        album.name = "Trip";
        album.unsaved = 0;
        for (PictureEntry& picture : workspace.pictures()) {
            picture.albumId = album.id;
            ++album.pictureCount;
        }
        if (shape) shape(album);
        workspace.targetText = target;
        const std::string file = temp.file("trip.lsn");
        EXPECT_EQ(saveSessionCommand(workspace, file, prompter), SessionResult::Done);
        return file;
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
};

TEST_F(ProcessCliMessages, aTargetThatCannotBeUsedGetsOneErrorBeforeAnythingStarts) {
    const std::string file = temp.writeFile("afile", std::string("x"));
    const std::string readOnly = temp.makeDir("readonly");
    ReadOnlyFolder fileSystem(readOnly);

    CliRun run = runCli(cli::organizeCommand, {source, file, "--no"});
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "lumora-cli organize: " + file + ": is a file, not a folder\n");

    run = runCli(cli::organizeCommand, {source, readOnly, "--no"}, fileSystem);
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "lumora-cli organize: " + readOnly +
                           ": cannot write into the folder: read-only file system\n");
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead), 0) << "nothing was scanned";

    const std::string missing = temp.file("missing/deeper");
    run = runCli(cli::organizeCommand, {source, missing, "--no"});
    EXPECT_EQ(run.err, "lumora-cli organize: " + missing +
                           ": cannot create the folder: a folder on the path does not exist\n");

    const std::string session = saveSession(temp.file("gone"));
    run = runCli(cli::processCommand, {session, "--no"});
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(run.err, "lumora-cli process: " + temp.file("gone") + ": no such folder\n");
    run = runCli(cli::processCommand, {"--target", file, session});
    EXPECT_EQ(run.err, "lumora-cli process: " + file + ": is a file, not a folder\n");
    run = runCli(cli::processCommand, {"--target", readOnly, session}, fileSystem);
    EXPECT_EQ(run.err, "lumora-cli process: " + readOnly +
                           ": cannot write into the folder: read-only file system\n");
    EXPECT_EQ(test::listNames(readOnly), std::vector<std::string>{});

    // A preview writes nothing, so it does not try; it still refuses a file.
    run = runCli(cli::organizeCommand, {"--dry-run", source, file});
    EXPECT_EQ(run.err, "lumora-cli organize: " + file + ": is a file, not a folder\n");
}

// A folder that takes the probe but not the album folders: the failing call
// is named in words before the program's question, which is never glued to
// anything and never has an empty caption.
TEST_F(ProcessCliMessages, aFailedWriteIsNamedInWordsBeforeTheQuestion) {
    const std::string target = temp.makeDir("out");
    test::FaultyFileSystem fileSystem;
    fileSystem.failPath(test::FsCall::CreateDirectory, target + test::nativePath("/2019-11-03"),
                        kErrorWriteProtect);
    fileSystem.setFreeBytes(uint64_t{100} << 20);
    fileSystem.setDriveHook([](const std::string&) { return std::string("D"); });

    const CliRun run = runCli(cli::organizeCommand, {source, target, "--abort"}, fileSystem);

    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(run.err,
              "Found 2 .JPG pictures that have exif information.\n"
              "Checking for free space... Found enough space on D:(100.000MB)\n"
              "lumora-cli organize: " +
                  target + test::nativePath("/2019-11-03") +
                  ": cannot create the folder: read-only file system\n"
                  "System Error: The media is write protected. Continue? [Abort/Retry/Ignore] "
                  "-> Abort\n"
                  "Move to next album? [Yes/No] -> No\n"
                  "lumora-cli organize: 1 of 2 albums were not processed\n"
                  "lumora-cli organize: 2 of 2 pictures were not transferred (1 album given up, "
                  "1 not reached)\n");
    EXPECT_EQ(run.out,
              "Operation canceled by user!\n"
              "untransferred\talbum given up\t" +
                  source + test::nativePath("/a/IMG_1.JPG") + "\t\n" +
                  "untransferred\tnot reached\t" + source + test::nativePath("/b/IMG_2.JPG\t\n"));
}

// An album whose folder name is longer than a file system takes: the
// preview says it would be given up and why, the run gives it up before
// making anything and says why, not that a user cancelled.
TEST_F(ProcessCliMessages, anAlbumGivenUpForAnOverlongNameSaysWhyAndMakesNothing) {
    const std::string target = temp.makeDir("out");
    const std::string longName(300, 'x');
    const std::string session =
        saveSession(target, [&](Album& album) { album.directoryName = longName; });
    const std::string reason = "The filename or extension is too long. Please redefine album";

    const CliRun preview = runCli(cli::processCommand, {session, "--dry-run"});
    EXPECT_EQ(preview.code, cli::kExitFailure);
    EXPECT_NE(preview.err.find("album 'Trip' would be given up: " + reason), std::string::npos)
        << preview.err;
    EXPECT_EQ(preview.out.find("copy\t"), std::string::npos) << preview.out;

    const CliRun run = runCli(cli::processCommand, {session});
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(test::linesOf(run.out).front(), "No album was created: " + reason);
    EXPECT_EQ(run.out.find(kCanceledByUserText), std::string::npos);
    EXPECT_TRUE(test::listNames(target).empty());
}

TEST_F(ProcessCliMessages, aDamagedSessionIsRefusedWithTheReason) {
    const std::string damaged = temp.writeFile("short.lsn", std::string("1.0"));
    CliRun run = runCli(cli::processCommand, {damaged, "--target", source});
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(run.err, "lumora-cli process: " + damaged +
                           ": File could not be loaded! (the file ends in the header at byte 0 "
                           "(4 bytes needed, 3 left))\n");
    const std::string absent = temp.file("absent.lsn");
    run = runCli(cli::processCommand, {absent});
    EXPECT_EQ(run.err, "lumora-cli process: " + absent +
                           ": File could not be loaded! (cannot read the file: no such file or "
                           "folder)\n");

    // A source that changed since: the reason, once, and not as a window's box.
    const std::string session = saveSession(temp.makeDir("out"));
    temp.writeFile("src/c/IMG_3.JPG", test::exifPicture("2019:12:01 08:00:00"));
    run = runCli(cli::processCommand, {session, "--no"});
    EXPECT_EQ(run.code, cli::kExitFailure);
    EXPECT_EQ(run.err, "lumora-cli process: " + session +
                           ": Source directory was modified. Session could not be loaded! (" +
                           source +
                           " no longer holds the pictures the session was saved with; "
                           "'lumora-cli session check " +
                           session + "' tells more)\n");
}

// After a move, what stayed in the source and why.
TEST_F(ProcessCliMessages, aMoveSaysHowManyFilesWereLeftInTheSourceAndWhy) {
    temp.writeFile("src/a/notes.txt", std::string("a note"));
    temp.writeFile("src/a/IMG_9.JPG", test::plainPicture());  // no EXIF date
    temp.writeFile("src/Temporary Internet Files/x.jpg", test::exifPicture("2019:11:03 10:00:00"));
    const std::string target = temp.file("out");

    const CliRun preview = runCli(cli::organizeCommand, {source, target, "--move", "--dry-run"});
    EXPECT_EQ(test::linesOf(preview.out).back(),
              "3 files would be left in " + source +
                  ": 1 without an EXIF date, 1 not named .jpg, 1 in a folder named 'Temporary "
                  "Internet Files'");
    const CliRun run = runCli(cli::organizeCommand, {source, target, "--move", "-q"});
    EXPECT_EQ(run.code, cli::kExitSuccess) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out,
              "2 albums created succesfuly!\n"
              "3 files were left in " +
                  source +
                  ": 1 without an EXIF date, 1 not named .jpg, 1 in a folder named "
                  "'Temporary Internet Files'\n");
}

// On a terminal: one progress line, redrawn in place and cleared before any
// question and before the summary; the window's last words never shown.
TEST_F(ProcessCliMessages, onATerminalTheProgressLineIsClearedBeforeQuestionsAndTheSummary) {
    const std::string target = temp.makeDir("out");
    temp.writeFile("out/2019-11-03/2019-11-03-0 [2019-11-03] [10 20 30].jpg", std::string("old"));

    const CliRun run =
        runCli(cli::organizeCommand, {source, target}, realFileSystem(), true, "y\nn\n");

    EXPECT_EQ(run.code, cli::kExitFailure);
    const std::string clear = "\r\033[K";
    EXPECT_NE(
        run.err.find(clear + "0/2 0% Processing album: 2019-11-03: Copying...IMG_1.jpg" + clear +
                     "Directory already exists( 2019-11-03)! "
                     "Continue? [y=Yes, n=No; upper case: for all conflicts] "),
        std::string::npos)
        << run.err;
    // The answer's line break is the terminal's echo of the key typed.
    // Routine questions carry the program's name, which a line leaves out.
    EXPECT_NE(run.err.find("[y=Yes, n=No; upper case: for all conflicts] 2019-11-03-0 "
                           "[2019-11-03] [10 20 30].jpg already exists! Overwrite? [y=Yes, n=No, "
                           "c=Cancel; upper case: for all conflicts] " +
                           clear + "1/2 50%"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("2/2 100% Processing album: 2019-11-20: Copying...IMG_2.jpg" + clear),
              std::string::npos)
        << run.err;
    EXPECT_EQ(run.err.find("Press 'Close Window'"), std::string::npos);
    EXPECT_EQ(run.err.find("albums created"), std::string::npos) << "the summary is printed once";
    EXPECT_EQ(test::linesOf(run.out).front(), "2 albums created succesfuly!");
}

}  // namespace
}  // namespace lumora
