#include "filters/ValueList.h"

#include <algorithm>
#include <cmath>

#include "filters/CriterionText.h"

namespace lumora {
namespace {

bool hasText(const ValueList& list, const std::string& text) {
    return std::any_of(list.begin(), list.end(),
                       [&](const CriterionValue& entry) { return entry.text == text; });
}

// Skips the leading ("All", -1), which stands for no value.
bool hasValue(const ValueList& list, double value) {
    return std::any_of(list.begin() + 1, list.end(),
                       [&](const CriterionValue& entry) { return entry.value == value; });
}

CriterionValue rangeEntry(FilterCriterion criterion, const ExifInfo& e, std::string text) {
    CriterionValue entry{std::move(text)};
    switch (criterion) {
        case FilterCriterion::Size:
            entry.value = e.Width;
            entry.value2 = e.Height;
            break;
        case FilterCriterion::Resolution:
            entry.value = truncateToInt32(e.Xresolution);
            entry.value2 = truncateToInt32(e.Yresolution);
            break;
        case FilterCriterion::FocalLength:
            entry.value = e.FocalLength;
            break;
        case FilterCriterion::ExposureTime:
            entry.value = e.ExposureTime;
            break;
        case FilterCriterion::Aperture:
            entry.value = e.ApertureFNumber;
            break;
        case FilterCriterion::Iso:
            entry.value = e.ISOequivalent;
            break;
        case FilterCriterion::FocusDistance:
            entry.value = e.Distance;
            break;
        case FilterCriterion::ExposureBias:
            entry.value = e.ExposureBias;
            break;
        default:
            break;
    }
    return entry;
}

int32_t enumerationValue(FilterCriterion criterion, const ExifInfo& e) {
    switch (criterion) {
        case FilterCriterion::Flash:
            return e.FlashUsed;
        case FilterCriterion::MeteringMode:
            return e.MeteringMode;
        case FilterCriterion::ExposureProgram:
            return e.ExposureProgram;
        case FilterCriterion::WhiteBalance:
            return e.Whitebalance;
        default:
            return 0;
    }
}

bool sortsAscending(FilterCriterion criterion) {
    return criterion == FilterCriterion::Aperture ||
           kindOf(criterion) == CriterionKind::Enumeration;
}

}  // namespace

void addToValueList(FilterCriterion criterion, const ExifInfo& exif, ValueList& list) {
    if (criterion == FilterCriterion::Camera) return;
    std::optional<std::string> text = formatCriterionValue(criterion, exif);
    if (!text) return;
    if (isRange(criterion)) {
        if (!hasText(list, *text)) list.push_back(rangeEntry(criterion, exif, std::move(*text)));
        return;
    }
    const int32_t value = enumerationValue(criterion, exif);
    if (list.empty()) list.push_back({"All", -1.0, 0});
    const bool listed =
        criterion == FilterCriterion::Flash ? hasText(list, *text) : hasValue(list, value);
    if (!listed) list.push_back({std::move(*text), static_cast<double>(value), 0});
}

void sortValueList(FilterCriterion criterion, ValueList& list) {
    const bool ascending = sortsAscending(criterion);
    // A damaged EXIF block may hold NaN; it goes last so the order stays a
    // strict weak ordering.
    std::stable_sort(list.begin(), list.end(),
                     [ascending](const CriterionValue& a, const CriterionValue& b) {
                         const bool aNan = std::isnan(a.value), bNan = std::isnan(b.value);
                         if (aNan || bNan) return !aNan && bNan;
                         return ascending ? a.value < b.value : a.value > b.value;
                     });
}

std::optional<CriterionValue> lookupByText(const ValueList& list, std::string_view text) {
    for (const CriterionValue& entry : list) {
        if (entry.text == text) return entry;
    }
    return std::nullopt;
}

}  // namespace lumora
