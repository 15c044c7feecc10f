#include "filters/FilterSettings.h"

namespace lumora {

void resetCriteriaValues(FilterSettings& s) {
    s.widthMax = s.widthMin = 0;
    s.xResolutionMax = s.xResolutionMin = 0.0f;
    s.focalLengthMax = s.focalLengthMin = 0.0f;
    s.exposureTimeMax = s.exposureTimeMin = 0.0f;
    s.apertureMax = s.apertureMin = 0.0f;
    s.isoMax = s.isoMin = 0;
    s.distanceMax = s.distanceMin = 0.0f;
    s.exposureBiasMax = s.exposureBiasMin = 0.0f;
    s.flashUsed = s.whiteBalance = s.meteringMode = s.exposureProgram = -1;
}

}  // namespace lumora
