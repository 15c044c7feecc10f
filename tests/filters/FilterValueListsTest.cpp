#include "filters/FilterValueLists.h"

#include <gtest/gtest.h>

#include <cstring>

#include "filters/ValueListReport.h"

namespace lumora {
namespace {

ExifInfo picture(const char* make, const char* model, int32_t width, float focal, int32_t flash,
                 int32_t metering) {
    ExifInfo exif;
    std::strncpy(exif.CameraMake, make, sizeof exif.CameraMake - 1);
    std::strncpy(exif.CameraModel, model, sizeof exif.CameraModel - 1);
    exif.Width = width;
    exif.Height = width * 3 / 4;
    exif.FocalLength = focal;
    exif.FlashUsed = flash;
    exif.MeteringMode = metering;
    return exif;
}

FilterValueLists buildAll(const std::vector<ExifInfo>& pictures) {
    FilterValueLists values;
    for (const ExifInfo& exif : pictures) addToValueLists(values, exif, CriterionFlags{});
    sortValueLists(values);
    return values;
}

const std::vector<ExifInfo> kFilm = {
    picture("Canon", "PowerShot A80", 640, 7.8f, 0, 5),
    picture("NIKON", "E990", 2048, 0, 1, 0),
    picture("Canon", "EOS 300D", 3072, 18, 0, 3),
};

TEST(FilterValueLists, ReportListsEveryCriterionInOrder) {
    const FilterValueLists values = buildAll(kFilm);
    EXPECT_EQ(valueListsReport(values),
              "Camera/Model\n"
              "  Canon\n"
              "    All\n"
              "    PowerShot A80\n"
              "    EOS 300D\n"
              "  NIKON\n"
              "    E990\n"
              "Width x Height\n"
              "  3072 x 2304\n"
              "  2048 x 1536\n"
              "  640 x 480\n"
              "Focal Lenght\n"
              "  18.0mm\n"
              "   7.8mm\n"
              "X,Y resolution(dpi)\n"
              "Exposure Time\n"
              "ApertureFNumber\n"
              "ISO equiv.\n"
              "Focus Distance\n"
              "Exposure bias\n"
              "Flash Used\n"
              "  All\n"
              "  No\n"
              "  Yes\n"
              "Metering Mode\n"
              "  All\n"
              "  spot\n"
              "  matrix\n"
              "Exposure Program\n"
              "Whitebalance\n");
    EXPECT_TRUE(hasValues(values, FilterCriterion::Camera));
    EXPECT_TRUE(hasValues(values, FilterCriterion::Flash));
    EXPECT_FALSE(hasValues(values, FilterCriterion::Iso));
}

TEST(FilterValueLists, KeptListsSurviveARebuildFromANarrowerFilm) {
    FilterValueLists values = buildAll(kFilm);
    CriterionFlags keep{};
    keep[indexOf(FilterCriterion::FocalLength)] = true;
    keep[indexOf(FilterCriterion::Camera)] = true;
    clearValueLists(values, keep);
    EXPECT_TRUE(values.of(FilterCriterion::Size).empty());
    EXPECT_EQ(values.of(FilterCriterion::FocalLength).size(), 2u);
    EXPECT_EQ(values.cameras.size(), 2u);

    addToValueLists(values, kFilm[2], keep);
    sortValueLists(values);
    ASSERT_EQ(values.of(FilterCriterion::Size).size(), 1u);
    EXPECT_EQ(values.of(FilterCriterion::Size)[0].text, "3072 x 2304");
    EXPECT_EQ(values.of(FilterCriterion::FocalLength).size(), 2u);  // not doubled
    EXPECT_EQ(values.cameras[0].models.size(), 3u);

    const std::optional<CriterionValue> focal =
        lookupByText(values, FilterCriterion::FocalLength, " 7.8mm");
    ASSERT_TRUE(focal.has_value());
    EXPECT_EQ(focal->value, static_cast<double>(7.8f));
    EXPECT_FALSE(lookupByText(values, FilterCriterion::Size, "640 x 480").has_value());
    EXPECT_FALSE(lookupByText(values, FilterCriterion::Camera, "Canon").has_value());
}

}  // namespace
}  // namespace lumora
