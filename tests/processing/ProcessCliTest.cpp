// lumora-cli organize and process, run in-process over real pictures.
#include <gtest/gtest.h>

#include "app/SessionCommands.h"
#include "cli/Commands.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::listNames;

class ProcessCli : public ::testing::Test {
  protected:
    ProcessCli() {
        source = temp.makeDir("src");
        target = temp.file("out");
        temp.writeFile("src/a/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
        temp.writeFile("src/a/IMG_2.JPG", test::exifPicture("2019:11:03 19:05:01"));
        // Minute and second 0 read as 1, as every scanned date does.
        temp.writeFile("src/b/IMG_3.JPG", test::exifPicture("2019:11:20 08:00:00"));
    }

    int run(int (*command)(const cli::Arguments&), cli::Arguments args) {
        testing::internal::CaptureStdout();
        const int code = command(args);
        output = testing::internal::GetCapturedStdout();
        return code;
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
    std::string target;
    std::string output;
};

TEST_F(ProcessCli, organizeMakesOneFolderPerDayNamedByTheDate) {
    EXPECT_EQ(run(cli::runOrganize, {source, target, "--no"}), cli::kExitSuccess);
    EXPECT_EQ(output, "2 albums created succesfuly!\n");
    EXPECT_EQ(listNames(target), (std::vector<std::string>{"2019-11-03", "2019-11-20"}));
    EXPECT_EQ(listNames(target + "/2019-11-03"),
              (std::vector<std::string>{"2019-11-03-0 [2019-11-03] [10 20 30].jpg",
                                        "2019-11-03-1 [2019-11-03] [19 05 01].jpg"}));
    EXPECT_EQ(listNames(target + "/2019-11-20"),
              std::vector<std::string>{"2019-11-20-2 [2019-11-20] [08 01 01].jpg"});
}

TEST_F(ProcessCli, organizeByMonthAndMoving) {
    EXPECT_EQ(run(cli::runOrganize, {"--by", "month", "--move", source, target}),
              cli::kExitSuccess);
    EXPECT_EQ(listNames(target), std::vector<std::string>{"2019-11"});
    EXPECT_EQ(listNames(target + "/2019-11").size(), 3u);
    EXPECT_TRUE(listNames(source + "/a").empty());
}

TEST_F(ProcessCli, organizingAgainListsTheFilesLeftUntransferred) {
    ASSERT_EQ(run(cli::runOrganize, {source, target, "--no"}), cli::kExitSuccess);
    EXPECT_EQ(run(cli::runOrganize, {source, target, "--no"}), cli::kExitSuccess);
    EXPECT_EQ(output,
              "2 albums created succesfuly!\n"
              "untransferred\tskipped\t" +
                  source + "/a/IMG_1.JPG\t" + target +
                  "/2019-11-03/2019-11-03-0 [2019-11-03] [10 20 30].jpg\n"
                  "untransferred\tskipped\t" +
                  source + "/a/IMG_2.JPG\t" + target +
                  "/2019-11-03/2019-11-03-1 [2019-11-03] [19 05 01].jpg\n"
                  "untransferred\tskipped\t" +
                  source + "/b/IMG_3.JPG\t" + target +
                  "/2019-11-20/2019-11-20-2 [2019-11-20] [08 01 01].jpg\n");

    EXPECT_EQ(run(cli::runOrganize, {source, target, "--abort"}), cli::kExitFailure);
    EXPECT_EQ(output.substr(0, output.find('\n')), "Operation canceled by user!");
}

TEST_F(ProcessCli, rejectsBadUsage) {
    EXPECT_EQ(run(cli::runOrganize, {source}), cli::kExitUsage);
    EXPECT_EQ(run(cli::runOrganize, {source, target, "--by", "week"}), cli::kExitUsage);
    EXPECT_EQ(run(cli::runOrganize, {source, target, "--yes", "--abort"}), cli::kExitUsage);
    EXPECT_EQ(run(cli::runProcess, {}), cli::kExitUsage);
    EXPECT_EQ(run(cli::runOrganize, {source, source, "--no"}), cli::kExitFailure);
}

TEST_F(ProcessCli, processTakesTheAlbumsOfASession) {
    Workspace workspace;
    test::ScriptedPrompter prompter;
    workspace.setSource(source, prompter, nullProgress());
    workspace.assignPictureIds();
    Album& album = appendNewAlbum(workspace.albums);
    album.name = "Trip";
    album.directoryName = "2019";
    album.unsaved = 0;
    for (PictureEntry& picture : workspace.pictures()) {
        if (picture.path.find("/a/") == std::string::npos) continue;
        picture.albumId = album.id;
        ++album.pictureCount;
    }
    const std::string session = temp.file("trip.lsn");
    ASSERT_EQ(saveSessionCommand(workspace, session, prompter), SessionResult::Done);

    EXPECT_EQ(run(cli::runProcess, {session, "--no"}), cli::kExitUsage) << "no target stored";
    EXPECT_EQ(run(cli::runProcess, {session, "--target", target, "--no"}), cli::kExitFailure)
        << "the target must exist";
    temp.makeDir("out");
    EXPECT_EQ(run(cli::runProcess, {session, "--target", target, "--no"}), cli::kExitSuccess);
    EXPECT_EQ(output, "1 albums created succesfuly!\n");
    EXPECT_EQ(listNames(target + "/2019/Trip").size(), 2u);
}

}  // namespace
}  // namespace lumora
