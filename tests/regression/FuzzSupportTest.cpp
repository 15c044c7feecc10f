// The fuzz targets' in-memory files and their seeds. A seed the readers
// refuse would leave a run to find the accepted formats by chance, so every
// seed must be one the program reads.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "catalog/ExifReader.h"
#include "fuzz/MemoryFileSystem.h"
#include "fuzz/PictureSeeds.h"
#include "imaging/BmpCodec.h"
#include "imaging/Image.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

std::vector<uint8_t> fileBytes(const std::string& path) {
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> file = realFileSystem().openRead(path, error);
    std::vector<uint8_t> bytes;
    if (!file) return bytes;
    uint8_t chunk[4096];
    while (size_t count = file->read(chunk, sizeof chunk)) {
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
    return bytes;
}

class SeedFolder : public ::testing::Test {
  protected:
    std::vector<std::filesystem::path> files() const {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_.path())) {
            if (entry.is_regular_file()) found.push_back(entry.path());
        }
        return found;
    }

    test::TempDir folder_;
};

TEST(MemoryFileSystemTest, ReadsLikeADiskFile) {
    const uint8_t bytes[] = {1, 2, 3, 4, 5};
    MemoryFileSystem files("/a/b.jpg", bytes, sizeof bytes);
    ErrorCode error = kErrorSuccess;
    EXPECT_EQ(files.openRead("/a/c.jpg", error), nullptr);
    EXPECT_EQ(error, kErrorFileNotFound);

    std::unique_ptr<InputFile> file = files.openRead("/a/b.jpg", error);
    ASSERT_NE(file, nullptr);
    uint8_t buffer[8] = {};
    EXPECT_EQ(file->read(buffer, 3), 3u);
    EXPECT_EQ(buffer[2], 3);
    EXPECT_EQ(file->read(buffer, 8), 2u);  // a short read at the end
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(file->read(buffer, 8), 0u);
    ASSERT_TRUE(file->seek(1));
    EXPECT_EQ(file->read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 2);
    ASSERT_TRUE(file->seek(100));  // past the end: the next read gives nothing
    EXPECT_EQ(file->read(buffer, 8), 0u);
    EXPECT_EQ(file->error(), kErrorSuccess);
}

TEST(MemoryFileSystemTest, ReadsARangeThroughTheFileSystemCall) {
    const uint8_t bytes[] = {9, 8, 7, 6};
    MemoryFileSystem files("/p.jpg", bytes, sizeof bytes);
    std::vector<uint8_t> range;
    ErrorCode error = kErrorSuccess;
    ASSERT_TRUE(readFileRange(files, "/p.jpg", 1, 2, range, error));
    EXPECT_EQ(range, (std::vector<uint8_t>{8, 7}));
    EXPECT_FALSE(readFileRange(files, "/p.jpg", 3, 2, range, error));
}

TEST_F(SeedFolder, EveryBmpSeedDecodes) {
    writeBmpSeeds(folder_.path());
    const auto seeds = files();
    EXPECT_EQ(seeds.size(), 9u);
    for (const auto& path : seeds) {
        SCOPED_TRACE(path.string());
        const std::vector<uint8_t> bytes = fileBytes(path.string());
        Image image;
        EXPECT_TRUE(decodeBmp(bytes.data(), bytes.size(), path.extension() == ".dib", image))
            << image.GetLastError();
    }
}

TEST_F(SeedFolder, JpegSeedsDecodeAndMostCarryExif) {
    writeJpegSeeds(folder_.path());
    const auto seeds = files();
    ASSERT_GE(seeds.size(), 30u);
    int withExif = 0;
    int withThumbnail = 0;
    for (const auto& path : seeds) {
        SCOPED_TRACE(path.string());
        const std::vector<uint8_t> bytes = fileBytes(path.string());
        Image image(bytes.data(), bytes.size(), kFormatJpeg);
        EXPECT_TRUE(image.IsValid()) << image.GetLastError();
        ExifInfo info;
        ExifReader reader(&info);
        reader.setDiagnostics(nullptr);
        MemoryInputFile file(bytes.data(), bytes.size());
        EXPECT_TRUE(reader.decode(file));
        withExif += info.IsExif;
        withThumbnail += info.ThumbnailSize != 0;
    }
    EXPECT_GE(withExif, static_cast<int>(seeds.size()) * 3 / 4);
    EXPECT_GE(withThumbnail, static_cast<int>(seeds.size()) / 2);
}

TEST_F(SeedFolder, MotorolaSeedIsReadWithItsValues) {
    writeJpegSeeds(folder_.path());
    const std::vector<uint8_t> bytes = fileBytes(folder_.file("motorola.jpg"));
    ExifInfo info;
    ExifReader reader(&info);
    reader.setDiagnostics(nullptr);
    MemoryInputFile file(bytes.data(), bytes.size());
    reader.decode(file);
    EXPECT_STREQ(info.CameraMake, "Harbour Optics");
    EXPECT_STREQ(info.CameraModel, "HX-20");
    EXPECT_EQ(std::string(info.DateTime, 19), "2005:06:14 09:30:12");
    EXPECT_EQ(info.Orientation, 6);
    EXPECT_NE(info.ThumbnailSize, 0u);
}

}  // namespace
}  // namespace lumora
