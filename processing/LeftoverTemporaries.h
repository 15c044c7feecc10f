#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace lumora {

// Removes from a folder the unfinished copies that an interrupted run left
// there (a run that was killed cannot clean up after itself). Files of other
// programs, and those of a run still going, stay.
void removeLeftoverTemporaries(FileSystem& fileSystem, const std::string& folder);

}  // namespace lumora
