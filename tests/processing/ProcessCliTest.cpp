// lumora-cli organize and process, run in-process over real pictures.
#include <gtest/gtest.h>
#include <unistd.h>

#include "app/SessionCommands.h"
#include "cli/Commands.h"
#include "session/SessionLoad.h"
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
        // Minute and second 0 stay 0.
        temp.writeFile("src/b/IMG_3.JPG", test::exifPicture("2019:11:20 08:00:00"));
    }

    int run(int (*command)(const cli::Arguments&), cli::Arguments args) {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        const int code = command(args);
        output = testing::internal::GetCapturedStdout();
        errors = testing::internal::GetCapturedStderr();
        return code;
    }

    // The last line written to standard error.
    std::string lastError() const {
        const std::string text = errors.substr(0, errors.find_last_not_of('\n') + 1);
        return text.substr(text.find_last_of('\n') + 1);
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
    std::string target;
    std::string output;
    std::string errors;
};

TEST_F(ProcessCli, organizeMakesOneFolderPerDayNamedByTheDate) {
    EXPECT_EQ(run(cli::runOrganize, {source, target, "--no"}), cli::kExitSuccess);
    EXPECT_EQ(output, "2 albums created succesfuly!\n");
    EXPECT_EQ(listNames(target), (std::vector<std::string>{"2019-11-03", "2019-11-20"}));
    EXPECT_EQ(listNames(target + test::nativePath("/2019-11-03")),
              (std::vector<std::string>{"2019-11-03-0 [2019-11-03] [10 20 30].jpg",
                                        "2019-11-03-1 [2019-11-03] [19 05 01].jpg"}));
    EXPECT_EQ(listNames(target + test::nativePath("/2019-11-20")),
              std::vector<std::string>{"2019-11-20-2 [2019-11-20] [08 00 00].jpg"});
}

// In Tokyo, pictures of the small hours and at 10:00:00 keep their own day
// and time, whatever the season the program runs in.
TEST_F(ProcessCli, organizeInTokyoFilesEachPictureUnderItsOwnDayAndTime) {
    test::TzGuard tokyo("JST-9");
    const std::string card = temp.makeDir("card");
    temp.writeFile("card/1.JPG", test::exifPicture("2024:03:14 23:59:59"));
    temp.writeFile("card/2.JPG", test::exifPicture("2024:03:15 00:00:00"));
    temp.writeFile("card/3.JPG", test::exifPicture("2024:03:15 00:30:00"));
    temp.writeFile("card/4.JPG", test::exifPicture("2024:03:15 10:00:00"));
    const std::string days = temp.file("days");
    ASSERT_EQ(run(cli::runOrganize, {card, days}), cli::kExitSuccess);
    EXPECT_EQ(listNames(days), (std::vector<std::string>{"2024-03-14", "2024-03-15"}));
    EXPECT_EQ(listNames(days + test::nativePath("/2024-03-14")),
              std::vector<std::string>{"2024-03-14-0 [2024-03-14] [23 59 59].jpg"});
    EXPECT_EQ(listNames(days + test::nativePath("/2024-03-15")),
              (std::vector<std::string>{"2024-03-15-1 [2024-03-15] [00 00 00].jpg",
                                        "2024-03-15-2 [2024-03-15] [00 30 00].jpg",
                                        "2024-03-15-3 [2024-03-15] [10 00 00].jpg"}));
}

TEST_F(ProcessCli, organizeWithTheCameraModelEndsEveryNameWithIt) {
    test::PictureSpec spec;
    spec.dateTimeOriginal = "2019:11:03 10:20:30";
    spec.model = "DSC/F717 ";
    temp.writeFile("src/a/IMG_1.JPG", test::exifPicture(spec));
    EXPECT_EQ(run(cli::runOrganize, {"--camera-model", "--dry-run", source, target}),
              cli::kExitSuccess);
    EXPECT_NE(output.find("2019-11-03-0 [2019-11-03] [10 20 30] [DSC_F717].jpg"), std::string::npos)
        << output;
    EXPECT_EQ(run(cli::runOrganize, {"--camera-model", source, target, "--no"}), cli::kExitSuccess);
    EXPECT_EQ(listNames(target + test::nativePath("/2019-11-03")),
              (std::vector<std::string>{"2019-11-03-0 [2019-11-03] [10 20 30] [DSC_F717].jpg",
                                        "2019-11-03-1 [2019-11-03] [19 05 01].jpg"}));
}

