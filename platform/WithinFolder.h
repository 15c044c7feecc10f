#pragma once

#include <string>

#include "platform/FileSystem.h"

namespace lumora {

// Whether the folder at path is the folder `folder` or lies anywhere below
// it, with links and ".." followed as the system follows them. A path that
// does not exist yet is judged by the nearest existing folder it would be
// made in. False when `folder` does not exist or path is empty.
bool isWithinFolder(FileSystem& fileSystem, const std::string& path, const std::string& folder);

}  // namespace lumora
