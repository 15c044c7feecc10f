#pragma once

#include "catalog/ExifInfo.h"
#include "filters/FilterCriterion.h"
#include "filters/FilterSettings.h"

namespace lumora {

struct FilterMatch {
    bool passes = true;
    // Per EXIF criterion, whether its test was made for this picture; the
    // dialog's lamps turn green for a criterion tested on any film picture.
    // The camera slot stays false: the camera has no lamp.
    CriterionFlags tested{};
};

// Whether a picture passes the album's filter. `checked` holds the open
// dialog's check boxes (not the record's use... fields). The camera is tested
// whatever advancedEnabled holds; the twelve EXIF criteria only when it is
// set, each only while the picture still passes, when its box is checked and
// its stored value is active. Bounds are inclusive; the aperture's "Max" holds
// the smaller f-number; the size tests the width only.
FilterMatch matchesFilter(const ExifInfo& exif, const FilterSettings& settings,
                          const CriterionFlags& checked);

}  // namespace lumora
