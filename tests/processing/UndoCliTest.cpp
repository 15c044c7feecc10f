// lumora-cli undo after organize and process: the preview lists exactly what
// the undo then does, the session follows on request, a journal can be forgotten.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "cli/Commands.h"
#include "processing/JournalFormat.h"
#include "processing/RunJournal.h"
#include "processing/RunUndo.h"
#include "session/SessionDecoder.h"
#include "session/SessionEncoder.h"
#include "tests/processing/CliRun.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/PictureFiles.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::runCli;

using test::filesBelow;

std::string latestJournalOf(const std::string& target) {
    return latestJournal(realFileSystem(), target);
}

// The lines of a text but its last.
std::vector<std::string> allButLast(const std::string& text) {
    std::vector<std::string> lines = test::linesOf(text);
    if (!lines.empty()) lines.pop_back();
    return lines;
}

class UndoCli : public ::testing::Test {
  protected:
    UndoCli() {
        source = temp.makeDir("src");
        target = temp.file("out");
        temp.writeFile("src/a/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
        temp.writeFile("src/a/IMG_2.JPG", test::exifPicture("2019:11:03 19:05:01"));
        temp.writeFile("src/b/IMG_3.JPG", test::exifPicture("2019:11:20 08:00:00"));
        before = filesBelow(source);
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
    std::string target;
    std::map<std::string, std::string> before;
};

TEST_F(UndoCli, thePreviewListsExactlyWhatTheUndoThenDoes) {
    ASSERT_EQ(runCli(cli::organizeCommand, {"--move", source, target}).code, 0);
    const std::string moved =
        target + test::nativePath("/2019-11-20/2019-11-20-2 [2019-11-20] [08 00 00].jpg");
    ASSERT_TRUE(test::fileExists(moved));
    test::CliRun preview = runCli(cli::undoCommand, {"--dry-run", target});
    ASSERT_EQ(preview.code, 0) << preview.err;
    EXPECT_EQ(filesBelow(source).size(), 0u);  // the preview changed nothing
    EXPECT_EQ(test::linesOf(preview.out).back(),
              "would undo: 3 pictures moved back, 0 copies removed, 2 folders removed");

    const test::CliRun undo = runCli(cli::undoCommand, {"--yes", target});
    ASSERT_EQ(undo.code, 0) << undo.err;
    EXPECT_EQ(allButLast(undo.out), allButLast(preview.out));
    EXPECT_EQ(test::linesOf(undo.out).back(),
              "undone: 3 pictures moved back, 0 copies removed, 2 folders removed");
    EXPECT_EQ(filesBelow(source), before);
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(target))
        names.push_back(item.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{kJournalFolderName});

    const test::CliRun again = runCli(cli::undoCommand, {"--yes", target});
    EXPECT_EQ(again.code, 0);
    EXPECT_NE(again.out.find("was undone already"), std::string::npos) << again.out;
    EXPECT_EQ(filesBelow(source), before);
}

TEST_F(UndoCli, leavesAnEditedCopyAndFailsSayingWhy) {
    ASSERT_EQ(runCli(cli::organizeCommand, {source, target}).code, 0);
    const std::string edited =
        target + test::nativePath("/2019-11-20/2019-11-20-2 [2019-11-20] [08 00 00].jpg");
    temp.writeFile("out/2019-11-20/2019-11-20-2 [2019-11-20] [08 00 00].jpg", "retouched");
    const test::CliRun preview = runCli(cli::undoCommand, {"--dry-run", target});
    const test::CliRun undo = runCli(cli::undoCommand, {"--yes", target});
    EXPECT_EQ(undo.code, 1);
    EXPECT_EQ(allButLast(undo.out), allButLast(preview.out));
    EXPECT_NE(undo.out.find("leave: " + edited + ": changed since the run"), std::string::npos)
        << undo.out;
    EXPECT_EQ(test::readFile(edited), "retouched");
    EXPECT_EQ(filesBelow(source), before);
}

TEST_F(UndoCli, withoutATerminalOrYesNothingIsUndone) {
    ASSERT_EQ(runCli(cli::organizeCommand, {"--move", source, target}).code, 0);
    const test::CliRun undo = runCli(cli::undoCommand, {target});
    EXPECT_EQ(undo.code, 1);
    EXPECT_NE(undo.err.find("nothing was undone"), std::string::npos) << undo.err;
    EXPECT_TRUE(filesBelow(source).empty());
    EXPECT_EQ(runCli(cli::undoCommand, {temp.makeDir("empty")}).code, 1);
    EXPECT_EQ(runCli(cli::undoCommand, {}).code, 2);
}

TEST_F(UndoCli, forgetRemovesTheJournal) {
    ASSERT_EQ(runCli(cli::organizeCommand, {source, target}).code, 0);
    const std::string journal = latestJournalOf(target);
    ASSERT_FALSE(journal.empty());
    EXPECT_EQ(runCli(cli::undoCommand, {"--forget", journal}).code, 1);  // not confirmed
    EXPECT_TRUE(test::fileExists(journal));
    const test::CliRun forgot = runCli(cli::undoCommand, {"--forget", journal, "--yes"});
    EXPECT_EQ(forgot.code, 0) << forgot.err;
    EXPECT_FALSE(test::fileExists(target + test::nativePath("/") + kJournalFolderName));
}

// process names its session in the journal; a session saved after the run
// marks the albums processed, and --session-too clears exactly those marks.
TEST_F(UndoCli, sessionTooClearsTheProcessedMarksAndNothingElse) {
    const std::string session = temp.file("trip.lsn");
    ASSERT_EQ(runCli(cli::organizeCommand, {source, target, "--save-session", session}).code, 0);
    const std::string saved = test::readFile(session);
    ASSERT_EQ(runCli(cli::processCommand, {"--move", session}).code, 0);
    // What Save Session after the run would write: the albums marked processed.
    SessionData data;
    std::string problem;
    ASSERT_TRUE(
        decodeSession(reinterpret_cast<const uint8_t*>(saved.data()), saved.size(), data, problem));
    for (Album& album : data.albums) album.processed = 1;
    const std::vector<uint8_t> marked = encodeSession(data);
    temp.writeFile("trip.lsn", marked);

    const test::CliRun plain = runCli(cli::undoCommand, {"--yes", target});
    EXPECT_EQ(plain.code, 0) << plain.err;
    EXPECT_NE(plain.err.find(session + " still marks 2 albums of the run processed"),
              std::string::npos)
        << plain.err;
    EXPECT_EQ(test::readFile(session), std::string(marked.begin(), marked.end()));
    EXPECT_EQ(filesBelow(source), before);

    const test::CliRun too = runCli(cli::undoCommand, {"--yes", "--session-too", target});
    EXPECT_EQ(too.code, 0) << too.err;
    EXPECT_NE(too.out.find("processed marks cleared: 2 albums in " + session), std::string::npos)
        << too.out;
    EXPECT_EQ(test::readFile(session), saved);
}

}  // namespace
}  // namespace lumora
