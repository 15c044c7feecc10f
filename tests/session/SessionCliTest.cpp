#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/AlbumDetailsText.h"
#include "app/SessionCommands.h"
#include "cli/Commands.h"
#include "tests/session/SessionWork.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

struct CommandRun {
    int status = 0;
    std::string out;
    std::string err;
};

CommandRun runSessionCommand(const cli::Arguments& args) {
    CommandRun run;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    run.status = cli::runSession(args);
    std::fflush(stdout);
    run.out = testing::internal::GetCapturedStdout();
    run.err = testing::internal::GetCapturedStderr();
    return run;
}

class SessionCli : public ::testing::Test {
  protected:
    void SetUp() override {
        test::writeSourcePictures(source);
        test::ScriptedPrompter prompter;
        prompter.answer(kAnswerOk);  // the zero-date warning
        test::buildWork(work, source.path(), prompter);
        path = files.file("work.lsn");
        test::ScriptedPrompter quiet;
        ASSERT_EQ(saveSessionCommand(work, path, quiet), SessionResult::Done);
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir source;
    test::TempDir files;
    Workspace work;
    std::string path;
};

TEST_F(SessionCli, showPrintsEachAlbumsListLineAndDetailsInTheStoredFormats) {
    const CommandRun run = runSessionCommand({"show", path});
    EXPECT_EQ(run.status, cli::kExitSuccess);
    EXPECT_EQ(run.err, "");
    std::string expected;
    const char* lines[] = {"1. Arrival", "2. Harbour", "3. "};
    for (size_t i = 0; i < work.albums.size(); ++i) {
        expected += std::string("\n") + lines[i] + "\n";
        for (const std::string& line : albumDetailsLines(work.albums[i], "/albums/out", 4, 2)) {
            expected += "  " + line + "\n";
        }
        expected += "  Stored fields:\n";
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n--- in ---\n"
                                                             << run.out;
        expected.clear();
    }
    for (const char* text : {
             "Header: \"1.1\\x00\"\n",
             "Date format: 4\n",
             "Time format: 2\n",
             "Exclude duplicates: 1\n",
             "Target directory: \"/albums/out\"\n",
             "Albums: 3\n",
             "    name: \"\"\n",
             "    cameraModel: \"Canon PowerShot A70\"\n",
             "Duplicates found: 1\n",
             "Pictures at scan: 10\n",
             "Picture count: 9\n",
             "Picture records (date order): 10\n",
             "custom name 1 \"burst B.jpg\"",
         }) {
        EXPECT_NE(run.out.find(text), std::string::npos) << text;
    }
}

TEST_F(SessionCli, checkTellsWhetherTheSessionStillLoads) {
    CommandRun run = runSessionCommand({"check", path});
    EXPECT_EQ(run.status, cli::kExitSuccess) << run.err;
    EXPECT_EQ(run.out, path + ": loads against " + source.path() +
                           ": 10 pictures (1 removed as duplicates), 3 albums\n");

    source.writeFile("more.jpg", test::exifPicture("2010:10:10 10:10:10"));
    run = runSessionCommand({"check", path});
    EXPECT_EQ(run.status, cli::kExitFailure);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("lumora-cli session check: " + path +
                                ": Source directory was modified. Session could not be loaded! "
                                "(the source holds 11 pictures",
                            0),
              0u)
        << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

// A file of the version whose values were instants shows its album dates
// as that version showed them in this zone, not as wall-clock values an hour
// or more off.
TEST(SessionCliEarlierFile, showReadsItsRangesAsTheInstantsTheyWere) {
    test::TzGuard paris{"CET-1CEST,M3.5.0,M10.5.0/3"};
    const std::string file = std::string(LUMORA_SESSION_FIXTURES) + "/paris-january.lsn";
    const CommandRun run = runSessionCommand({"show", file});
    ASSERT_EQ(run.status, cli::kExitSuccess) << run.err;
    EXPECT_NE(run.out.find("Written by an earlier version"), std::string::npos);
    // The album set by hand over the whole year of 2024.
    EXPECT_NE(run.out.find("  Start date: [2024-01-01]/[00 00 00]\n"
                           "  End date: [2024-12-31]/[23 59 59]\n"),
              std::string::npos)
        << run.out;
}

TEST_F(SessionCli, refusesBrokenFilesAndWrongUsage) {
    files.writeFile("short.lsn", std::string("1.0"));
    CommandRun run = runSessionCommand({"show", files.file("short.lsn")});
    EXPECT_EQ(run.status, cli::kExitFailure);
    EXPECT_EQ(run.err, "lumora-cli session show: " + files.file("short.lsn") +
                           ": File could not be loaded! (the file ends in the header at byte 0 "
                           "(4 bytes needed, 3 left))\n");
    for (const cli::Arguments& args :
         {cli::Arguments{}, cli::Arguments{"show"}, cli::Arguments{"list", path},
          cli::Arguments{"check", path, path}}) {
        EXPECT_EQ(runSessionCommand(args).status, cli::kExitUsage);
    }
}

}  // namespace
}  // namespace lumora
