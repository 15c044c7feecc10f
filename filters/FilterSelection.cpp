#include "filters/FilterSelection.h"

namespace lumora {
namespace {

std::optional<std::size_t> equalEntry(const ValueList& list, double value) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].value == value) return i;
    }
    return std::nullopt;
}

}  // namespace

double upperBoundOf(const FilterSettings& s, FilterCriterion criterion) {
    switch (criterion) {
        case FilterCriterion::Size:
            return s.widthMax;
        case FilterCriterion::FocalLength:
            return s.focalLengthMax;
        case FilterCriterion::Resolution:
            return s.xResolutionMax;
        case FilterCriterion::ExposureTime:
            return s.exposureTimeMax;
        case FilterCriterion::Aperture:
            return s.apertureMax;
        case FilterCriterion::Iso:
            return s.isoMax;
        case FilterCriterion::FocusDistance:
            return s.distanceMax;
        case FilterCriterion::ExposureBias:
            return s.exposureBiasMax;
        default:
            return 0.0;
    }
}

double lowerBoundOf(const FilterSettings& s, FilterCriterion criterion) {
    switch (criterion) {
        case FilterCriterion::Size:
            return s.widthMin;
        case FilterCriterion::FocalLength:
            return s.focalLengthMin;
        case FilterCriterion::Resolution:
            return s.xResolutionMin;
        case FilterCriterion::ExposureTime:
            return s.exposureTimeMin;
        case FilterCriterion::Aperture:
            return s.apertureMin;
        case FilterCriterion::Iso:
            return s.isoMin;
        case FilterCriterion::FocusDistance:
            return s.distanceMin;
        case FilterCriterion::ExposureBias:
            return s.exposureBiasMin;
        default:
            return 0.0;
    }
}

int32_t enumerationValueOf(const FilterSettings& s, FilterCriterion criterion) {
    switch (criterion) {
        case FilterCriterion::Flash:
            return s.flashUsed;
        case FilterCriterion::MeteringMode:
            return s.meteringMode;
        case FilterCriterion::ExposureProgram:
            return s.exposureProgram;
        case FilterCriterion::WhiteBalance:
            return s.whiteBalance;
        default:
            return -1;
    }
}

std::optional<std::size_t> maxSelection(FilterCriterion criterion, const ValueList& list,
                                        const FilterSettings& settings) {
    if (list.empty() || !isRange(criterion)) return std::nullopt;
    const double upper = upperBoundOf(settings, criterion);
    const double first = list.front().value;
    const double last = list.back().value;
    // The aperture's list ascends; every other range's descends.
    const bool ascending = criterion == FilterCriterion::Aperture;
    if (upper == 0.0 || (ascending ? upper <= first : upper >= first)) return 0;
    if (ascending ? upper > last : upper < last) return list.size() - 1;
    return equalEntry(list, upper);
}

std::vector<std::size_t> minCandidates(FilterCriterion criterion, const ValueList& list,
                                       std::size_t maxIndex) {
    std::vector<std::size_t> candidates;
    if (maxIndex >= list.size()) return candidates;
    const double chosen = list[maxIndex].value;
    const bool reversed = criterion == FilterCriterion::Aperture;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const double value = list[i].value;
        if (reversed ? value >= chosen : value <= chosen) candidates.push_back(i);
    }
    return candidates;
}

std::optional<std::size_t> minSelection(FilterCriterion criterion, const ValueList& list,
                                        const std::vector<std::size_t>& candidates,
                                        const FilterSettings& settings) {
    if (candidates.empty()) return std::nullopt;
    if (isCriterionActive(settings, criterion)) {
        const double lower = lowerBoundOf(settings, criterion);
        std::size_t counted = 0;
        std::size_t next = 0;  // the next candidate in list order
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i].value == lower) return counted < candidates.size() ? counted : 0;
            if (next < candidates.size() && candidates[next] == i) {
                ++counted;
                ++next;
            }
        }
    }
    return candidates.size() - 1;
}

std::optional<std::size_t> enumerationSelection(FilterCriterion criterion, const ValueList& list,
                                                const FilterSettings& settings) {
    if (list.empty() || kindOf(criterion) != CriterionKind::Enumeration) return std::nullopt;
    const double value = enumerationValueOf(settings, criterion);
    if (value == -1.0 || value < list.front().value) return 0;
    if (value > list.back().value) return list.size() - 1;
    return equalEntry(list, value);
}

}  // namespace lumora
