#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "filters/FilterSettings.h"

namespace lumora {

// The thirteen criteria of the advanced filter, in the order in which pictures
// are tested and in which the dialog and the value reports list them.
enum class FilterCriterion {
    Camera,
    Size,
    FocalLength,
    Resolution,
    ExposureTime,
    Aperture,
    Iso,
    FocusDistance,
    ExposureBias,
    Flash,
    MeteringMode,
    ExposureProgram,
    WhiteBalance,
};

inline constexpr std::size_t kCriterionCount = 13;

inline constexpr std::array<FilterCriterion, kCriterionCount> kAllCriteria = {
    FilterCriterion::Camera,       FilterCriterion::Size,          FilterCriterion::FocalLength,
    FilterCriterion::Resolution,   FilterCriterion::ExposureTime,  FilterCriterion::Aperture,
    FilterCriterion::Iso,          FilterCriterion::FocusDistance, FilterCriterion::ExposureBias,
    FilterCriterion::Flash,        FilterCriterion::MeteringMode,  FilterCriterion::ExposureProgram,
    FilterCriterion::WhiteBalance,
};

constexpr std::size_t indexOf(FilterCriterion criterion) {
    return static_cast<std::size_t>(criterion);
}

// One flag per criterion, indexed by indexOf: the dialog's check boxes, the
// tested marks of a match, the keep flags. The Camera slot of check boxes and
// tested marks is unused, since the camera has no check box and no lamp.
using CriterionFlags = std::array<bool, kCriterionCount>;

enum class CriterionKind { Text, IntRange, FloatRange, Enumeration };

CriterionKind kindOf(FilterCriterion criterion);
bool isRange(FilterCriterion criterion);

// The caption of the criterion's group in the filter dialog ("Focal Lenght").
const char* criterionCaption(FilterCriterion criterion);

// Whether the stored value restricts: a range when its upper bound is not 0,
// an enumeration when its value is not -1, the camera when its make is not "All".
bool isCriterionActive(const FilterSettings& settings, FilterCriterion criterion);

// The criterion's use... field (the saved check box). Null for the camera.
int32_t* useField(FilterSettings& settings, FilterCriterion criterion);
const int32_t* useField(const FilterSettings& settings, FilterCriterion criterion);

// The check-box states saved in the record, as flags.
CriterionFlags savedChecks(const FilterSettings& settings);

}  // namespace lumora
