// organize and process --dry-run against the runs that follow them, and
// organize --save-session handed to session and process.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

#include "app/SessionCommands.h"
#include "cli/Commands.h"
#include "tests/processing/CliRun.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::CliRun;
using test::linesOf;
using test::readFile;
using test::runCli;

// The lines of a preview that write a file: target -> source.
std::map<std::string, std::string> writtenTargets(const std::string& out) {
    std::map<std::string, std::string> targets;
    for (const std::string& line : linesOf(out)) {
        const size_t tab = line.find('\t');
        const std::string action = line.substr(0, tab);
        if (action != "copy" && action != "move" && action != "replace") continue;
        const size_t second = line.find('\t', tab + 1);
        targets[line.substr(second + 1)] = line.substr(tab + 1, second - tab - 1);
    }
    return targets;
}

std::vector<std::string> linesStartingWith(const std::string& out, const std::string& start) {
    std::vector<std::string> found;
    for (const std::string& line : linesOf(out)) {
        if (line.rfind(start, 0) == 0) found.push_back(line);
    }
    return found;
}

// Every file below folder, by its path below it.
// A text as the session's show writes it: in quotes, a backslash doubled.
std::string shownQuoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::set<std::string> filesBelow(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(folder)) {
        // The run's journal is no file the preview lists.
        if (item.path().string().find(test::nativePath("/.lumora/")) != std::string::npos) continue;
        if (item.is_regular_file()) files.insert(item.path().string().substr(folder.size()));
    }
    return files;
}

class ProcessCliPreview : public ::testing::Test {
  protected:
    ProcessCliPreview() { source = temp.makeDir("src"); }

    test::TzGuard zone{"UTC0"};
    test::TempDir temp;
    std::string source;
};

// Camera numbering repeats across the card's folders and a file of an
// earlier run stands at one target: the preview gives the " (2)" names the
// run gives, and the run writes exactly what the preview showed.
TEST_F(ProcessCliPreview, aPreviewShowsTheTargetsTheFollowingRunWrites) {
    temp.writeFile("src/100CANON/IMG_0001.JPG", test::exifPicture("2020:05:06 07:08:09"));
    temp.writeFile("src/101CANON/IMG_0001.JPG", test::exifPicture("2020:05:06 08:08:09"));
    temp.writeFile("src/102CANON/img_0001.jpg", test::exifPicture("2020:05:06 09:08:09"));
    temp.writeFile("src/102CANON/IMG_0002.JPG", test::exifPicture("2020:05:06 10:08:09"));
    const std::string target = temp.makeDir("out");
    temp.writeFile("out/camera/IMG_0001 (2).jpg", std::string("earlier run"));
    Workspace workspace;
    test::ScriptedPrompter prompter;
    workspace.setSource(source, prompter, nullProgress());
    workspace.assignPictureIds();
    Album& album = appendNewAlbum(workspace.albums);
    album.name = "camera";
    album.directoryName = "/";
    album.unsaved = 0;
    album.keepOriginalName = 1;
    album.addDate = album.addTime = 0;
    for (PictureEntry& picture : workspace.pictures()) {
        picture.albumId = album.id;
        ++album.pictureCount;
    }
    workspace.targetText = target;
    const std::string session = temp.file("camera.lsn");
    ASSERT_EQ(saveSessionCommand(workspace, session, prompter), SessionResult::Done);

    const CliRun preview = runCli(cli::processCommand, {"--dry-run", "--yes", session});
    ASSERT_EQ(preview.code, cli::kExitSuccess) << preview.err << preview.out;
    EXPECT_EQ(filesBelow(target),
              std::set<std::string>{test::nativePath("/camera/IMG_0001 (2).jpg")});
    const std::map<std::string, std::string> planned = writtenTargets(preview.out);
    EXPECT_EQ(planned.size(), 4u);
    EXPECT_EQ(linesStartingWith(preview.out, "replace"),
              std::vector<std::string>{"replace\t" + source +
                                       test::nativePath("/101CANON/IMG_0001.JPG\t") + target +
                                       test::nativePath("/camera/IMG_0001 (2).jpg")});
    EXPECT_EQ(linesStartingWith(preview.out, "folder"), std::vector<std::string>{})
        << "the album folder is there already";
    EXPECT_EQ(planned.count(target + test::nativePath("/camera/img_0001 (3).jpg")), 1u);

    const CliRun run = runCli(cli::processCommand, {"--yes", session});
    ASSERT_EQ(run.code, cli::kExitSuccess) << run.err;
    std::set<std::string> written;
    for (const auto& [plannedTarget, plannedSource] : planned) {
        EXPECT_EQ(readFile(plannedTarget), readFile(plannedSource)) << plannedTarget;
        written.insert(plannedTarget.substr(target.size()));
    }
    EXPECT_EQ(filesBelow(target), written);
}

