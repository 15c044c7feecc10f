#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "catalog/ExifInfo.h"
#include "filters/CameraList.h"
#include "filters/FilterCriterion.h"
#include "filters/ValueList.h"

namespace lumora {

// The thirteen value lists of the filter: the distinct values found among the
// film's pictures, from which the filter dialog fills its boxes. They live as
// long as the program.
struct FilterValueLists {
    CameraList cameras;
    // Indexed by indexOf(criterion); the camera's slot stays empty.
    std::array<ValueList, kCriterionCount> lists;

    ValueList& of(FilterCriterion criterion) { return lists[indexOf(criterion)]; }
    const ValueList& of(FilterCriterion criterion) const { return lists[indexOf(criterion)]; }
};

// Whether a criterion has anything to choose from.
bool hasValues(const FilterValueLists& values, FilterCriterion criterion);

// A rebuild leaves alone every criterion whose keep flag is set, so the box
// the user is working with keeps all its entries while the others narrow.
void clearValueLists(FilterValueLists& values, const CriterionFlags& keep);
void addToValueLists(FilterValueLists& values, const ExifInfo& exif, const CriterionFlags& keep);
void sortValueLists(FilterValueLists& values);

// The first entry of the criterion's list whose text equals `text`.
std::optional<CriterionValue> lookupByText(const FilterValueLists& values,
                                           FilterCriterion criterion, std::string_view text);

}  // namespace lumora
