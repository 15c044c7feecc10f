#include "app/ProgramArguments.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "tests/support/TempDir.h"

namespace lumora {
namespace {

struct Parsed {
    bool ok;
    ProgramArguments arguments;
    std::string error;
};

Parsed parse(const std::vector<std::string>& arguments) {
    Parsed result;
    result.ok = parseProgramArguments(arguments, result.arguments, result.error);
    return result;
}

TEST(ProgramArgumentsTest, readsTheFoldersTheSessionAndTheModes) {
    const Parsed folders = parse({"--source", "/pics", "--target=/albums"});
    ASSERT_TRUE(folders.ok) << folders.error;
    EXPECT_EQ(folders.arguments.source, "/pics");
    EXPECT_EQ(folders.arguments.target, "/albums");
    EXPECT_TRUE(folders.arguments.session.empty());

    const Parsed session = parse({"work.lsn"});
    ASSERT_TRUE(session.ok) << session.error;
    EXPECT_EQ(session.arguments.session, "work.lsn");
    EXPECT_TRUE(session.arguments.source.empty());

    const Parsed shots = parse({"--screenshots", "out", "--source=/pics"});
    ASSERT_TRUE(shots.ok) << shots.error;
    EXPECT_EQ(shots.arguments.screenshotsDir, "out");

    EXPECT_TRUE(parse({}).ok);
    EXPECT_TRUE(parse({"--help"}).arguments.help);
    EXPECT_TRUE(parse({"--version"}).arguments.version);
    // A folder may be named like an option once it follows its option.
    EXPECT_EQ(parse({"--source", "--odd"}).arguments.source, "--odd");
}

TEST(ProgramArgumentsTest, refusesWhatTheWindowCouldNotDoWithAClearReason) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--source"}, "--source needs a folder"},
        {{"--source="}, "--source needs a folder"},
        {{"--target", "/albums"}, "--target needs --source"},
        {{"--source", "/pics", "work.lsn"},
         "a session file brings its own folders: give either SESSION.lsn or --source"},
        {{"one.lsn", "two.lsn"}, "only one session file can be loaded"},
        {{"--move"}, "unknown option '--move'"},
        {{"--screenshots", "out"}, "--screenshots needs --source"},
    };
    for (const auto& [arguments, error] : cases) {
        const Parsed parsed = parse(arguments);
        EXPECT_FALSE(parsed.ok) << arguments.front();
        EXPECT_EQ(parsed.error, error) << arguments.front();
    }
}

TEST(ProgramArgumentsTest, foldersBecomeWholePathsWithoutTrailingSeparators) {
    const std::string here = std::filesystem::current_path().string();
    // The root of the current folder: "/", or its drive's "C:\\" on Windows.
    const std::string root = std::filesystem::current_path().root_path().string();
    EXPECT_EQ(wholeFolderPath("pictures"), test::pathIn(here, "pictures"));
    EXPECT_EQ(wholeFolderPath("./pictures/"), test::pathIn(here, "pictures"));
    EXPECT_EQ(wholeFolderPath("/data//pictures///"), root + test::pathIn("data", "pictures"));
    EXPECT_EQ(wholeFolderPath("/"), root);
}

#ifndef _WIN32  // FIFOs exist on POSIX systems only
TEST(ProgramArgumentsTest, aSourceThatIsAFileOrAPipeIsNotAFolderAndAMissingOneIsNone) {
    test::TempDir dir;
    const std::string file = dir.writeFile("card.jpg", std::string("x"));
    const std::string pipe = dir.file("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const auto& [source, error] :
         {std::pair{file, file + ": not a folder"}, std::pair{pipe, pipe + ": not a folder"},
          std::pair{dir.file("gone"), dir.file("gone") + ": no such folder"}}) {
        ProgramArguments arguments;
        arguments.source = source;
        std::string said;
        EXPECT_FALSE(checkProgramPaths(arguments, said));
        EXPECT_EQ(said, error);
    }
    ProgramArguments folder;
    folder.source = dir.path() + "/";
    std::string said;
    EXPECT_TRUE(checkProgramPaths(folder, said)) << said;
    EXPECT_EQ(folder.source, dir.path());
}
#endif

}  // namespace
}  // namespace lumora
