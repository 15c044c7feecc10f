#pragma once

#include <cstdint>
#include <span>

#include "samples/ExifBlockWriter.h"

namespace lumora::samples {

// One invented camera of the sample sets.
struct SampleCamera {
    const char* make;
    const char* model;
    ByteOrder order;
    const char* filePrefix;   // "IMG_" as in IMG_0012.JPG
    const char* folderBrand;  // "CANON" as in DCIM/100CANON
    uint32_t sensorWidthHundredthsMm;
    uint32_t focalMinTenthsMm;
    uint32_t focalMaxTenthsMm;
    uint16_t focalPlaneUnit;  // 2 inch, 3 centimetre
};

std::span<const SampleCamera> sampleCameras();

}  // namespace lumora::samples
