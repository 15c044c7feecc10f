#include "filters/FilterChoice.h"

#include <optional>

#include "filters/CriterionText.h"

namespace lumora {
namespace {

// The integer fields take the entry's int32 value, the float fields its
// float; the entry holds either exactly.
void storeBound(FilterSettings& s, FilterCriterion criterion, bool upper, double value) {
    const float f = static_cast<float>(value);
    const int32_t i = truncateToInt32(value);
    switch (criterion) {
        case FilterCriterion::Size:
            (upper ? s.widthMax : s.widthMin) = i;
            break;
        case FilterCriterion::FocalLength:
            (upper ? s.focalLengthMax : s.focalLengthMin) = f;
            break;
        case FilterCriterion::Resolution:
            (upper ? s.xResolutionMax : s.xResolutionMin) = f;
            break;
        case FilterCriterion::ExposureTime:
            (upper ? s.exposureTimeMax : s.exposureTimeMin) = f;
            break;
        case FilterCriterion::Aperture:
            (upper ? s.apertureMax : s.apertureMin) = f;
            break;
        case FilterCriterion::Iso:
            (upper ? s.isoMax : s.isoMin) = i;
            break;
        case FilterCriterion::FocusDistance:
            (upper ? s.distanceMax : s.distanceMin) = f;
            break;
        case FilterCriterion::ExposureBias:
            (upper ? s.exposureBiasMax : s.exposureBiasMin) = f;
            break;
        default:
            break;
    }
}

}  // namespace

bool storeRangeChoice(FilterSettings& settings, FilterCriterion criterion, const ValueList& list,
                      std::string_view maxText, std::string_view minText) {
    if (!isRange(criterion)) return false;
    const std::optional<CriterionValue> upper = lookupByText(list, maxText);
    const std::optional<CriterionValue> lower = lookupByText(list, minText);
    if (upper) storeBound(settings, criterion, true, upper->value);
    if (lower) storeBound(settings, criterion, false, lower->value);
    return upper && lower;
}

bool storeEnumerationChoice(FilterSettings& settings, FilterCriterion criterion,
                            const ValueList& list, std::string_view text) {
    if (kindOf(criterion) != CriterionKind::Enumeration) return false;
    const std::optional<CriterionValue> entry = lookupByText(list, text);
    if (!entry) return false;
    const int32_t value = truncateToInt32(entry->value);
    switch (criterion) {
        case FilterCriterion::Flash:
            settings.flashUsed = value;
            break;
        case FilterCriterion::MeteringMode:
            settings.meteringMode = value;
            break;
        case FilterCriterion::ExposureProgram:
            settings.exposureProgram = value;
            break;
        case FilterCriterion::WhiteBalance:
            settings.whiteBalance = value;
            break;
        default:
            break;
    }
    return true;
}

}  // namespace lumora
