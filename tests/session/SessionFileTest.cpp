#include "session/SessionFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::FsCall;

std::vector<uint8_t> contentOf(const std::string& path) {
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    EXPECT_TRUE(readWholeFile(realFileSystem(), path, bytes, error)) << path;
    return bytes;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    realFileSystem().listDirectory(folder, entries);
    std::vector<std::string> names;
    for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
    return names;
}

// More than one write chunk, so a failing second write leaves a partial file.
std::vector<uint8_t> largeContent() {
    std::vector<uint8_t> bytes(200 * 1024);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
    return bytes;
}

TEST(ReplacingFileWriter, replacesTheOldFileAndLeavesNothingElse) {
    test::TempDir dir;
    const std::string path = dir.writeFile("work.lsn", std::string("old"));
    ReplacingFileWriter writer(realFileSystem(), path);
    ASSERT_TRUE(writer.open());
    EXPECT_EQ(writer.temporaryPath(), path + ".saving");
    ASSERT_TRUE(writer.commit(largeContent()));
    EXPECT_EQ(contentOf(path), largeContent());
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"work.lsn"});
}

TEST(ReplacingFileWriter, aFailureAtAnyStepKeepsTheOldFile) {
    const std::pair<FsCall, int> faults[] = {
        {FsCall::Write, 0}, {FsCall::Write, 1},         {FsCall::Flush, 0},
        {FsCall::Close, 0}, {FsCall::RenameReplace, 0},
    };
    for (const auto& [call, successes] : faults) {
        SCOPED_TRACE(std::string(test::fsCallName(call)) + " after " + std::to_string(successes));
        test::TempDir dir;
        const std::string path = dir.writeFile("work.lsn", std::string("old session"));
        test::FaultyFileSystem fileSystem;
        fileSystem.failAfter(call, successes, kErrorHandleDiskFull);
        {
            ReplacingFileWriter writer(fileSystem, path);
            ASSERT_TRUE(writer.open());
            EXPECT_FALSE(writer.commit(largeContent()));
            EXPECT_EQ(writer.error(), kErrorHandleDiskFull);
        }
        const std::vector<uint8_t> old = {'o', 'l', 'd', ' ', 's', 'e', 's', 's', 'i', 'o', 'n'};
        EXPECT_EQ(contentOf(path), old);
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"work.lsn"});
    }
}

