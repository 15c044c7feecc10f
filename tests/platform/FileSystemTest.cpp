#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/WithinFolder.h"
#include "tests/support/FifoWatch.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

std::vector<std::string> namesOf(const std::vector<DirectoryEntry>& entries) {
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
    return names;
}

std::vector<DirectoryEntry> entriesNamed(const std::vector<std::string>& names) {
    std::vector<DirectoryEntry> entries;
    for (const std::string& name : names) entries.push_back(DirectoryEntry{name});
    return entries;
}

TEST(SortDirectoryEntries, ordersByUpperCasedNamesThenByBytes) {
    std::vector<DirectoryEntry> entries =
        entriesNamed({"b", "_x", "Z", "ab", "B", "a.jpg", "A", "a10", "a2", "\xC3\xA9t\xC3\xA9"});
    sortDirectoryEntries(entries);
    EXPECT_EQ(namesOf(entries), (std::vector<std::string>{"A", "a.jpg", "a10", "a2", "ab", "B", "b",
                                                          "Z", "_x", "\xC3\xA9t\xC3\xA9"}));
}

TEST(MatchesJpgPattern, acceptsDotJpgInAnyCaseOnly) {
    const std::pair<const char*, bool> cases[] = {
        {"a.jpg", true},   {"A.JPG", true},   {"photo.JpG", true},  {".jpg", true},
        {"a.b.jpg", true}, {"a.jpeg", false}, {"a.jpg.txt", false}, {"jpg", false},
        {"a.jp", false},   {"ajpg", false},   {"a.jpg ", false},    {"", false},
        {"a_jpg", false},  {"a.jpgx", false},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(matchesJpgPattern(name), expected) << '"' << name << '"';
    }
}

TEST(PosixFileSystem, listsSizesFoldersAndLinksWithoutDotEntries) {
    test::TempDir dir;
    dir.writeFile("b.jpg", std::string(1234, 'x'));
    dir.makeDir("Album");
    dir.makeSymlink(dir.file("Album"), "link");
    dir.makeSymlink(dir.file("missing"), "dangling");
    std::vector<DirectoryEntry> entries;
    ASSERT_EQ(realFileSystem().listDirectory(dir.path(), entries), kErrorSuccess);
    ASSERT_EQ(namesOf(entries), (std::vector<std::string>{"Album", "b.jpg", "link"}));
    EXPECT_TRUE(entries[0].isDirectory);
    EXPECT_FALSE(entries[0].isSymbolicLink);
    EXPECT_FALSE(entries[1].isDirectory);
    EXPECT_EQ(entries[1].size, 1234u);
    EXPECT_GT(entries[1].creationTime, 0u);
    EXPECT_TRUE(entries[2].isDirectory);
    EXPECT_TRUE(entries[2].isSymbolicLink);
}

TEST(PosixFileSystem, reportsMissingFoldersAndFilesByWindowsCodes) {
    test::TempDir dir;
    std::vector<DirectoryEntry> entries{DirectoryEntry{"stale"}};
    EXPECT_EQ(realFileSystem().listDirectory(dir.file("none"), entries), kErrorFileNotFound);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(realFileSystem().listDirectory(dir.file("none/deeper"), entries), kErrorPathNotFound);

    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(realFileSystem().openRead(dir.file("none.jpg"), error), nullptr);
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_EQ(realFileSystem().openRead(dir.file("none/x.jpg"), error), nullptr);
    EXPECT_EQ(error, kErrorPathNotFound);
}

// A FIFO named like a picture would hold an ordinary open until a writer
// came; folders and FIFOs are refused at once, and the FIFO is never opened.
TEST(PosixFileSystem, opensOnlyRegularFilesAndNeverWaitsOnAFifo) {
    test::TempDir dir;
    test::FifoWatch fifo(dir.file("pipe.jpg"));
    dir.makeDir("folder.jpg");
    dir.makeSymlink(fifo.path(), "link.jpg");
    FileSystem& fs = realFileSystem();
    ErrorCode error = kErrorSuccess;
    for (const std::string& path : {fifo.path(), dir.file("folder.jpg"), dir.file("link.jpg")}) {
        EXPECT_EQ(fs.openRead(path, error), nullptr) << path;
        EXPECT_EQ(error, kErrorAccessDenied) << path;
    }
    EXPECT_EQ(fs.openWrite(fifo.path(), CreateMode::Always, error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_EQ(fs.openWrite(fifo.path(), CreateMode::New, error), nullptr);
    EXPECT_EQ(error, kErrorFileExists);

    // Copies and moves that must read the FIFO's bytes refuse it too, and
    // leave the names as they were.
    EXPECT_EQ(fs.copyFile(fifo.path(), dir.file("copy.jpg"), true), kErrorAccessDenied);
    EXPECT_EQ(fs.copyFile(dir.file("link.jpg"), dir.file("copy.jpg"), false), kErrorAccessDenied);
    EXPECT_EQ(fs.moveFile(dir.file("link.jpg"), dir.file("moved.jpg"), kMoveReplaceExisting),
              kErrorAccessDenied);
    std::vector<DirectoryEntry> entries;
    ASSERT_EQ(fs.listDirectory(dir.path(), entries), kErrorSuccess);
    EXPECT_EQ(namesOf(entries), (std::vector<std::string>{"folder.jpg", "link.jpg", "pipe.jpg"}));

    EXPECT_EQ(fifo.meetings(), 0);
}

TEST(IsWithinFolder, followsLinksAndDotDotAsTheSystemDoes) {
    test::TempDir dir;
    const std::string root = dir.makeDir("root");
    dir.makeDir("root/sub");
    dir.makeDir("beside");
    dir.makeSymlink(dir.file("root/sub"), "beside/intoSub");
    FileSystem& fs = realFileSystem();
    const std::pair<std::string, bool> cases[] = {
        {root, true},
        {dir.file("root/sub"), true},
        {dir.file("root/sub/new/deeper"), true},  // made later, inside
        {dir.file("root/sub/.."), true},
        {dir.file("root/.."), false},
        {dir.file("root/../beside"), false},
        {dir.file("rootless"), false},  // a name that only starts alike
        {dir.file("beside/new"), false},
        {dir.file("beside/intoSub"), true},
        {dir.file("beside/intoSub/new"), true},
        {dir.file("beside/intoSub/../new"), true},  // the link's parent, not beside's
        {"/", false},
        {"", false},
    };
    for (const auto& [path, within] : cases) {
        EXPECT_EQ(isWithinFolder(fs, path, root), within) << path;
    }
    EXPECT_FALSE(isWithinFolder(fs, root, dir.file("missing")));
}

TEST(ReadFileRange, readsExactlyTheRangeOrFails) {
    test::TempDir dir;
    const std::string path = dir.writeFile("data.bin", std::string("0123456789"));
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    ASSERT_TRUE(readFileRange(realFileSystem(), path, 3, 4, bytes, error));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "3456");
    EXPECT_FALSE(readFileRange(realFileSystem(), path, 8, 4, bytes, error));
    EXPECT_TRUE(bytes.empty());
    EXPECT_NE(error, kErrorSuccess);
    EXPECT_FALSE(readFileRange(realFileSystem(), dir.file("none"), 0, 1, bytes, error));
    EXPECT_EQ(error, kErrorFileNotFound);
}

}  // namespace
}  // namespace lumora
