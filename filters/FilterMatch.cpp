#include "filters/FilterMatch.h"

#include "filters/CriterionText.h"

namespace lumora {
namespace {

template <typename T>
bool within(T lower, T value, T upper) {
    return lower <= value && value <= upper;
}

bool passesCriterion(FilterCriterion criterion, const ExifInfo& e, const FilterSettings& s) {
    switch (criterion) {
        case FilterCriterion::Camera:
            return true;
        case FilterCriterion::Size:
            return within(s.widthMin, e.Width, s.widthMax);
        case FilterCriterion::FocalLength:
            return within(s.focalLengthMin, e.FocalLength, s.focalLengthMax);
        case FilterCriterion::Resolution:
            return within(s.xResolutionMin, e.Xresolution, s.xResolutionMax);
        case FilterCriterion::ExposureTime:
            return within(s.exposureTimeMin, e.ExposureTime, s.exposureTimeMax);
        case FilterCriterion::Aperture:
            return within(s.apertureMax, e.ApertureFNumber, s.apertureMin);
        case FilterCriterion::Iso:
            return within(s.isoMin, e.ISOequivalent, s.isoMax);
        case FilterCriterion::FocusDistance:
            return within(s.distanceMin, e.Distance, s.distanceMax);
        case FilterCriterion::ExposureBias:
            return within(s.exposureBiasMin, e.ExposureBias, s.exposureBiasMax);
        case FilterCriterion::Flash:
            return e.FlashUsed == s.flashUsed;
        case FilterCriterion::MeteringMode:
            return e.MeteringMode == s.meteringMode;
        case FilterCriterion::ExposureProgram:
            return e.ExposureProgram == s.exposureProgram;
        case FilterCriterion::WhiteBalance:
            return e.Whitebalance == s.whiteBalance;
    }
    return true;
}

bool passesCamera(const ExifInfo& exif, const FilterSettings& settings) {
    if (settings.cameraMake == "All") return true;
    if (cameraMakeText(exif) != settings.cameraMake) return false;
    return settings.cameraModel == "All" || cameraModelText(exif) == settings.cameraModel;
}

}  // namespace

FilterMatch matchesFilter(const ExifInfo& exif, const FilterSettings& settings,
                          const CriterionFlags& checked) {
    FilterMatch match;
    match.passes = passesCamera(exif, settings);
    if (settings.advancedEnabled == 0) return match;
    for (FilterCriterion criterion : kAllCriteria) {
        if (!match.passes) break;
        if (criterion == FilterCriterion::Camera) continue;
        if (!checked[indexOf(criterion)] || !isCriterionActive(settings, criterion)) continue;
        match.tested[indexOf(criterion)] = true;
        match.passes = passesCriterion(criterion, exif, settings);
    }
    return match;
}

}  // namespace lumora
