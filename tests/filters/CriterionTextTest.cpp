#include "filters/CriterionText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "filters/CriterionNames.h"

namespace lumora {
namespace {

struct TextCase {
    FilterCriterion criterion;
    void (*set)(ExifInfo&);
    const char* text;  // null: not listed
};

TEST(CriterionText, ValueTextsAndWhenTheyAreListed) {
    const TextCase cases[] = {
        {FilterCriterion::Size, [](ExifInfo& e) { e.Width = 640, e.Height = 480; }, "640 x 480"},
        {FilterCriterion::Size, [](ExifInfo&) {}, "0 x 0"},
        {FilterCriterion::FocalLength, [](ExifInfo& e) { e.FocalLength = 7.1f; }, " 7.1mm"},
        {FilterCriterion::FocalLength, [](ExifInfo& e) { e.FocalLength = 135; }, "135.0mm"},
        {FilterCriterion::FocalLength, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::Resolution, [](ExifInfo& e) { e.Xresolution = 72, e.Yresolution = 72; },
         " 72.0, 72.0"},
        {FilterCriterion::Resolution, [](ExifInfo& e) { e.Yresolution = 72; }, nullptr},
        {FilterCriterion::ExposureTime, [](ExifInfo& e) { e.ExposureTime = 0.004f; },
         "(1/250)~ 0.004s"},
        {FilterCriterion::ExposureTime, [](ExifInfo& e) { e.ExposureTime = 0.5f; },
         "(1/2)~ 0.500s"},
        // 1/2.5 s and 1/5.5 s: the reciprocals of the floats nearest them
        // round up in single precision (and would round down in double).
        {FilterCriterion::ExposureTime, [](ExifInfo& e) { e.ExposureTime = 0.4f; },
         "(1/3)~ 0.400s"},
        {FilterCriterion::ExposureTime, [](ExifInfo& e) { e.ExposureTime = 2.0f / 11.0f; },
         "(1/6)~ 0.182s"},
        {FilterCriterion::ExposureTime, [](ExifInfo& e) { e.ExposureTime = 1.5f; }, " 1.500s"},
        {FilterCriterion::ExposureTime, [](ExifInfo& e) { e.ExposureTime = 30; }, "30.000s"},
        {FilterCriterion::ExposureTime, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::Aperture, [](ExifInfo& e) { e.ApertureFNumber = 2.8f; }, "f/2.8"},
        {FilterCriterion::Aperture, [](ExifInfo& e) { e.ApertureFNumber = 11; }, "f/11.0"},
        {FilterCriterion::Aperture, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::Iso, [](ExifInfo& e) { e.ISOequivalent = 5; }, " 5"},
        {FilterCriterion::Iso, [](ExifInfo& e) { e.ISOequivalent = 100; }, "100"},
        {FilterCriterion::Iso, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::FocusDistance, [](ExifInfo& e) { e.Distance = 1.5f; }, "1.50m"},
        {FilterCriterion::FocusDistance, [](ExifInfo& e) { e.Distance = -1; }, "Infinite"},
        {FilterCriterion::FocusDistance, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::ExposureBias, [](ExifInfo& e) { e.ExposureBias = -0.67f; }, "-0.67"},
        {FilterCriterion::ExposureBias, [](ExifInfo& e) { e.ExposureBias = 1; }, "1.00"},
        {FilterCriterion::ExposureBias, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::Flash, [](ExifInfo&) {}, "No"},
        {FilterCriterion::Flash, [](ExifInfo& e) { e.FlashUsed = 1; }, "Yes"},
        {FilterCriterion::MeteringMode, [](ExifInfo& e) { e.MeteringMode = 3; }, "spot"},
        {FilterCriterion::MeteringMode, [](ExifInfo& e) { e.MeteringMode = 255; }, "unkown"},
        {FilterCriterion::MeteringMode, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::ExposureProgram, [](ExifInfo& e) { e.ExposureProgram = 3; },
         "aperture priority (semi-auto)"},
        {FilterCriterion::ExposureProgram, [](ExifInfo& e) { e.ExposureProgram = 9; }, "unkown"},
        {FilterCriterion::ExposureProgram, [](ExifInfo&) {}, nullptr},
        {FilterCriterion::WhiteBalance, [](ExifInfo& e) { e.Whitebalance = 3; }, "incandescent"},
        {FilterCriterion::WhiteBalance, [](ExifInfo& e) { e.Whitebalance = 10; }, "cloudy"},
        {FilterCriterion::WhiteBalance, [](ExifInfo&) {}, nullptr},
    };
    for (const TextCase& c : cases) {
        ExifInfo exif;
        c.set(exif);
        const std::optional<std::string> text = formatCriterionValue(c.criterion, exif);
        if (c.text == nullptr) {
            EXPECT_FALSE(text.has_value()) << criterionCaption(c.criterion) << ": " << *text;
        } else {
            ASSERT_TRUE(text.has_value()) << criterionCaption(c.criterion) << " " << c.text;
            EXPECT_EQ(*text, c.text) << criterionCaption(c.criterion);
        }
    }
}

TEST(CriterionText, NameTablesWithTheirFallbacks) {
    const char* metering[] = {"unkown",    "average", "center weight", "spot",
                              "multispot", "matrix",  "partial",       "unkown"};
    for (int32_t code = 0; code <= 7; ++code) EXPECT_STREQ(meteringModeName(code), metering[code]);
    const char* programs[] = {"unkown",
                              "manual",
                              "program (auto)",
                              "aperture priority (semi-auto)",
                              "shutter priority (semi-auto)",
                              "creative program",
                              "action program",
                              "portrait mode",
                              "landscape mode",
                              "unkown"};
    for (int32_t code = 0; code <= 9; ++code) {
        EXPECT_STREQ(exposureProgramName(code), programs[code]);
    }
    const char* lights[] = {"cloudy", "sunny", "fluorescent", "incandescent", "cloudy"};
    for (int32_t code = 0; code <= 4; ++code) EXPECT_STREQ(lightSourceName(code), lights[code]);
    EXPECT_STREQ(meteringModeName(-1), "unkown");
    EXPECT_STREQ(lightSourceName(-1), "cloudy");
}

TEST(CriterionText, GroupCaptionsInTableOrder) {
    std::string joined;
    for (FilterCriterion criterion : kAllCriteria)
        joined += std::string(criterionCaption(criterion)) + "|";
    EXPECT_EQ(joined,
              "Camera/Model|Width x Height|Focal Lenght|X,Y resolution(dpi)|Exposure Time|"
              "ApertureFNumber|ISO equiv.|Focus Distance|Exposure bias|Flash Used|Metering Mode|"
              "Exposure Program|Whitebalance|");
}

TEST(CriterionText, CameraTextsStopAtTheEndOfAnUnterminatedField) {
    ExifInfo exif;
    std::memset(exif.CameraMake, 'M', sizeof exif.CameraMake);
    std::memset(exif.CameraModel, 'm', sizeof exif.CameraModel);
    EXPECT_EQ(cameraMakeText(exif), std::string(32, 'M'));
    EXPECT_EQ(cameraModelText(exif), std::string(40, 'm'));
    EXPECT_EQ(*formatCriterionValue(FilterCriterion::Camera, exif), std::string(32, 'M'));
}

TEST(CriterionText, DamagedFloatsGiveTextsWithoutOverflow) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // The reciprocal of a tiny time is beyond int32: it stops at the maximum.
    EXPECT_EQ(exposureTimeText(1e-20f), "(1/2147483647)~ 0.000s");
    EXPECT_EQ(exposureTimeText(-2.0f), "(1/0)~-2.000s");
    EXPECT_EQ(exposureTimeText(nan).substr(0, 6), "(1/0)~");
    EXPECT_EQ(exposureTimeText(inf), "   infs");
    const std::string huge = *formatCriterionValue(FilterCriterion::FocalLength, [] {
        ExifInfo e;
        e.FocalLength = std::numeric_limits<float>::max();
        return e;
    }());
    EXPECT_EQ(huge.size(), 43u);  // 39 digits, ".0", "mm"
    EXPECT_EQ(truncateToInt32(1e30), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(truncateToInt32(-1e30), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(truncateToInt32(-2.9), -2);
    EXPECT_EQ(truncateToInt32(nan), 0);
}

}  // namespace
}  // namespace lumora
