#pragma once

#include <cstdio>

#include "cli/Commands.h"
#include "platform/FileSystem.h"

namespace lumora::cli {

// `exif --json PATH...` over any file system and streams. A named file is
// read whatever its name; a named folder is searched recursively for names
// ending in ".jpg" or ".jpeg" (any letter case): in each folder its files
// first, in listing order, then its sub-folders, in listing order. Links to
// folders are not followed.
int runExifCommand(const Arguments& args, FileSystem& fileSystem, std::FILE* out, std::FILE* err);

}  // namespace lumora::cli