TEST_F(ProcessCli, organizeByMonthAndMoving) {
    EXPECT_EQ(run(cli::runOrganize, {"--by", "month", "--move", source, target}),
              cli::kExitSuccess);
    EXPECT_EQ(listNames(target), std::vector<std::string>{"2019-11"});
    EXPECT_EQ(listNames(target + test::nativePath("/2019-11")).size(), 3u);
    EXPECT_TRUE(listNames(source + test::nativePath("/a")).empty());
}

// A second run finds every picture whole in its album folder and copies
// nothing again; a target that holds other bytes is still not replaced, and
// a picture that did not arrive fails the run.
TEST_F(ProcessCli, organizingAgainFindsThePicturesInPlaceAndFailsOnlyForOnesThatDidNotArrive) {
    ASSERT_EQ(run(cli::runOrganize, {source, target, "--no"}), cli::kExitSuccess);
    EXPECT_EQ(run(cli::runOrganize, {source, target, "--no"}), cli::kExitSuccess) << errors;
    EXPECT_EQ(output,
              "2 albums created succesfuly!\n"
              "3 pictures were already whole in their album folders: not copied again\n");

    const std::string third =
        target + test::nativePath("/2019-11-20/2019-11-20-2 [2019-11-20] [08 00 00].jpg");
    temp.writeFile("out/2019-11-20/2019-11-20-2 [2019-11-20] [08 00 00].jpg",
                   std::string("another file"));
    EXPECT_EQ(run(cli::runOrganize, {source, target, "--no"}), cli::kExitFailure);
    EXPECT_EQ(lastError(), "lumora-cli organize: 1 of 3 pictures were not transferred (1 skipped)");
    EXPECT_EQ(output,
              "2 albums created succesfuly!\n"
              "2 pictures were already whole in their album folders: not copied again\n"
              "untransferred\tskipped\t" +
                  source + test::nativePath("/b/IMG_3.JPG\t") + third + "\n");
    EXPECT_EQ(test::readFile(third), "another file");

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

#ifndef _WIN32  // the test makes its links with POSIX calls
TEST_F(ProcessCli, theSourceIsRefusedAsTargetWhateverPathReachesIt) {
    const std::string link = temp.file("link");
    ASSERT_EQ(::symlink(source.c_str(), link.c_str()), 0);
    for (const std::string& same : {source + test::nativePath("/"), source + test::nativePath("/."),
                                    link, source + test::nativePath("/a/..")}) {
        SCOPED_TRACE(same);
        EXPECT_EQ(run(cli::runOrganize, {source, same, "--yes"}), cli::kExitFailure);
        EXPECT_EQ(listNames(source), (std::vector<std::string>{"a", "b"}));
    }
}
#endif

// Organising into a folder inside the source, again and again, copies the
// pictures once: the earlier results are not pictures to organise.
TEST_F(ProcessCli, aTargetInsideTheSourceIsLeftOutOfItsScan) {
    const std::string inside = source + test::nativePath("/albums");
    ASSERT_EQ(run(cli::runOrganize, {source, inside, "--no"}), cli::kExitSuccess);
    const std::vector<std::string> first = listNames(inside + test::nativePath("/2019-11-03"));
    EXPECT_EQ(first.size(), 2u);
    EXPECT_EQ(run(cli::runOrganize, {source + test::nativePath("/"), inside, "--no"}),
              cli::kExitSuccess)
        << errors;
    EXPECT_EQ(listNames(inside), (std::vector<std::string>{"2019-11-03", "2019-11-20"}));
    EXPECT_EQ(listNames(inside + test::nativePath("/2019-11-03")), first);
}

// A saved session is opened later from anywhere: folders given in full stay
// as they are, on Windows too, where a full path starts with its drive.
TEST_F(ProcessCli, organizeSavesTheFoldersOfItsSessionAsFullPaths) {
    const std::string session = temp.file("card.lsn");
    ASSERT_EQ(run(cli::runOrganize, {"--save-session", session, source, target}), cli::kExitSuccess)
        << errors;
    SessionData data;
    ErrorCode error = kErrorSuccess;
    std::string problem;
    ASSERT_TRUE(readSessionFile(realFileSystem(), session, data, error, problem)) << problem;
    EXPECT_EQ(data.values.sourceText, source);
    EXPECT_EQ(data.values.targetText, target);
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
        if (picture.path.find(test::nativePath("/a/")) == std::string::npos) continue;
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
    EXPECT_EQ(listNames(target + test::nativePath("/2019/Trip")).size(), 2u);
}

}  // namespace
}  // namespace lumora
