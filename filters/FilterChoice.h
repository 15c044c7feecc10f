#pragma once

#include <string_view>

#include "filters/FilterCriterion.h"
#include "filters/FilterSettings.h"
#include "filters/ValueList.h"

namespace lumora {

// Translate the texts chosen in the filter dialog back into the settings: the
// "Max" text gives the criterion's upper bound, the "Min" text its lower one
// (the width for the size, the X resolution for the resolution). A text that
// no entry of the list holds leaves its field as it was. Returns whether both
// texts were found.
bool storeRangeChoice(FilterSettings& settings, FilterCriterion criterion, const ValueList& list,
                      std::string_view maxText, std::string_view minText);

// The same for an enumeration: the entry's value, -1 for "All".
bool storeEnumerationChoice(FilterSettings& settings, FilterCriterion criterion,
                            const ValueList& list, std::string_view text);

}  // namespace lumora
