#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "catalog/ExifReader.h"
#include "platform/FileSystem.h"
#include "samples/SampleCamera.h"
#include "samples/SampleGenerator.h"

namespace lumora::samples {
namespace {

namespace fs = std::filesystem;

// The program's own reader sees in every sample what the plan put there.
TEST(SampleReadBack, readerFindsThePlannedValues) {
    const fs::path folder = fs::path(::testing::TempDir()) / "lumora-samples-readback";
    fs::remove_all(folder);
    SampleOptions options;
    options.width = 320;
    options.height = 240;
    SampleCounts counts;
    std::string error;
    ASSERT_TRUE(writeSamples(folder.string(), options, counts, error)) << error;

    ExifReader reader;
    reader.setDiagnostics(nullptr);
    for (const PlannedSample& sample : planSamples(options)) {
        SCOPED_TRACE(sample.path);
        ErrorCode openError = kErrorSuccess;
        auto file = realFileSystem().openRead((folder / sample.path).string(), openError);
        ASSERT_TRUE(file);
        reader.decode(*file);
        const ExifInfo& info = reader.info();
        EXPECT_EQ(info.Width, 320);
        EXPECT_EQ(info.Height, 240);
        EXPECT_EQ(info.IsColor, sample.grey ? 0 : 1);
        if (sample.kind == SampleKind::NoExif) {
            EXPECT_EQ(info.IsExif, 0);
            EXPECT_STREQ(info.Comments, "Scanned from a print");
        } else {
            const SampleCamera& camera = sampleCameras()[sample.camera];
            EXPECT_EQ(info.IsExif, 1);
            EXPECT_STREQ(info.CameraMake, camera.make);
            EXPECT_STREQ(info.CameraModel, camera.model);
            EXPECT_STREQ(info.DateTime,
                         sample.kind == SampleKind::NoDate ? "" : sample.dateTime.c_str());
            EXPECT_EQ(info.Orientation, sample.orientation);
            EXPECT_EQ(info.ThumbnailSize != 0, sample.thumbnail);
            EXPECT_EQ(std::strlen(info.Comments) != 0, sample.userComment);
            EXPECT_GT(info.ExposureTime, 0.0f);
            EXPECT_GT(info.CCDWidth, 0.0f);
        }
        reader.reset();
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace lumora::samples
