#pragma once

#include <string>

#include "samples/SamplePlan.h"

namespace lumora::samples {

// Writes the sample set of `options` under `folder` (created when missing),
// overwriting files of the same names. On failure `error` says which file.
bool writeSamples(const std::string& folder, const SampleOptions& options, SampleCounts& counts,
                  std::string& error);

}  // namespace lumora::samples
