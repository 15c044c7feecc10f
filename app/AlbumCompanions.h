#pragma once

#include <cstdint>

#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"

namespace lumora {

// The companion files of an album's pictures as the scan noted them, with
// their sizes read from the disk when asked (the scan reads names only).
struct CompanionTally {
    int files = 0;
    float megabytes = 0.0f;  // each size's low 32 bits times 2^-20, summed as floats
};

CompanionTally albumCompanions(const PictureList& pictures, int32_t albumId,
                               FileSystem& fileSystem);

}  // namespace lumora
