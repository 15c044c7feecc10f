#pragma once

#include <cstdint>
#include <string>

namespace lumora {

// The advanced-filter criteria one album carries. The session file stores these
// fields with exactly these widths (int32 and 32-bit floats), so neither the
// types nor the defaults may change. The defaults are those of a new album.
//
// A range criterion is active when its upper bound is not zero; an enumerated
// one when its value is not -1. The use... fields record the dialog's check
// boxes as last saved; matching takes the open dialog's check boxes instead.
struct FilterSettings {
    int32_t advancedEnabled = 0;  // gates the twelve EXIF criteria, not the camera
    std::string cameraMake = "All";
    std::string cameraModel;  // "All", a model, or empty (matches only an empty model)
    int32_t widthMax = 0;
    int32_t widthMin = 0;
    float xResolutionMax = 0.0f;  // dpi, always a whole number
    float xResolutionMin = 0.0f;
    int32_t flashUsed = -1;
    float focalLengthMax = 0.0f;  // mm
    float focalLengthMin = 0.0f;
    float exposureTimeMax = 0.0f;  // s
    float exposureTimeMin = 0.0f;
    // The "Max" aperture is the wider one, so it holds the smaller f-number.
    float apertureMax = 0.0f;
    float apertureMin = 0.0f;
    int32_t isoMax = 0;
    int32_t isoMin = 0;
    float distanceMax = 0.0f;  // m; a negative distance means infinite
    float distanceMin = 0.0f;
    int32_t whiteBalance = -1;
    int32_t meteringMode = -1;
    int32_t exposureProgram = -1;
    float exposureBiasMax = 0.0f;  // EV
    float exposureBiasMin = 0.0f;
    int32_t useSize = 0;
    int32_t useFocalLength = 0;
    int32_t useResolution = 0;
    int32_t useExposureTime = 0;
    int32_t useAperture = 0;
    int32_t useIso = 0;
    int32_t useDistance = 0;
    int32_t useExposureBias = 0;
    int32_t useFlash = 0;
    int32_t useMeteringMode = 0;
    int32_t useExposureProgram = 0;
    int32_t useWhiteBalance = 0;
    int32_t liveUpdate = 1;

    bool operator==(const FilterSettings&) const = default;
};

// Clears every bound and value of the twelve EXIF criteria (ranges to 0,
// enumerations to -1); the camera, the switches and the use... fields stay.
void resetCriteriaValues(FilterSettings& settings);

static_assert(sizeof(float) == 4, "filter bounds are stored as 32-bit floats");

}  // namespace lumora
