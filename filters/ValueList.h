#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/ExifInfo.h"
#include "filters/FilterCriterion.h"

namespace lumora {

// One entry of an EXIF criterion's value list: the text a combo box shows and
// the value that choosing it stores.
struct CriterionValue {
    std::string text;
    // An int32 (Size: width, Resolution: X truncated, Iso, the enumerations) or
    // a 32-bit float (the other ranges); a double holds either exactly.
    double value = 0.0;
    int32_t value2 = 0;  // Size: height; Resolution: Y truncated; else 0

    bool operator==(const CriterionValue&) const = default;
};

using ValueList = std::vector<CriterionValue>;

// Lists one picture under an EXIF criterion. Ranges and the flash keep one
// entry per distinct text, with the value of the first picture that printed
// it; the flash, metering mode, exposure program and white balance begin with
// ("All", -1); the last three keep one entry per distinct value and skip
// pictures whose value is 0. The camera has its own list (CameraList.h).
void addToValueList(FilterCriterion criterion, const ExifInfo& exif, ValueList& list);

// Orders a list by value: descending for the ranges, ascending for the
// aperture (f-number) and the enumerations. Equal values keep their order.
void sortValueList(FilterCriterion criterion, ValueList& list);

// The first entry whose text equals `text` exactly, or nothing.
std::optional<CriterionValue> lookupByText(const ValueList& list, std::string_view text);

}  // namespace lumora
