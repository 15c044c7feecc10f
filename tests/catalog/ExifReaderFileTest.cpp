#include "catalog/ExifReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "samples/JpegFileWriter.h"
#include "tests/catalog/ExifTestSupport.h"
#include "tests/support/TempDir.h"

namespace lumora::testing {
namespace {

class ExifReaderFiles : public ::testing::Test {
  protected:
    std::string write(const std::string& name, const Bytes& bytes) {
        const std::string path = dir_.file(name);
        std::filesystem::remove(path);  // the writer makes new files only
        EXPECT_TRUE(samples::writeFile(path, bytes));
        return path;
    }

    test::TempDir dir_;
};

TEST_F(ExifReaderFiles, thumbnailIsFoundAgainAtItsPlaceInTheFile) {
    for (const auto order : {samples::ByteOrder::Intel, samples::ByteOrder::Motorola}) {
        samples::ExifBlockSpec spec;
        spec.order = order;
        spec.ifd0 = {samples::asciiEntry(0x010F, "FUJIFILM")};
        spec.ifd1 = {samples::shortEntry(0x0103, 6)};
        spec.thumbnail = samples::encodePattern(160, 120, 3, 75, 4);
        samples::JpegSpec jpeg;
        jpeg.width = 320;
        jpeg.height = 240;
        jpeg.segments = {samples::commentSegment("first"), exifSection(spec)};
        const std::string path = write("picture.jpg", samples::buildJpegFile(jpeg));

        ErrorCode error = 0;
        auto file = realFileSystem().openRead(path, error);
        ASSERT_TRUE(file);
        ExifReader reader;
        ASSERT_TRUE(reader.decode(*file));
        const ExifInfo& info = reader.info();
        EXPECT_EQ(info.IsExif, 1);
        EXPECT_STREQ(info.CameraMake, "FUJIFILM");
        EXPECT_EQ(info.Width, 320);
        EXPECT_EQ(info.Height, 240);
        EXPECT_EQ(info.Process, 0xC0);
        EXPECT_EQ(info.ThumbnailSize, spec.thumbnail.size());

        Bytes thumbnail;
        ASSERT_TRUE(readFileRange(realFileSystem(), path, info.ThumbnailOffset, info.ThumbnailSize,
                                  thumbnail, error));
        EXPECT_EQ(thumbnail, spec.thumbnail);
    }
}

TEST_F(ExifReaderFiles, oneReaderServesManyFiles) {
    samples::ExifBlockSpec full;
    full.ifd0 = {samples::asciiEntry(0x010F, "Canon")};
    full.exifIfd = {samples::shortEntry(0x8827, 100), samples::shortEntry(0x9209, 1)};
    full.thumbnail = samples::encodePattern(16, 16, 3, 75, 2);
    samples::JpegSpec withExif;
    withExif.segments = {exifSection(full), samples::commentSegment("kept")};
    samples::JpegSpec plain;
    plain.components = 1;
    const std::string paths[] = {write("a.jpg", samples::buildJpegFile(withExif)),
                                 write("b.jpg", samples::buildJpegFile(plain))};

    ExifInfo info;
    ExifReader reader(&info);
    for (int round = 0; round < 2; ++round) {
        for (const std::string& path : paths) {
            ErrorCode error = 0;
            auto file = realFileSystem().openRead(path, error);
            ASSERT_TRUE(file);
            reader.reset();
            EXPECT_TRUE(reader.decode(*file));
            const bool exif = path == paths[0];
            EXPECT_EQ(info.IsExif, exif ? 1 : 0);
            EXPECT_STREQ(info.CameraMake, exif ? "Canon" : "");
            EXPECT_STREQ(info.Comments, exif ? "kept" : "");
            EXPECT_EQ(info.ISOequivalent, exif ? 100 : 0);
            EXPECT_EQ(info.FlashUsed, exif ? 1 : 0);
            EXPECT_EQ(info.ThumbnailSize != 0, exif);
            EXPECT_EQ(info.IsColor, exif ? 1 : 0);
        }
    }
}

}  // namespace
}  // namespace lumora::testing
