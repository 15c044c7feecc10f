#pragma once

#include <cstdint>
#include <vector>

#include "samples/ExifBlockWriter.h"
#include "samples/SamplePlan.h"

namespace lumora::samples {

// The EXIF block of one sample picture: its camera, date and exposure
// values, and the thumbnail bytes (empty for none).
ExifBlockSpec buildSampleExif(const PlannedSample& sample, int width, int height,
                              const std::vector<uint8_t>& thumbnail);

}  // namespace lumora::samples
