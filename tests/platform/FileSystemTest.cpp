#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <ctime>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Time.h"
#include "platform/WithinFolder.h"
#ifndef _WIN32  // FIFOs exist on POSIX systems only
#include "tests/support/FifoWatch.h"
#endif
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

TEST(SortDirectoryEntries, longNamesAlikeInTheirFirstBytesAreOrderedByTheWholeName) {
    std::vector<DirectoryEntry> entries =
        entriesNamed({"DSC00049.JPG", "dsc00049.cr2", "DSC0004", "DSC00049.CR2", "dsc000490.jpg",
                      "DSC00049", "DSC00049.jpg", "Dsc00049.JPG.xmp", "DSC00048.JPG", "DSC00049_"});
    sortDirectoryEntries(entries);
    EXPECT_EQ(namesOf(entries),
              (std::vector<std::string>{"DSC0004", "DSC00048.JPG", "DSC00049", "DSC00049.CR2",
                                        "dsc00049.cr2", "DSC00049.JPG", "DSC00049.jpg",
                                        "Dsc00049.JPG.xmp", "dsc000490.jpg", "DSC00049_"}));
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

std::string kindOf(const DirectoryEntry& entry) {
    if (entry.isDirectory) return entry.isSymbolicLink ? "folder link" : "folder";
    return entry.isSpecialFile ? "special" : "file";
}

#ifndef _WIN32  // FIFOs exist on POSIX systems only
// A listing tells what each name is; a link is listed as what it points at,
// and one that points nowhere is left out.
TEST(PosixFileSystem, listsWhatEachNameIsWithoutDotEntries) {
    test::TempDir dir;
    dir.writeFile("b.jpg", std::string(1234, 'x'));
    dir.makeDir("Album");
    dir.makeSymlink(dir.file("Album"), "link");
    dir.makeSymlink(dir.file("b.jpg"), "c.jpg");
    dir.makeSymlink(dir.file("missing"), "dangling");
    test::FifoWatch fifo(dir.file("pipe.jpg"));
    dir.makeSymlink(fifo.path(), "to-pipe.jpg");
    std::vector<DirectoryEntry> entries;
    ASSERT_EQ(realFileSystem().listDirectory(dir.path(), entries), kErrorSuccess);
    ASSERT_EQ(namesOf(entries), (std::vector<std::string>{"Album", "b.jpg", "c.jpg", "link",
                                                          "pipe.jpg", "to-pipe.jpg"}));
    std::vector<std::string> kinds;
    for (const DirectoryEntry& entry : entries) kinds.push_back(kindOf(entry));
    EXPECT_EQ(kinds, (std::vector<std::string>{"folder", "file", "file", "folder link", "special",
                                               "special"}));
    EXPECT_EQ(fifo.meetings(), 0);
}
#endif

#ifndef _WIN32  // FIFOs exist on POSIX systems only
// An open file tells its size and creation time. A name listed as a folder
// or a special file is refused unopened; one listed as a file is judged by
// what the open found.
TEST(PosixFileSystem, opensListedFilesAndTellsTheirSizeAndCreationTime) {
    const uint64_t before = unixToFileTime(std::time(nullptr) - 1);
    test::TempDir dir;
    const std::string path = dir.writeFile("b.jpg", std::string(1234, 'x'));
    const uint64_t after = unixToFileTime(std::time(nullptr) + 1);
    test::FifoWatch fifo(dir.file("pipe.jpg"));
    dir.makeDir("Album");
    FileSystem& fs = realFileSystem();
    ErrorCode error = kErrorReadFault;

    std::unique_ptr<InputFile> listed = fs.openListedFile(path, DirectoryEntry{"b.jpg"}, error);
    ASSERT_NE(listed, nullptr);
    EXPECT_EQ(error, kErrorSuccess);
    std::unique_ptr<InputFile> opened = fs.openRead(path, error);
    ASSERT_NE(opened, nullptr);
    for (const InputFile* file : {listed.get(), opened.get()}) {
        EXPECT_EQ(file->facts().size, 1234u);
        EXPECT_GE(file->facts().creationTime, before);
        EXPECT_LE(file->facts().creationTime, after);
    }

    DirectoryEntry special{"pipe.jpg"};
    special.isSpecialFile = true;
    EXPECT_EQ(fs.openListedFile(fifo.path(), special, error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
    DirectoryEntry folder{"Album"};
    folder.isDirectory = true;
    EXPECT_EQ(fs.openListedFile(dir.file("Album"), folder, error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_EQ(fifo.meetings(), 0);
    // A folder where the listing saw a file.
    EXPECT_EQ(fs.openListedFile(dir.file("Album"), DirectoryEntry{"Album"}, error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_EQ(fs.openListedFile(dir.file("gone.jpg"), DirectoryEntry{"gone.jpg"}, error), nullptr);
    EXPECT_EQ(error, kErrorFileNotFound);
}
#endif

// A folder that is not there cannot be searched: the path is not found, as
// Windows' directory search says, whether or not its parent is there.
TEST(RealFileSystem, reportsMissingFoldersAndFilesByWindowsCodes) {
    test::TempDir dir;
    std::vector<DirectoryEntry> entries{DirectoryEntry{"stale"}};
    EXPECT_EQ(realFileSystem().listDirectory(dir.file("none"), entries), kErrorPathNotFound);
    EXPECT_TRUE(entries.empty());
    EXPECT_EQ(realFileSystem().listDirectory(dir.file("none/deeper"), entries), kErrorPathNotFound);

    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(realFileSystem().openRead(dir.file("none.jpg"), error), nullptr);
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_EQ(realFileSystem().openRead(dir.file("none/x.jpg"), error), nullptr);
    EXPECT_EQ(error, kErrorPathNotFound);
}

#ifndef _WIN32  // FIFOs exist on POSIX systems only
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
#endif

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
