// The Win32 file system on what only Windows has: wide names, its error
// codes, its attributes and file identities.
#include "platform/Win32FileSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProcessIds.h"
#include "platform/TemporaryName.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    EXPECT_EQ(realFileSystem().listDirectory(folder, entries), kErrorSuccess);
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
    return names;
}

std::string readAll(const std::string& path) {
    ErrorCode error = kErrorSuccess;
    auto file = realFileSystem().openRead(path, error);
    if (!file) return "error " + std::to_string(error);
    std::string text(file->facts().size, '\0');
    text.resize(file->read(text.data(), text.size()));
    return text;
}

void write(const std::string& path, const std::string& text) {
    ErrorCode error = kErrorSuccess;
    auto file = realFileSystem().openWrite(path, CreateMode::Always, error);
    ASSERT_NE(file, nullptr) << error;
    ASSERT_TRUE(file->write(text.data(), text.size()));
    ASSERT_TRUE(file->close());
}

// Greek, Japanese and an emoji (a surrogate pair in UTF-16): none of them is
// in the ANSI code page of a Western Windows.
TEST(Win32FileSystem, namesOutsideTheAnsiCodePageAreWrittenListedAndReadWhole) {
    test::TempDir dir;
    FileSystem& fs = realFileSystem();
    const std::string folder = dir.file("\xCE\x95\xCE\xBB\xCE\xBB\xCE\xAC\xCE\xB4\xCE\xB1");
    ASSERT_EQ(fs.createDirectory(folder), kErrorSuccess);
    const std::string name = "\xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x93\xB7.jpg";
    write(joinPath(folder, name), "picture");
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{name});
    EXPECT_EQ(readAll(joinPath(folder, name)), "picture");
    const std::string copy = joinPath(folder, "\xC3\xA9t\xC3\xA9.jpg");
    EXPECT_EQ(fs.copyFile(joinPath(folder, name), copy, true), kErrorSuccess);
    EXPECT_EQ(readAll(copy), "picture");
}

// The codes CopyFile and MoveFileEx give, and nothing but the two files left
// in the folder: no unfinished copy.
TEST(Win32FileSystem, copiesAndMovesKeepAnExistingTargetUnlessToldToReplaceIt) {
    test::TempDir dir;
    FileSystem& fs = realFileSystem();
    const std::string source = dir.file("a.jpg");
    const std::string target = dir.file("b.jpg");
    write(source, "new");
    write(target, "old");
    EXPECT_EQ(fs.copyFile(source, target, true), kErrorFileExists);
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(fs.moveFile(source, target, kMoveCopyAllowed), kErrorAlreadyExists);
    EXPECT_EQ(readAll(target), "old");
    EXPECT_EQ(fs.copyFile(source, target, false), kErrorSuccess);
    EXPECT_EQ(readAll(target), "new");
    write(source, "newer");
    EXPECT_EQ(fs.moveFile(source, target, kMoveReplaceExisting), kErrorSuccess);
    EXPECT_EQ(readAll(target), "newer");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"b.jpg"});
    EXPECT_EQ(fs.copyFile(dir.file("gone.jpg"), dir.file("c.jpg"), true), kErrorFileNotFound);
    EXPECT_EQ(fs.moveFile(target, dir.file("none/b.jpg"), 0), kErrorPathNotFound);
}

TEST(Win32FileSystem, anyOtherSpellingOfAPathHasTheSameIdentity) {
    test::TempDir dir;
    FileSystem& fs = realFileSystem();
    dir.makeDir("Sub");
    write(dir.file("Sub/a.jpg"), "a");
    write(dir.file("Sub/b.jpg"), "b");
    FileIdentity first;
    FileIdentity second;
    ASSERT_TRUE(fs.identify(dir.path() + "\\Sub\\a.jpg", first));
    ASSERT_TRUE(fs.identify(dir.path() + "/sub/./A.JPG", second));
    EXPECT_EQ(first, second);
    ASSERT_TRUE(fs.identify(dir.file("Sub/b.jpg"), second));
    EXPECT_NE(first, second);
    EXPECT_FALSE(fs.identify(dir.file("Sub/c.jpg"), second));
}

// A folder, or a device name (which Windows finds in every folder), is no
// file to read or write.
TEST(Win32FileSystem, opensOnlyRegularFiles) {
    test::TempDir dir;
    FileSystem& fs = realFileSystem();
    const std::string folder = dir.makeDir("folder.jpg");
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(fs.openRead(folder, error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_EQ(fs.openWrite(folder, CreateMode::Always, error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
    EXPECT_EQ(fs.openRead(dir.file("NUL"), error), nullptr);
    EXPECT_EQ(error, kErrorAccessDenied);
    // The console opens, or fails as it may when there is none; either way
    // no file is written.
    EXPECT_EQ(fs.openWrite(dir.file("CON"), CreateMode::Always, error), nullptr);
    EXPECT_NE(error, kErrorSuccess);
}

// Windows keeps one bit of what POSIX permissions say: the read-only
// attribute, which a writer of the file must respect (a writer that wine
// runs as root is not stopped by it, so that is not asked here).
TEST(Win32FileSystem, theOwnersWriteBitIsTheReadOnlyAttribute) {
    test::TempDir dir;
    FileSystem& fs = realFileSystem();
    const std::string path = dir.file("a.lsn");
    write(path, "session");
    FileStatus status;
    ASSERT_TRUE(fs.fileStatus(path, status));
    EXPECT_TRUE(status.writable);
    EXPECT_EQ(status.permissions, 0666u);
    ASSERT_EQ(fs.setPermissions(path, 0444), kErrorSuccess);
    ASSERT_TRUE(fs.fileStatus(path, status));
    EXPECT_FALSE(status.writable);
    EXPECT_EQ(status.permissions, 0444u);
    ASSERT_EQ(fs.setPermissions(path, 0644), kErrorSuccess);
    ASSERT_TRUE(fs.fileStatus(path, status));
    EXPECT_TRUE(status.writable);
    EXPECT_EQ(fs.setPermissions(dir.file("gone"), 0644), kErrorFileNotFound);
}

TEST(Win32FileSystem, onlyTheUnfinishedCopiesOfEndedProcessesAreLeftovers) {
    test::TempDir dir;
    const std::string own = temporaryNameIn(dir.path());
    const std::string ownName = own.substr(own.find_last_of('\\') + 1);
    EXPECT_FALSE(isLeftoverTemporaryName(ownName));
    EXPECT_FALSE(processHasEnded(static_cast<long>(currentProcessId())));
    // Windows gives processes multiples of four, far below this one.
    EXPECT_TRUE(isLeftoverTemporaryName(".lumora-999999999-0.part"));
}

TEST(Win32FileSystem, freeSpaceAndTheDriveOfAPathThatIsNotThereYet) {
    test::TempDir dir;
    FileSystem& fs = realFileSystem();
    uint64_t free = 0;
    EXPECT_EQ(fs.freeSpace(dir.path(), free), kErrorSuccess);
    EXPECT_GT(free, 0u);
    const std::string drive = fs.driveOf(dir.file("new/deeper"));
    EXPECT_EQ(drive, fs.driveOf(dir.path()));
    ASSERT_EQ(drive.size(), 3u) << drive;
    EXPECT_EQ(drive.substr(1), ":\\");
}

}  // namespace
}  // namespace lumora
