#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TempDir.h"

namespace lumora {
namespace {

std::string contentOf(const std::string& path) {
    ErrorCode error = kErrorSuccess;
    auto file = realFileSystem().openRead(path, error);
    if (!file) return "<" + std::to_string(error) + ">";
    char buffer[256];
    std::string text;
    while (size_t got = file->read(buffer, sizeof buffer)) text.append(buffer, got);
    return text;
}

TEST(OutputFile, writesFlushesAndClosesAndThenRefusesMore) {
    test::TempDir dir;
    const std::string path = dir.file("out.bin");
    ErrorCode error = kErrorReadFault;
    auto file = realFileSystem().openWrite(path, CreateMode::New, error);
    ASSERT_TRUE(file);
    EXPECT_EQ(error, kErrorSuccess);
    EXPECT_TRUE(file->write("abc", 3));
    EXPECT_TRUE(file->write("", 0));
    EXPECT_TRUE(file->write("de", 2));
    EXPECT_TRUE(file->flush());
    EXPECT_TRUE(file->close());
    EXPECT_FALSE(file->write("f", 1));
    EXPECT_FALSE(file->close());
    EXPECT_EQ(contentOf(path), "abcde");
}

TEST(OutputFile, createModesTreatAnExistingFileDifferently) {
    test::TempDir dir;
    const std::string path = dir.writeFile("out.bin", std::string("old content"));
    ErrorCode error = kErrorSuccess;
    EXPECT_FALSE(realFileSystem().openWrite(path, CreateMode::New, error));
    EXPECT_EQ(error, kErrorFileExists);
    EXPECT_EQ(contentOf(path), "old content");

    auto file = realFileSystem().openWrite(path, CreateMode::Always, error);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->write("new", 3));
    EXPECT_TRUE(file->close());
    EXPECT_EQ(contentOf(path), "new");
}

TEST(OutputFile, failuresGiveWindowsCodes) {
    test::TempDir dir;
    ErrorCode error = kErrorSuccess;
    EXPECT_FALSE(realFileSystem().openWrite(dir.file("no/such/out.bin"), CreateMode::New, error));
    EXPECT_EQ(error, kErrorPathNotFound);
    EXPECT_FALSE(realFileSystem().openWrite(dir.path(), CreateMode::Always, error));
    EXPECT_NE(error, kErrorSuccess);

    EXPECT_EQ(realFileSystem().removeFile(dir.file("none.bin")), kErrorFileNotFound);
    EXPECT_EQ(realFileSystem().renameReplace(dir.file("none.bin"), dir.file("x.bin")),
              kErrorFileNotFound);
}

TEST(RenameReplace, putsTheNewFileInPlaceOfTheOld) {
    test::TempDir dir;
    const std::string target = dir.writeFile("work.lsn", std::string("old"));
    const std::string fresh = dir.writeFile("work.lsn.saving", std::string("new"));
    EXPECT_EQ(realFileSystem().renameReplace(fresh, target), kErrorSuccess);
    EXPECT_EQ(contentOf(target), "new");
    EXPECT_EQ(contentOf(fresh), "<2>");
    EXPECT_EQ(realFileSystem().removeFile(target), kErrorSuccess);
    EXPECT_EQ(contentOf(target), "<2>");
}

}  // namespace
}  // namespace lumora
