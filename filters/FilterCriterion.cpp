#include "filters/FilterCriterion.h"

#include "filters/CriterionNames.h"

namespace lumora {

CriterionKind kindOf(FilterCriterion criterion) {
    switch (criterion) {
        case FilterCriterion::Camera:
            return CriterionKind::Text;
        case FilterCriterion::Size:
        case FilterCriterion::Iso:
            return CriterionKind::IntRange;
        case FilterCriterion::FocalLength:
        case FilterCriterion::Resolution:
        case FilterCriterion::ExposureTime:
        case FilterCriterion::Aperture:
        case FilterCriterion::FocusDistance:
        case FilterCriterion::ExposureBias:
            return CriterionKind::FloatRange;
        case FilterCriterion::Flash:
        case FilterCriterion::MeteringMode:
        case FilterCriterion::ExposureProgram:
        case FilterCriterion::WhiteBalance:
            return CriterionKind::Enumeration;
    }
    return CriterionKind::Text;
}

bool isRange(FilterCriterion criterion) {
    const CriterionKind kind = kindOf(criterion);
    return kind == CriterionKind::IntRange || kind == CriterionKind::FloatRange;
}

const char* criterionCaption(FilterCriterion criterion) {
    return kCriterionCaptions[indexOf(criterion)];
}

bool isCriterionActive(const FilterSettings& s, FilterCriterion criterion) {
    switch (criterion) {
        case FilterCriterion::Camera:
            return s.cameraMake != "All";
        case FilterCriterion::Size:
            return s.widthMax != 0;
        case FilterCriterion::FocalLength:
            return s.focalLengthMax != 0.0f;
        case FilterCriterion::Resolution:
            return s.xResolutionMax != 0.0f;
        case FilterCriterion::ExposureTime:
            return s.exposureTimeMax != 0.0f;
        case FilterCriterion::Aperture:
            return s.apertureMax != 0.0f;
        case FilterCriterion::Iso:
            return s.isoMax != 0;
        case FilterCriterion::FocusDistance:
            return s.distanceMax != 0.0f;
        case FilterCriterion::ExposureBias:
            return s.exposureBiasMax != 0.0f;
        case FilterCriterion::Flash:
            return s.flashUsed != -1;
        case FilterCriterion::MeteringMode:
            return s.meteringMode != -1;
        case FilterCriterion::ExposureProgram:
            return s.exposureProgram != -1;
        case FilterCriterion::WhiteBalance:
            return s.whiteBalance != -1;
    }
    return false;
}

const int32_t* useField(const FilterSettings& s, FilterCriterion criterion) {
    switch (criterion) {
        case FilterCriterion::Camera:
            return nullptr;
        case FilterCriterion::Size:
            return &s.useSize;
        case FilterCriterion::FocalLength:
            return &s.useFocalLength;
        case FilterCriterion::Resolution:
            return &s.useResolution;
        case FilterCriterion::ExposureTime:
            return &s.useExposureTime;
        case FilterCriterion::Aperture:
            return &s.useAperture;
        case FilterCriterion::Iso:
            return &s.useIso;
        case FilterCriterion::FocusDistance:
            return &s.useDistance;
        case FilterCriterion::ExposureBias:
            return &s.useExposureBias;
        case FilterCriterion::Flash:
            return &s.useFlash;
        case FilterCriterion::MeteringMode:
            return &s.useMeteringMode;
        case FilterCriterion::ExposureProgram:
            return &s.useExposureProgram;
        case FilterCriterion::WhiteBalance:
            return &s.useWhiteBalance;
    }
    return nullptr;
}

int32_t* useField(FilterSettings& s, FilterCriterion criterion) {
    return const_cast<int32_t*>(useField(static_cast<const FilterSettings&>(s), criterion));
}

CriterionFlags savedChecks(const FilterSettings& settings) {
    CriterionFlags checks{};
    for (FilterCriterion criterion : kAllCriteria) {
        const int32_t* use = useField(settings, criterion);
        checks[indexOf(criterion)] = use != nullptr && *use != 0;
    }
    return checks;
}

}  // namespace lumora
