#include "filters/FilterSelection.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

// Focal lengths, sorted descending as the list holds them.
const ValueList kFocal = {
    {"50.0mm", 50, 0}, {"35.0mm", 35, 0}, {"24.0mm", 24, 0}, {"18.0mm", 18, 0}};
// Apertures, sorted ascending.
const ValueList kAperture = {{"f/2.8", 2.8f, 0}, {"f/4.0", 4, 0}, {"f/8.0", 8, 0}};

FilterSettings focal(float max, float min) {
    FilterSettings s;
    s.focalLengthMax = max;
    s.focalLengthMin = min;
    return s;
}

FilterSettings aperture(float max, float min) {
    FilterSettings s;
    s.apertureMax = max;
    s.apertureMin = min;
    return s;
}

TEST(FilterSelectionMax, DescendingRanges) {
    const FilterCriterion c = FilterCriterion::FocalLength;
    EXPECT_EQ(maxSelection(c, kFocal, focal(0, 0)), 0u);
    EXPECT_EQ(maxSelection(c, kFocal, focal(200, 0)), 0u);
    EXPECT_EQ(maxSelection(c, kFocal, focal(50, 0)), 0u);
    EXPECT_EQ(maxSelection(c, kFocal, focal(24, 0)), 2u);
    EXPECT_EQ(maxSelection(c, kFocal, focal(10, 0)), 3u);
    EXPECT_EQ(maxSelection(c, kFocal, focal(30, 0)), std::nullopt);  // between entries
    EXPECT_EQ(maxSelection(c, ValueList{}, focal(30, 0)), std::nullopt);
}

TEST(FilterSelectionMax, ApertureMirrors) {
    const FilterCriterion c = FilterCriterion::Aperture;
    EXPECT_EQ(maxSelection(c, kAperture, aperture(0, 0)), 0u);
    EXPECT_EQ(maxSelection(c, kAperture, aperture(2.0f, 0)), 0u);
    EXPECT_EQ(maxSelection(c, kAperture, aperture(4, 0)), 1u);
    EXPECT_EQ(maxSelection(c, kAperture, aperture(16, 0)), 2u);
    EXPECT_EQ(maxSelection(c, kAperture, aperture(5.6f, 0)), std::nullopt);
}

TEST(FilterSelectionMin, CandidatesLieOnTheAllowedSideOfTheMax) {
    using Indexes = std::vector<std::size_t>;
    EXPECT_EQ(minCandidates(FilterCriterion::FocalLength, kFocal, 1), (Indexes{1, 2, 3}));
    EXPECT_EQ(minCandidates(FilterCriterion::FocalLength, kFocal, 3), (Indexes{3}));
    EXPECT_EQ(minCandidates(FilterCriterion::Aperture, kAperture, 1), (Indexes{1, 2}));
    EXPECT_EQ(minCandidates(FilterCriterion::FocalLength, kFocal, 9), (Indexes{}));
    // Two sizes of one width both stay beside a Max of that width.
    const ValueList sizes = {
        {"640 x 480", 640, 480}, {"640 x 427", 640, 427}, {"320 x 240", 320, 240}};
    EXPECT_EQ(minCandidates(FilterCriterion::Size, sizes, 1), (Indexes{0, 1, 2}));
}

TEST(FilterSelectionMin, StoredLowerBoundOrTheLastEntry) {
    const FilterCriterion c = FilterCriterion::FocalLength;
    const std::vector<std::size_t> fromThirtyFive = minCandidates(c, kFocal, 1);  // 35, 24, 18
    EXPECT_EQ(minSelection(c, kFocal, fromThirtyFive, focal(35, 24)), 1u);
    EXPECT_EQ(minSelection(c, kFocal, fromThirtyFive, focal(35, 18)), 2u);
    EXPECT_EQ(minSelection(c, kFocal, fromThirtyFive, focal(35, 35)), 0u);
    // A lower bound beyond the new Max selects the new Max itself.
    EXPECT_EQ(minSelection(c, kFocal, fromThirtyFive, focal(50, 50)), 0u);
    // No equal entry, or an inactive range: the smallest value.
    EXPECT_EQ(minSelection(c, kFocal, fromThirtyFive, focal(35, 20)), 2u);
    EXPECT_EQ(minSelection(c, kFocal, fromThirtyFive, focal(0, 24)), 2u);
    EXPECT_EQ(minSelection(c, kFocal, {}, focal(35, 24)), std::nullopt);

    const FilterCriterion a = FilterCriterion::Aperture;
    const std::vector<std::size_t> fromFour = minCandidates(a, kAperture, 1);  // 4, 8
    EXPECT_EQ(minSelection(a, kAperture, fromFour, aperture(4, 8)), 1u);
    EXPECT_EQ(minSelection(a, kAperture, fromFour, aperture(2.8f, 2.8f)), 0u);
    EXPECT_EQ(minSelection(a, kAperture, fromFour, aperture(0, 0)), 1u);  // largest f-number
}

TEST(FilterSelectionEnumeration, StoredValueOrTheNearestEnd) {
    const ValueList metering = {
        {"All", -1, 0}, {"center weight", 2, 0}, {"spot", 3, 0}, {"matrix", 5, 0}};
    FilterSettings s;
    const FilterCriterion c = FilterCriterion::MeteringMode;
    EXPECT_EQ(enumerationSelection(c, metering, s), 0u);
    s.meteringMode = 3;
    EXPECT_EQ(enumerationSelection(c, metering, s), 2u);
    s.meteringMode = 255;
    EXPECT_EQ(enumerationSelection(c, metering, s), 3u);
    s.meteringMode = 4;
    EXPECT_EQ(enumerationSelection(c, metering, s), std::nullopt);
    s.meteringMode = -1;
    s.flashUsed = 1;  // each criterion reads its own field
    EXPECT_EQ(enumerationSelection(c, metering, s), 0u);
    const ValueList flash = {{"All", -1, 0}, {"No", 0, 0}, {"Yes", 1, 0}};
    EXPECT_EQ(enumerationSelection(FilterCriterion::Flash, flash, s), 2u);
    EXPECT_EQ(enumerationSelection(FilterCriterion::Size, flash, s), std::nullopt);
}

}  // namespace
}  // namespace lumora
