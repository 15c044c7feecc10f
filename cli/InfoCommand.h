#pragma once

#include <cstdio>
#include <string>

#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora::cli {

// Prints the Picture Info lines of one JPEG file, in the default date and
// time formats, one line each. Failures go to err in one line; the result is
// an exit code.
int printPictureInfo(const std::string& path, FileSystem& fileSystem, std::FILE* out,
                     std::FILE* err);

}  // namespace lumora::cli
