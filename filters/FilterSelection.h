#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "filters/FilterCriterion.h"
#include "filters/FilterSettings.h"
#include "filters/ValueList.h"

namespace lumora {

// Which entries of a sorted value list the filter dialog selects to show an
// album's stored choice. Indexes are positions in the list (for the Min box,
// in the Min box); nothing means no selection.

// The stored bounds of a range as the list's values compare them.
double upperBoundOf(const FilterSettings& settings, FilterCriterion criterion);
double lowerBoundOf(const FilterSettings& settings, FilterCriterion criterion);
// The stored value of an enumeration, -1 for "All".
int32_t enumerationValueOf(const FilterSettings& settings, FilterCriterion criterion);

// The Max entry for the stored upper bound: the first entry when the bound is
// 0 or lies at or beyond the first entry, the last when it lies beyond the
// last, else the entry with an equal value. The aperture's list runs the
// other way (ascending f-numbers) and mirrors this.
std::optional<std::size_t> maxSelection(FilterCriterion criterion, const ValueList& list,
                                        const FilterSettings& settings);

// The entries the Min box offers once the Max entry is chosen: in list order,
// those not greater than it (for the aperture: not smaller).
std::vector<std::size_t> minCandidates(FilterCriterion criterion, const ValueList& list,
                                       std::size_t maxIndex);

// The Min box entry for the stored lower bound, given the Min box's entries.
// With an active range, the position among the Min entries of the first list
// entry equal to the lower bound, counting only Min entries before it (so a
// bound beyond the new Max selects the first); otherwise, or when no entry is
// equal, the last Min entry. Nothing when the Min box is empty.
std::optional<std::size_t> minSelection(FilterCriterion criterion, const ValueList& list,
                                        const std::vector<std::size_t>& candidates,
                                        const FilterSettings& settings);

// The entry for an enumeration's stored value: the first for -1 or a value
// below the first entry's, the last above the last entry's, else the equal one.
std::optional<std::size_t> enumerationSelection(FilterCriterion criterion, const ValueList& list,
                                                const FilterSettings& settings);

}  // namespace lumora
