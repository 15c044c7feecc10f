#include "filters/FilterSettings.h"

#include <gtest/gtest.h>

#include <type_traits>

#include "filters/FilterChoice.h"
#include "filters/FilterCriterion.h"

namespace lumora {
namespace {

// Every field a session file stores is four bytes wide.
static_assert(std::is_same_v<decltype(FilterSettings::widthMax), int32_t>);
static_assert(std::is_same_v<decltype(FilterSettings::isoMin), int32_t>);
static_assert(std::is_same_v<decltype(FilterSettings::apertureMax), float>);
static_assert(std::is_same_v<decltype(FilterSettings::exposureBiasMin), float>);
static_assert(std::is_same_v<decltype(FilterSettings::liveUpdate), int32_t>);

TEST(FilterSettings, NewAlbumRestrictsNothing) {
    const FilterSettings settings;
    EXPECT_EQ(settings.cameraMake, "All");
    EXPECT_EQ(settings.cameraModel, "");
    EXPECT_EQ(settings.liveUpdate, 1);
    EXPECT_EQ(settings.advancedEnabled, 0);
    for (FilterCriterion criterion : kAllCriteria) {
        EXPECT_FALSE(isCriterionActive(settings, criterion)) << criterionCaption(criterion);
    }
    EXPECT_EQ(savedChecks(settings), CriterionFlags{});
}

TEST(FilterSettings, ActiveMeansUpperBoundNotZeroOrValueNotMinusOne) {
    FilterSettings settings;
    settings.widthMin = 100;  // a lower bound alone does not make a range active
    settings.focalLengthMax = 50;
    settings.exposureBiasMax = -1;
    settings.meteringMode = 0;
    settings.cameraMake = "Canon";
    EXPECT_FALSE(isCriterionActive(settings, FilterCriterion::Size));
    EXPECT_TRUE(isCriterionActive(settings, FilterCriterion::FocalLength));
    EXPECT_TRUE(isCriterionActive(settings, FilterCriterion::ExposureBias));
    EXPECT_TRUE(isCriterionActive(settings, FilterCriterion::MeteringMode));
    EXPECT_TRUE(isCriterionActive(settings, FilterCriterion::Camera));
    EXPECT_FALSE(isCriterionActive(settings, FilterCriterion::WhiteBalance));
}

TEST(FilterSettings, UseFieldsMatchTheirCriteria) {
    FilterSettings settings;
    EXPECT_EQ(useField(settings, FilterCriterion::Camera), nullptr);
    *useField(settings, FilterCriterion::FocusDistance) = 1;
    *useField(settings, FilterCriterion::WhiteBalance) = 1;
    EXPECT_EQ(settings.useDistance, 1);
    EXPECT_EQ(settings.useWhiteBalance, 1);
    CriterionFlags expected{};
    expected[indexOf(FilterCriterion::FocusDistance)] = true;
    expected[indexOf(FilterCriterion::WhiteBalance)] = true;
    EXPECT_EQ(savedChecks(settings), expected);
    // Every EXIF criterion has its own field.
    FilterSettings all;
    for (FilterCriterion criterion : kAllCriteria) {
        if (int32_t* use = useField(all, criterion)) *use += 1;
    }
    CriterionFlags twelve;
    twelve.fill(true);
    twelve[indexOf(FilterCriterion::Camera)] = false;
    EXPECT_EQ(savedChecks(all), twelve);
}

TEST(FilterSettings, ResetClearsValuesAndKeepsCameraSwitchesAndChecks) {
    FilterSettings settings;
    settings.advancedEnabled = 1;
    settings.liveUpdate = 0;
    settings.cameraMake = "Canon";
    settings.cameraModel = "EOS";
    settings.useIso = settings.useFlash = 1;
    FilterSettings expected = settings;
    settings.widthMax = 10, settings.widthMin = 5;
    settings.xResolutionMax = 300, settings.xResolutionMin = 72;
    settings.focalLengthMax = 50, settings.focalLengthMin = 7;
    settings.exposureTimeMax = 1, settings.exposureTimeMin = 0.5f;
    settings.apertureMax = 2.8f, settings.apertureMin = 8;
    settings.isoMax = 400, settings.isoMin = 100;
    settings.distanceMax = 3, settings.distanceMin = -1;
    settings.exposureBiasMax = 1, settings.exposureBiasMin = -1;
    settings.flashUsed = 1, settings.whiteBalance = 2;
    settings.meteringMode = 3, settings.exposureProgram = 4;
    resetCriteriaValues(settings);
    EXPECT_EQ(settings, expected);
}

TEST(FilterChoice, RangeTextsStoreBoundsAndUnknownTextsLeaveThem) {
    const ValueList sizes = {{"2048 x 1536", 2048, 1536}, {"640 x 480", 640, 480}};
    FilterSettings settings;
    EXPECT_TRUE(
        storeRangeChoice(settings, FilterCriterion::Size, sizes, "2048 x 1536", "640 x 480"));
    EXPECT_EQ(settings.widthMax, 2048);
    EXPECT_EQ(settings.widthMin, 640);
    EXPECT_FALSE(storeRangeChoice(settings, FilterCriterion::Size, sizes, "640 x 480", "typed"));
    EXPECT_EQ(settings.widthMax, 640);
    EXPECT_EQ(settings.widthMin, 640);

    const ValueList resolutions = {{"300.0,300.0", 300, 300}, {" 72.0, 72.0", 72, 72}};
    EXPECT_TRUE(storeRangeChoice(settings, FilterCriterion::Resolution, resolutions, "300.0,300.0",
                                 " 72.0, 72.0"));
    EXPECT_EQ(settings.xResolutionMax, 300.0f);
    EXPECT_EQ(settings.xResolutionMin, 72.0f);

    const ValueList apertures = {{"f/2.8", 2.8f, 0}, {"f/8.0", 8.0f, 0}};
    EXPECT_TRUE(storeRangeChoice(settings, FilterCriterion::Aperture, apertures, "f/2.8", "f/8.0"));
    EXPECT_EQ(settings.apertureMax, 2.8f);  // exactly the float the picture carried
    EXPECT_EQ(settings.apertureMin, 8.0f);

    EXPECT_FALSE(storeRangeChoice(settings, FilterCriterion::Flash, apertures, "f/2.8", "f/8.0"));
}

TEST(FilterChoice, EnumerationTextStoresItsValueWithAllAsMinusOne) {
    const ValueList metering = {{"All", -1, 0}, {"spot", 3, 0}, {"unkown", 255, 0}};
    FilterSettings settings;
    EXPECT_TRUE(
        storeEnumerationChoice(settings, FilterCriterion::MeteringMode, metering, "unkown"));
    EXPECT_EQ(settings.meteringMode, 255);
    EXPECT_FALSE(
        storeEnumerationChoice(settings, FilterCriterion::MeteringMode, metering, "matrix"));
    EXPECT_EQ(settings.meteringMode, 255);
    EXPECT_TRUE(storeEnumerationChoice(settings, FilterCriterion::MeteringMode, metering, "All"));
    EXPECT_EQ(settings.meteringMode, -1);
    EXPECT_TRUE(storeEnumerationChoice(settings, FilterCriterion::WhiteBalance, metering, "spot"));
    EXPECT_EQ(settings.whiteBalance, 3);
    EXPECT_EQ(settings.meteringMode, -1);
}

}  // namespace
}  // namespace lumora