TEST(ReplacingFileWriter, aFileThatCannotBeCreatedChangesNothing) {
    test::TempDir dir;
    const std::string path = dir.writeFile("work.lsn", std::string("old"));
    test::FaultyFileSystem fileSystem;
    fileSystem.failAfter(FsCall::OpenWrite, 0, kErrorAccessDenied);
    {
        ReplacingFileWriter writer(fileSystem, path);
        EXPECT_FALSE(writer.open());
        EXPECT_EQ(writer.error(), kErrorAccessDenied);
        EXPECT_FALSE(writer.commit({1, 2, 3}));
    }
    EXPECT_EQ(fileSystem.callCount(FsCall::RemoveFile), 0);
    EXPECT_EQ(contentOf(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
}

TEST(ReplacingFileWriter, passesOverTheLeftoversOfAnInterruptedSave) {
    test::TempDir dir;
    const std::string path = dir.file("work.lsn");
    dir.writeFile("work.lsn.saving", std::string("leftover"));
    ReplacingFileWriter writer(realFileSystem(), path);
    ASSERT_TRUE(writer.open());
    EXPECT_EQ(writer.temporaryPath(), path + ".saving1");
    ASSERT_TRUE(writer.commit({'n', 'e', 'w'}));
    EXPECT_EQ(contentOf(path), (std::vector<uint8_t>{'n', 'e', 'w'}));
    EXPECT_EQ(contentOf(path + ".saving"),
              (std::vector<uint8_t>{'l', 'e', 'f', 't', 'o', 'v', 'e', 'r'}));
}

mode_t permissionsOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// What the system keeps of permission bits: all of them; on Windows only
// whether the owner may write (the read-only attribute), which its runtime
// reports as 0666 or 0444.
mode_t keptBits(mode_t mode) {
#ifdef _WIN32
    return (mode & 0200) != 0 ? 0666 : 0444;
#else
    return mode;
#endif
}

#ifndef _WIN32  // the test makes its links with POSIX calls
bool isLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}
#endif

// Tests run as root, whom the bits alone do not stop: a file without its
// owner's write bit is refused all the same, as a read-only file is.
TEST(ReplacingFileWriter, refusesAFileThatMayNotBeWrittenAndLeavesItAlone) {
    for (const mode_t mode : {0444, 0044, 0555}) {
        SCOPED_TRACE(mode);
        test::TempDir dir;
        const std::string path = dir.writeFile("work.lsn", std::string("old"));
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        {
            ReplacingFileWriter writer(realFileSystem(), path);
            EXPECT_FALSE(writer.open());
            EXPECT_EQ(writer.error(), kErrorAccessDenied);
            EXPECT_FALSE(writer.commit({1, 2, 3}));
        }
        EXPECT_EQ(contentOf(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
        EXPECT_EQ(permissionsOf(path), keptBits(mode));
        EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"work.lsn"});
    }
}

TEST(ReplacingFileWriter, theReplacementKeepsThePermissionBits) {
    for (const mode_t mode : {0600, 0640, 0664, 0200}) {
        SCOPED_TRACE(mode);
        test::TempDir dir;
        const std::string path = dir.writeFile("work.lsn", std::string("old"));
        ASSERT_EQ(::chmod(path.c_str(), mode), 0);
        ReplacingFileWriter writer(realFileSystem(), path);
        ASSERT_TRUE(writer.open());
        // Already before the bytes are written.
        EXPECT_EQ(permissionsOf(writer.temporaryPath()), keptBits(mode));
        ASSERT_TRUE(writer.commit({'n', 'e', 'w'}));
        EXPECT_EQ(permissionsOf(path), keptBits(mode));
        EXPECT_EQ(contentOf(path), (std::vector<uint8_t>{'n', 'e', 'w'}));
    }
}

TEST(ReplacingFileWriter, aFailureToSetThePermissionsKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.writeFile("work.lsn", std::string("old"));
    test::FaultyFileSystem fileSystem;
    fileSystem.failAfter(FsCall::SetPermissions, 0, kErrorAccessDenied);
    {
        ReplacingFileWriter writer(fileSystem, path);
        EXPECT_FALSE(writer.open());
        EXPECT_EQ(writer.error(), kErrorAccessDenied);
        EXPECT_FALSE(writer.commit({1, 2, 3}));
    }
    EXPECT_EQ(contentOf(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"work.lsn"});
}

#ifndef _WIN32  // the test makes its links with POSIX calls
TEST(ReplacingFileWriter, followsSymbolicLinksAndKeepsThem) {
    test::TempDir dir;
    const std::string target = dir.writeFile("sessions/real.lsn", std::string("old"));
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    // A relative link to a relative link, each read from its own folder.
    dir.makeSymlink("sessions/real.lsn", "inner.lsn");
    const std::string link = dir.makeSymlink("../inner.lsn", "links/work.lsn");
    {
        ReplacingFileWriter writer(realFileSystem(), link);
        ASSERT_TRUE(writer.open());
        EXPECT_EQ(writer.targetPath(), dir.path() + "/links/../sessions/real.lsn");
        EXPECT_EQ(writer.temporaryPath(), writer.targetPath() + ".saving");
        ASSERT_TRUE(writer.commit({'n', 'e', 'w'}));
    }
    EXPECT_TRUE(isLink(link));
    EXPECT_TRUE(isLink(dir.file("inner.lsn")));
    EXPECT_EQ(contentOf(target), (std::vector<uint8_t>{'n', 'e', 'w'}));
    EXPECT_EQ(permissionsOf(target), 0640u);
    EXPECT_EQ(namesIn(dir.file("sessions")), std::vector<std::string>{"real.lsn"});
    EXPECT_EQ(namesIn(dir.file("links")), std::vector<std::string>{"work.lsn"});

    // A link to a file not there yet makes that file.
    const std::string absent = dir.makeSymlink(dir.file("sessions/new.lsn"), "fresh.lsn");
    ReplacingFileWriter writer(realFileSystem(), absent);
    ASSERT_TRUE(writer.open());
    ASSERT_TRUE(writer.commit({'x'}));
    EXPECT_TRUE(isLink(absent));
    EXPECT_EQ(contentOf(dir.file("sessions/new.lsn")), std::vector<uint8_t>{'x'});

    // A link to a file that may not be written is refused.
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    ReplacingFileWriter refused(realFileSystem(), link);
    EXPECT_FALSE(refused.open());
    EXPECT_EQ(refused.error(), kErrorAccessDenied);
    EXPECT_EQ(contentOf(target), (std::vector<uint8_t>{'n', 'e', 'w'}));
}
#endif

TEST(ReadWholeFile, failsOnMissingUnreadableAndOversizedFiles) {
    test::TempDir dir;
    const std::string path = dir.writeFile("work.lsn", largeContent());
    std::vector<uint8_t> bytes = {9};
    ErrorCode error = kErrorSuccess;

    EXPECT_FALSE(readWholeFile(realFileSystem(), dir.file("none.lsn"), bytes, error));
    EXPECT_EQ(error, kErrorFileNotFound);
    EXPECT_TRUE(bytes.empty());

    test::FaultyFileSystem fileSystem;
    fileSystem.failAfter(FsCall::Read, 1, kErrorReadFault);
    EXPECT_FALSE(readWholeFile(fileSystem, path, bytes, error));
    EXPECT_EQ(error, kErrorReadFault);
    EXPECT_TRUE(bytes.empty());

    EXPECT_FALSE(readWholeFile(realFileSystem(), path, bytes, error, 100 * 1024));
    EXPECT_EQ(error, kErrorNotEnoughMemory);
    EXPECT_TRUE(readWholeFile(realFileSystem(), path, bytes, error, 200 * 1024));
    EXPECT_EQ(bytes, largeContent());
}

}  // namespace
}  // namespace lumora
