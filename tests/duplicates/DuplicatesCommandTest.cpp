#include "cli/DuplicatesCommand.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "cli/Commands.h"
#include "tests/duplicates/RecordingProgress.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora::cli {
namespace {

// A name JSON must escape: a quote, which no Windows name may hold; there
// the backslashes between the folders are what must be escaped.
#ifdef _WIN32
constexpr const char* kOddName = "/y/odd a.jpg";
constexpr const char* kOddNameInJson = "\\\\y\\\\odd a.jpg";
#else
constexpr const char* kOddName = "/y/quote\"a.jpg";
constexpr const char* kOddNameInJson = "quote\\\"a.jpg";
#endif

struct CommandRun {
    int exitCode = 0;
    std::string out;
    std::string err;
    test::RecordingProgress progress;
};

std::string readAll(std::FILE* stream) {
    std::rewind(stream);
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) text.append(buffer, n);
    std::fclose(stream);
    return text;
}

void runOn(const std::string& source, bool json, CommandRun& run) {
    test::TzGuard zone("UTC0");
    test::ScriptedPrompter prompter;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    run.exitCode =
        printDuplicates(source, json, realFileSystem(), prompter, run.progress, out, err);
    run.out = readAll(out);
    run.err = readAll(err);
}

// Two byte-identical pictures (one under a name that JSON must escape), one
// of its own, two more copies of another, and a file that is no picture.
std::string folderWithCopies(const test::TempDir& dir) {
    test::PictureSpec spec;
    spec.dateTimeOriginal = "2022:01:01 10:00:00";
    const std::vector<uint8_t> first = test::exifPicture(spec);
    spec.seed = 2;
    spec.dateTimeOriginal = "2022:01:01 11:00:00";
    const std::vector<uint8_t> second = test::exifPicture(spec);
    spec.seed = 3;
    const std::vector<uint8_t> alone = test::exifPicture(spec);
    dir.writeFile("src/a.jpg", first);
    dir.writeFile("src/b.jpg", second);
    dir.writeFile("src/c.jpg", alone);
    dir.writeFile("src/x/b again.jpg", second);
    dir.writeFile(std::string("src") + kOddName, first);
    dir.writeFile("src/z/b.jpg", second);
    dir.writeFile("src/notes.jpg", std::string("no picture"));
    return dir.file("src");
}

// The groups as the list order of the scan gives them: each headed by the
// first of its copies, numbered in the order of their heads.
std::vector<std::vector<std::string>> expectedGroups(const std::string& source) {
    test::TzGuard zone("UTC0");
    test::ScriptedPrompter prompter;
    PictureCatalog catalog;
    runScanCommand(catalog, source, prompter, nullProgress());
    std::vector<std::vector<std::string>> groups;
    const auto copyOf = [&](const std::string& path) {
        for (const char* name : {"/a.jpg", kOddName}) {
            if (path == source + test::nativePath(name)) return 0;
        }
        for (const char* name : {"/b.jpg", "/x/b again.jpg", "/z/b.jpg"}) {
            if (path == source + test::nativePath(name)) return 1;
        }
        return -1;
    };
    int groupOf[2] = {-1, -1};
    for (const PictureEntry& picture : catalog.pictures()) {
        const int copy = copyOf(picture.path);
        if (copy < 0) continue;
        if (groupOf[copy] < 0) {
            groupOf[copy] = static_cast<int>(groups.size());
            groups.emplace_back();
        }
        groups[static_cast<size_t>(groupOf[copy])].push_back(picture.path);
    }
    EXPECT_EQ(catalog.pictureCount(), 6);
    return groups;
}

TEST(DuplicatesCommand, printsTheGroupsAndTheFinalStatus) {
    test::TempDir dir;
    const std::string source = folderWithCopies(dir);
    CommandRun run;
    runOn(source, false, run);
    EXPECT_EQ(run.exitCode, kExitSuccess);
    EXPECT_EQ(run.err, "");
    std::string expected;
    int number = 0;
    for (const auto& group : expectedGroups(source)) {
        expected += "### Duplicate nr." + std::to_string(++number) + " ###\n";
        for (const std::string& path : group) expected += path + "\n";
    }
    EXPECT_EQ(number, 2);
    EXPECT_EQ(run.out, expected + "Ready. Found 3 duplicates\n");
    EXPECT_EQ(run.progress.statuses.back(), "");
}

TEST(DuplicatesCommand, jsonGivesOneGroupALine) {
    test::TempDir dir;
    const std::string source = folderWithCopies(dir);
    CommandRun run;
    runOn(source, true, run);
    EXPECT_EQ(run.exitCode, kExitSuccess);
    std::string expected;
    int number = 0;
    for (const auto& group : expectedGroups(source)) {
        expected += "{\"group\":" + std::to_string(++number) + ",\"pictures\":[";
        for (size_t i = 0; i < group.size(); ++i) {
            std::string escaped;
            for (char c : group[i]) {
                if (c == '"' || c == '\\') escaped += '\\';
                escaped += c;
            }
            expected += (i == 0 ? "\"" : ",\"") + escaped + "\"";
        }
        expected += "]}\n";
    }
    EXPECT_EQ(run.out, expected);
    EXPECT_NE(run.out.find(kOddNameInJson), std::string::npos);
}

TEST(DuplicatesCommand, aFolderWithoutDuplicatesAndOneThatCannotBeRead) {
    test::TempDir dir;
    dir.writeFile("src/a.jpg", test::exifPicture("2022:01:01 10:00:00"));
    CommandRun plain;
    runOn(dir.file("src"), false, plain);
    EXPECT_EQ(plain.out, "Found no duplicates\n");
    CommandRun json;
    runOn(dir.file("src"), true, json);
    EXPECT_EQ(json.out, "");

    CommandRun missing;
    runOn(dir.file("nowhere"), false, missing);
    EXPECT_EQ(missing.exitCode, kExitFailure);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "lumora-cli duplicates: " + dir.file("nowhere") + ": no such folder\n");
}

TEST(DuplicatesCommand, refusesUnknownOptionsAndMissingFolders) {
    EXPECT_EQ(runDuplicates({"--fast", "/tmp"}), kExitUsage);
    EXPECT_EQ(runDuplicates({}), kExitUsage);
    EXPECT_EQ(runDuplicates({"/a", "/b"}), kExitUsage);
}

}  // namespace
}  // namespace lumora::cli
