#pragma once

#include <cstdint>
#include <string>

#include "imaging/Image.h"

namespace lumora::bench {

// Writes near-copies of one decoded picture as JPEG files named
// STEM-KIND.jpg under folder: the picture encoded plainly, then encoded
// progressive and with optimised tables (the same pixels in other bytes), at
// other qualities, one grey level brighter, and with small retouches: spots
// and single pixels at random places, spots in the 8 x 8 blocks that the
// 64 x 64 signature samples (beside the sampled pixel), and spots in blocks
// that it does not sample. These are the pictures on which two ways of
// decoding a file could disagree about "duplicate". Returns how many files
// were written, or -1 with error set.
int writeNearDuplicates(const Image& source, const std::string& folder, const std::string& stem,
                        uint32_t seed, std::string& error);

}  // namespace lumora::bench
