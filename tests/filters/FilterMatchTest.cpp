#include "filters/FilterMatch.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <limits>

namespace lumora {
namespace {

ExifInfo camera(const char* make, const char* model) {
    ExifInfo exif;
    std::strncpy(exif.CameraMake, make, sizeof exif.CameraMake - 1);
    std::strncpy(exif.CameraModel, model, sizeof exif.CameraModel - 1);
    return exif;
}

CriterionFlags allChecked() {
    CriterionFlags checks;
    checks.fill(true);
    return checks;
}

CriterionFlags onlyChecked(FilterCriterion criterion) {
    CriterionFlags checks{};
    checks[indexOf(criterion)] = true;
    return checks;
}

FilterSettings enabled() {
    FilterSettings settings;
    settings.advancedEnabled = 1;
    return settings;
}

TEST(FilterMatchCamera, MakeAndModelRules) {
    struct Case {
        const char* make;
        const char* model;
        const char* pictureMake;
        const char* pictureModel;
        bool passes;
    };
    const Case cases[] = {
        {"All", "E-10", "Canon", "PowerShot", true},  // "All" ignores the model
        {"All", "", "Canon", "PowerShot", true},
        {"Canon", "All", "Canon", "PowerShot", true},
        {"Canon", "All", "Nikon", "PowerShot", false},
        {"Canon", "PowerShot", "Canon", "PowerShot", true},
        {"Canon", "PowerShot", "Canon", "PowerShot G5", false},
        {"Canon", "PowerShot", "canon", "PowerShot", false},  // case-sensitive
        {"Canon", "", "Canon", "PowerShot", false},           // empty model behind a make
        {"Canon", "", "Canon", "", true},
        {"", "All", "", "X", true},  // pictures without a make are a make of their own
        {"", "All", "Canon", "X", false},
    };
    for (const Case& c : cases) {
        FilterSettings settings;
        settings.cameraMake = c.make;
        settings.cameraModel = c.model;
        const FilterMatch match =
            matchesFilter(camera(c.pictureMake, c.pictureModel), settings, allChecked());
        EXPECT_EQ(match.passes, c.passes)
            << c.make << "/" << c.model << " vs " << c.pictureMake << "/" << c.pictureModel;
        EXPECT_EQ(match.tested, CriterionFlags{});
    }
}

TEST(FilterMatchCamera, AppliesWithoutTheMasterSwitchWhileTheRestDoesNot) {
    FilterSettings settings;
    settings.cameraMake = "Nikon";
    settings.cameraModel = "All";
    settings.widthMax = 100;  // would fail the picture below if it were applied
    settings.widthMin = 100;
    ExifInfo exif = camera("Nikon", "D70");
    exif.Width = 3000;
    EXPECT_TRUE(matchesFilter(exif, settings, allChecked()).passes);
    EXPECT_FALSE(matchesFilter(camera("Canon", "D70"), settings, allChecked()).passes);
    settings.advancedEnabled = 1;
    EXPECT_FALSE(matchesFilter(exif, settings, allChecked()).passes);
}

TEST(FilterMatchCamera, AFailedCameraTestsNoOtherCriterion) {
    FilterSettings settings = enabled();
    settings.cameraMake = "Nikon";
    settings.isoMax = 400;
    const FilterMatch match = matchesFilter(camera("Canon", ""), settings, allChecked());
    EXPECT_FALSE(match.passes);
    EXPECT_FALSE(match.tested[indexOf(FilterCriterion::Iso)]);
}

// Each range with its bounds; a value on either bound passes, a value just
// outside fails.
TEST(FilterMatchRanges, BoundsAreInclusive) {
    struct Case {
        FilterCriterion criterion;
        void (*setBounds)(FilterSettings&);
        void (*setValue)(ExifInfo&, int which);  // 0 below, 1 lower bound, 2 upper, 3 above
    };
    const Case cases[] = {
        {FilterCriterion::Size, [](FilterSettings& s) { s.widthMin = 640, s.widthMax = 1600; },
         [](ExifInfo& e, int w) {
             e.Width = std::array<int32_t, 4>{639, 640, 1600, 1601}[w];
         }},
        {FilterCriterion::FocalLength,
         [](FilterSettings& s) { s.focalLengthMin = 7.1f, s.focalLengthMax = 21.3f; },
         [](ExifInfo& e, int w) {
             e.FocalLength = std::array<float, 4>{7.0f, 7.1f, 21.3f, 21.4f}[w];
         }},
        {FilterCriterion::Resolution,
         [](FilterSettings& s) { s.xResolutionMin = 72, s.xResolutionMax = 300; },
         [](ExifInfo& e, int w) {
             e.Xresolution = std::array<float, 4>{71.9f, 72, 300, 300.5f}[w];
         }},
        {FilterCriterion::ExposureTime,
         [](FilterSettings& s) { s.exposureTimeMin = 0.004f, s.exposureTimeMax = 0.5f; },
         [](ExifInfo& e, int w) {
             e.ExposureTime = std::array<float, 4>{0.003125f, 0.004f, 0.5f, 0.6f}[w];
         }},
        {FilterCriterion::Iso, [](FilterSettings& s) { s.isoMin = 100, s.isoMax = 400; },
         [](ExifInfo& e, int w) {
             e.ISOequivalent = std::array<int32_t, 4>{99, 100, 400, 401}[w];
         }},
        {FilterCriterion::FocusDistance,
         [](FilterSettings& s) { s.distanceMin = -1.0f, s.distanceMax = 2.5f; },
         [](ExifInfo& e, int w) {
             e.Distance = std::array<float, 4>{-1.5f, -1.0f, 2.5f, 2.51f}[w];
         }},
        {FilterCriterion::ExposureBias,
         [](FilterSettings& s) { s.exposureBiasMin = -0.67f, s.exposureBiasMax = 0.33f; },
         [](ExifInfo& e, int w) {
             e.ExposureBias = std::array<float, 4>{-1.0f, -0.67f, 0.33f, 0.34f}[w];
         }},
    };
    for (const Case& c : cases) {
        FilterSettings settings = enabled();
        c.setBounds(settings);
        const bool expected[] = {false, true, true, false};
        for (int which = 0; which < 4; ++which) {
            ExifInfo exif;
            c.setValue(exif, which);
            const FilterMatch match = matchesFilter(exif, settings, onlyChecked(c.criterion));
            EXPECT_EQ(match.passes, expected[which])
                << criterionCaption(c.criterion) << " value " << which;
            EXPECT_TRUE(match.tested[indexOf(c.criterion)]) << criterionCaption(c.criterion);
        }
    }
}

TEST(FilterMatchRanges, ApertureMaxHoldsTheSmallerFNumber) {
    FilterSettings settings = enabled();
    settings.apertureMax = 2.8f;
    settings.apertureMin = 8.0f;
    const CriterionFlags checks = onlyChecked(FilterCriterion::Aperture);
    for (float f : {2.8f, 5.6f, 8.0f}) {
        ExifInfo exif;
        exif.ApertureFNumber = f;
        EXPECT_TRUE(matchesFilter(exif, settings, checks).passes) << f;
    }
    for (float f : {2.0f, 11.0f}) {
        ExifInfo exif;
        exif.ApertureFNumber = f;
        EXPECT_FALSE(matchesFilter(exif, settings, checks).passes) << f;
    }
}

TEST(FilterMatchRanges, SizeComparesTheWidthOnly) {
    FilterSettings settings = enabled();
    settings.widthMax = settings.widthMin = 640;
    for (int32_t height : {480, 427, 0, 99999}) {
        ExifInfo exif;
        exif.Width = 640;
        exif.Height = height;
        EXPECT_TRUE(matchesFilter(exif, settings, allChecked()).passes) << height;
    }
    ExifInfo other;
    other.Width = 480;
    other.Height = 640;
    EXPECT_FALSE(matchesFilter(other, settings, allChecked()).passes);
}

TEST(FilterMatchRanges, AZeroUpperBoundDoesNotFilterWhateverTheLowerBound) {
    FilterSettings settings = enabled();
    settings.widthMin = 5000;
    settings.focalLengthMin = 300;
    settings.isoMin = 3200;
    settings.exposureBiasMin = 2.0f;
    settings.apertureMin = 1.0f;
    ExifInfo exif;
    exif.Width = 640;
    exif.FocalLength = 10;
    exif.ISOequivalent = 100;
    exif.ApertureFNumber = 4.0f;
    const FilterMatch match = matchesFilter(exif, settings, allChecked());
    EXPECT_TRUE(match.passes);
    EXPECT_EQ(match.tested, CriterionFlags{});
}

TEST(FilterMatchRanges, UnrecordedZeroPassesOnlyWhenTheLowerBoundIsNotAboveZero) {
    FilterSettings settings = enabled();
    settings.focalLengthMax = 50;
    ExifInfo unrecorded;
    EXPECT_TRUE(matchesFilter(unrecorded, settings, allChecked()).passes);
    settings.focalLengthMin = 5;
    EXPECT_FALSE(matchesFilter(unrecorded, settings, allChecked()).passes);
}

TEST(FilterMatchEnumerations, ValueMustBeEqualAndMinusOneIsInactive) {
    struct Case {
        FilterCriterion criterion;
        int32_t ExifInfo::*field;
        int32_t FilterSettings::*setting;
    };
    const Case cases[] = {
        {FilterCriterion::Flash, &ExifInfo::FlashUsed, &FilterSettings::flashUsed},
        {FilterCriterion::MeteringMode, &ExifInfo::MeteringMode, &FilterSettings::meteringMode},
        {FilterCriterion::ExposureProgram, &ExifInfo::ExposureProgram,
         &FilterSettings::exposureProgram},
        {FilterCriterion::WhiteBalance, &ExifInfo::Whitebalance, &FilterSettings::whiteBalance},
    };
    for (const Case& c : cases) {
        FilterSettings settings = enabled();
        ExifInfo exif;
        exif.*c.field = 1;
        FilterMatch match = matchesFilter(exif, settings, allChecked());
        EXPECT_TRUE(match.passes);
        EXPECT_FALSE(match.tested[indexOf(c.criterion)]) << criterionCaption(c.criterion);

        settings.*c.setting = 0;
        match = matchesFilter(exif, settings, allChecked());
        EXPECT_FALSE(match.passes) << criterionCaption(c.criterion);
        EXPECT_TRUE(match.tested[indexOf(c.criterion)]);

        settings.*c.setting = 1;
        EXPECT_TRUE(matchesFilter(exif, settings, allChecked()).passes);
    }
}

TEST(FilterMatchSwitches, UncheckedOrDisabledCriteriaAreNotApplied) {
    FilterSettings settings = enabled();
    settings.isoMax = settings.isoMin = 400;
    settings.useIso = 1;  // the saved box does not count, the dialog's does
    ExifInfo exif;
    exif.ISOequivalent = 100;
    EXPECT_TRUE(matchesFilter(exif, settings, CriterionFlags{}).passes);
    EXPECT_FALSE(matchesFilter(exif, settings, onlyChecked(FilterCriterion::Iso)).passes);
    settings.advancedEnabled = 0;
    const FilterMatch match = matchesFilter(exif, settings, onlyChecked(FilterCriterion::Iso));
    EXPECT_TRUE(match.passes);
    EXPECT_FALSE(match.tested[indexOf(FilterCriterion::Iso)]);
}

TEST(FilterMatchSwitches, TestedMarksStopAtTheFirstFailure) {
    FilterSettings settings = enabled();
    settings.widthMax = settings.widthMin = 640;              // passes
    settings.exposureTimeMax = settings.exposureTimeMin = 1;  // fails
    settings.isoMax = 800;                                    // after the failure
    settings.whiteBalance = 1;
    ExifInfo exif;
    exif.Width = 640;
    exif.ExposureTime = 0.01f;
    exif.ISOequivalent = 100;
    exif.Whitebalance = 1;
    FilterMatch match = matchesFilter(exif, settings, allChecked());
    EXPECT_FALSE(match.passes);
    CriterionFlags expected{};
    expected[indexOf(FilterCriterion::Size)] = true;
    expected[indexOf(FilterCriterion::ExposureTime)] = true;
    EXPECT_EQ(match.tested, expected);

    exif.ExposureTime = 1;
    match = matchesFilter(exif, settings, allChecked());
    EXPECT_TRUE(match.passes);
    expected[indexOf(FilterCriterion::Iso)] = true;
    expected[indexOf(FilterCriterion::WhiteBalance)] = true;
    EXPECT_EQ(match.tested, expected);
}

TEST(FilterMatchSwitches, NanValuesFailAnActiveRange) {
    FilterSettings settings = enabled();
    settings.distanceMax = 10;
    settings.distanceMin = -1;
    ExifInfo exif;
    exif.Distance = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(matchesFilter(exif, settings, allChecked()).passes);
}

}  // namespace
}  // namespace lumora