// A card organised by day straight away, and the same card handed over as a
// session that is then shown and processed: the same folders and names.
TEST_F(ProcessCliPreview, aSavedSessionGivesTheFoldersAndNamesOfOrganize) {
    temp.writeFile("src/a/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
    temp.writeFile("src/a/IMG_2.JPG", test::exifPicture("2019:11:03 19:05:01"));
    temp.writeFile("src/b/IMG_3.JPG", test::exifPicture("2019:11:20 08:00:00"));
    const std::string direct = temp.file("direct");
    const std::string handed = temp.file("handed");
    const std::string session = temp.file("card.lsn");

    ASSERT_EQ(runCli(cli::organizeCommand, {source, direct}).code, cli::kExitSuccess);
    const CliRun saved = runCli(cli::organizeCommand, {"--save-session", session, source, handed});
    ASSERT_EQ(saved.code, cli::kExitSuccess) << saved.err;
    EXPECT_EQ(saved.out, "Session saved to " + session +
                             ": 2 albums of 3 pictures. Open it in the window, or run "
                             "'lumora-cli process " +
                             session + "'.\n");
    EXPECT_EQ(filesBelow(handed), std::set<std::string>{}) << "nothing processed yet";

    testing::internal::CaptureStdout();
    EXPECT_EQ(cli::runSession({"show", session}), cli::kExitSuccess);
    const std::string shown = testing::internal::GetCapturedStdout();
    for (const std::string& line :
         {"Source directory: " + shownQuoted(source), "Target directory: " + shownQuoted(handed),
          std::string("Albums: 2"), std::string("1. 2019-11-03"), std::string("2. 2019-11-20")}) {
        EXPECT_NE(shown.find(line + "\n"), std::string::npos) << line;
    }

    const CliRun processed = runCli(cli::processCommand, {session});
    EXPECT_EQ(processed.code, cli::kExitSuccess) << processed.err;
    EXPECT_EQ(processed.out, "2 albums created succesfuly!\n");
    EXPECT_EQ(filesBelow(handed), filesBelow(direct));
    EXPECT_EQ(filesBelow(direct).size(), 3u);
}

// The target inside the source already holds an earlier run's pictures,
// which organize leaves out of its albums. Loading rescans the whole source,
// so the session must still account for them to load at all.
TEST_F(ProcessCliPreview, aSessionWhoseTargetLiesInsideTheSourceStillLoads) {
    temp.writeFile("src/a/IMG_1.JPG", test::exifPicture("2019:11:03 10:20:30"));
    temp.writeFile("src/b/IMG_2.JPG", test::exifPicture("2019:11:20 08:00:00"));
    const std::string inside = source + test::nativePath("/albums");
    ASSERT_EQ(runCli(cli::organizeCommand, {source, inside}).code, cli::kExitSuccess);
    temp.writeFile("src/c/IMG_3.JPG", test::exifPicture("2019:12:01 09:00:00"));
    const std::string session = temp.file("card.lsn");

    ASSERT_EQ(runCli(cli::organizeCommand, {"--save-session", session, source, inside}).code,
              cli::kExitSuccess);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int checked = cli::runSession({"check", session});
    const std::string checkOut = testing::internal::GetCapturedStdout();
    const std::string checkErr = testing::internal::GetCapturedStderr();
    EXPECT_EQ(checked, cli::kExitSuccess) << checkErr;
    EXPECT_EQ(checkOut,
              session + ": loads against " + source +
                  ": 5 pictures (0 removed as duplicates, 2 left out of the albums), 3 albums\n");

    const CliRun preview = runCli(cli::organizeCommand, {"--dry-run", source, inside});
    const CliRun processed = runCli(cli::processCommand, {session});
    EXPECT_EQ(processed.code, cli::kExitSuccess) << processed.err;
    // The new picture arrives where the preview put it; the two earlier
    // results are found in place, and kept.
    const std::map<std::string, std::string> planned = writtenTargets(preview.out);
    ASSERT_EQ(planned.size(), 1u);
    EXPECT_EQ(planned.begin()->second, source + test::nativePath("/c/IMG_3.JPG"));
    EXPECT_EQ(readFile(planned.begin()->first),
              readFile(source + test::nativePath("/c/IMG_3.JPG")));
    EXPECT_EQ(linesStartingWith(processed.out, "untransferred").size(), 0u);
    EXPECT_EQ(linesStartingWith(preview.out, "untransferred").size(), 0u);
    EXPECT_EQ(linesStartingWith(preview.out, "in place").size(), 2u);
    EXPECT_EQ(linesStartingWith(processed.out, "2 pictures were already whole").size(), 1u);
}

}  // namespace
}  // namespace lumora
