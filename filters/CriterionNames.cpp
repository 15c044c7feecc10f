#include "filters/CriterionNames.h"

namespace lumora {
namespace {

const char* const kMeteringModes[] = {
    "average", "center weight", "spot", "multispot", "matrix", "partial",
};

const char* const kExposurePrograms[] = {
    "manual",
    "program (auto)",
    "aperture priority (semi-auto)",
    "shutter priority (semi-auto)",
    "creative program",
    "action program",
    "portrait mode",
    "landscape mode",
};

const char* const kLightSources[] = {"sunny", "fluorescent", "incandescent"};

template <int N>
const char* nameOf(const char* const (&table)[N], int32_t code, const char* other) {
    return code >= 1 && code <= N ? table[code - 1] : other;
}

}  // namespace

const char* const kCriterionCaptions[kCriterionCount] = {
    "Camera/Model",    "Width x Height",   "Focal Lenght",   "X,Y resolution(dpi)", "Exposure Time",
    "ApertureFNumber", "ISO equiv.",       "Focus Distance", "Exposure bias",       "Flash Used",
    "Metering Mode",   "Exposure Program", "Whitebalance",
};

const char* meteringModeName(int32_t code) {
    return nameOf(kMeteringModes, code, "unkown");
}

const char* exposureProgramName(int32_t code) {
    return nameOf(kExposurePrograms, code, "unkown");
}

const char* lightSourceName(int32_t code) {
    return nameOf(kLightSources, code, "cloudy");
}

}  // namespace lumora
