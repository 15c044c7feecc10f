#include "filters/FilterValueLists.h"

namespace lumora {

bool hasValues(const FilterValueLists& values, FilterCriterion criterion) {
    if (criterion == FilterCriterion::Camera) return !values.cameras.empty();
    return !values.of(criterion).empty();
}

void clearValueLists(FilterValueLists& values, const CriterionFlags& keep) {
    for (FilterCriterion criterion : kAllCriteria) {
        if (keep[indexOf(criterion)]) continue;
        if (criterion == FilterCriterion::Camera) {
            values.cameras.clear();
        } else {
            values.of(criterion).clear();
        }
    }
}

void addToValueLists(FilterValueLists& values, const ExifInfo& exif, const CriterionFlags& keep) {
    for (FilterCriterion criterion : kAllCriteria) {
        if (keep[indexOf(criterion)]) continue;
        if (criterion == FilterCriterion::Camera) {
            addToCameraList(exif, values.cameras);
        } else {
            addToValueList(criterion, exif, values.of(criterion));
        }
    }
}

// Sorting a kept list again changes nothing: the sort keeps equal values in
// place and the list is already in order.
void sortValueLists(FilterValueLists& values) {
    for (FilterCriterion criterion : kAllCriteria) {
        if (criterion == FilterCriterion::Camera) continue;
        sortValueList(criterion, values.of(criterion));
    }
}

std::optional<CriterionValue> lookupByText(const FilterValueLists& values,
                                           FilterCriterion criterion, std::string_view text) {
    if (criterion == FilterCriterion::Camera) return std::nullopt;
    return lookupByText(values.of(criterion), text);
}

}  // namespace lumora
