#include "albums/PictureInfoText.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/Time.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

// 2005-03-04 10:20:30 UTC, which UTC shows as it is.
uint64_t march4th() {
    std::tm fields{};
    fields.tm_year = 105;
    fields.tm_mon = 2;
    fields.tm_mday = 4;
    fields.tm_hour = 10;
    fields.tm_min = 20;
    fields.tm_sec = 30;
    return unixToFileTime(utcFieldsToUnix(fields));
}

class PictureInfoTextTest : public ::testing::Test {
  protected:
    Lines lines() { return pictureInfoLines(exif, march4th(), 1, 1); }

    test::TzGuard zone{"UTC0"};
    ExifInfo exif{};
};

TEST_F(PictureInfoTextTest, everyLineOfAFullyDescribedPicture) {
    std::strcpy(exif.CameraMake, "Canon");
    std::strcpy(exif.CameraModel, "Canon PowerShot S40");
    std::strcpy(exif.DateTime, "2005:03:04 10:20:30");
    std::strcpy(exif.Version, "0220");
    exif.Width = 2272;
    exif.Height = 1704;
    exif.Xresolution = 180.0f;
    exif.Yresolution = 72.0f;
    exif.ResolutionUnit = 1.0f;
    exif.IsColor = 1;
    exif.FlashUsed = 1;
    exif.FocalLength = 7.09375f;
    exif.CCDWidth = 0.28f;  // inches, as the reader gives it: 7.11 mm
    exif.ExposureTime = 1.0f / 60.0f;
    exif.Brightness = 2.5f;
    exif.ApertureFNumber = 4.9f;
    exif.Distance = 1.25f;
    exif.ISOequivalent = 100;
    exif.ExposureBias = -0.33f;
    exif.Whitebalance = 2;
    exif.MeteringMode = 5;
    exif.ExposureProgram = 5;
    exif.CompressionLevel = 4;
    exif.Process = 0xC0;
    std::strcpy(exif.Comments, "first line\nsecond line");

    EXPECT_EQ(lines(), (Lines{
                           "Camera make  : Canon",
                           "Camera model : Canon PowerShot S40",
                           "Date: [2005-03-04]",
                           "Time: [10 20 30]",
                           "Exif version : 0220",
                           "Width x Height   : 2272 x 1704",
                           "X resolution (dpi) : 180.0",
                           "Y resolution (dpi) :  72.0",
                           "Color/bw     : Color",
                           "Flash used   : Yes",
                           "Focal length :  7.1mm  (35mm equivalent: 36mm)",
                           "CCD width    : 7.11mm",
                           "Exposure time: 0.017 s  (1/60)",
                           "Brightness :  2.500",
                           "Aperture     : f/4.9",
                           "Focus dist.  : 1.25m",
                           "ISO equiv.   : 100",
                           "Exposure bias:-0.33",
                           "Whitebalance : fluorescent",
                           "Metering Mode: matrix",
                           "Exposure     : creative program(biased toward depth of field)",
                           "Jpeg Quality : fine",
                           "Encoding      : Baseline",
                           "Comment      : first line",
                           "Comment      : second line",
                       }));
}

TEST_F(PictureInfoTextTest, emptyRecordGivesOnlyTheLinesThatAreAlwaysThere) {
    // Flash 0 is a recorded "No"; only a negative flash value hides the line.
    EXPECT_EQ(lines(), (Lines{"Width x Height   : 0 x 0", "Color/bw     : Black and white",
                              "Flash used   : No", "Encoding      : Unknown"}));
    exif.FlashUsed = -1;
    EXPECT_EQ(lines().size(), 3u);
}

TEST_F(PictureInfoTextTest, exposureTimeShowsTheFractionUpToHalfASecond) {
    exif.FlashUsed = -1;
    const std::pair<float, const char*> cases[] = {
        {0.5f, "Exposure time: 0.500 s  (1/2)"},
        {0.6f, "Exposure time: 0.600 s "},
        {0.004f, "Exposure time: 0.004 s  (1/250)"},
        // 1/2.5 s and 1/5.5 s round up, as the reciprocals of their floats do.
        {0.4f, "Exposure time: 0.400 s  (1/3)"},
        {2.0f / 11.0f, "Exposure time: 0.182 s  (1/6)"},
        // A damaged, tiny time stops at the largest fraction.
        {1e-20f, "Exposure time: 0.000 s  (1/2147483647)"},
        {2.0f, "Exposure time: 2.000 s "},
    };
    for (const auto& [time, expected] : cases) {
        exif.ExposureTime = time;
        EXPECT_EQ(lines()[2], expected) << time;
    }
}

TEST_F(PictureInfoTextTest, commentLinesSplitOnlyWhereMoreCharactersFollow) {
    exif.FlashUsed = -1;
    const std::pair<const char*, Lines> cases[] = {
        {"one line\n", {"Comment      : one line"}},
        {"a\nb", {"Comment      : a", "Comment      : b"}},
        {"a\n\nb", {"Comment      : a", "Comment      : ", "Comment      : b"}},
        {"\n", {"Comment      : "}},
    };
    for (const auto& [comment, expected] : cases) {
        std::memset(exif.Comments, 0, sizeof exif.Comments);
        std::strcpy(exif.Comments, comment);
        const Lines all = lines();
        EXPECT_EQ(Lines(all.begin() + 3, all.end()), expected) << comment;
    }
}

TEST_F(PictureInfoTextTest, aCommentFillingTheWholeFieldIsReadToItsEnd) {
    exif.FlashUsed = -1;
    std::memset(exif.Comments, 'x', sizeof exif.Comments);  // no terminating NUL
    const Lines all = lines();
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[3], "Comment      : " + std::string(1000, 'x'));
}

TEST_F(PictureInfoTextTest, namedValuesAndTheirGaps) {
    exif.FlashUsed = -1;
    exif.Whitebalance = 10;
    exif.MeteringMode = 255;
    exif.ExposureProgram = 9;
    exif.CompressionLevel = 3;
    exif.Distance = -1.0f;
    exif.Process = 0xC2;
    EXPECT_EQ(lines(), (Lines{"Width x Height   : 0 x 0", "Color/bw     : Black and white",
                              "Focus dist.  : Infinite", "Whitebalance : cloudy",
                              "Encoding      : Progressive"}));
}

TEST(JpegProcessName, everyFrameMarker) {
    const std::pair<int, const char*> cases[] = {
        {0xC0, "Baseline"},
        {0xC1, "Extended sequential"},
        {0xC3, "Lossless"},
        {0xC5, "Differential sequential"},
        {0xC6, "Differential progressive"},
        {0xC7, "Differential lossless"},
        {0xC9, "Extended sequential, arithmetic coding"},
        {0xCA, "Progressive, arithmetic coding"},
        {0xCB, "Lossless, arithmetic coding"},
        {0xCD, "Differential sequential, arithmetic coding"},
        {0xCE, "Differential progressive, arithmetic coding"},
        {0xCF, "Differential lossless, arithmetic coding"},
        {0xC4, "Unknown"},
        {0, "Unknown"},
    };
    for (const auto& [code, name] : cases) EXPECT_STREQ(jpegProcessName(code), name) << code;
}

}  // namespace
}  // namespace lumora
