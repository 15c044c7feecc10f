#pragma once

#include <cstdio>
#include <string>

#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"

namespace lumora::cli {

// Scans source, analyses and compares its pictures, and writes the group
// lines and the final status text to out, or with json one group per line.
// Returns the exit code; errors go to err in one line.
int printDuplicates(const std::string& source, bool json, FileSystem& fileSystem,
                    Prompter& prompter, ProgressSink& progress, std::FILE* out, std::FILE* err);

}  // namespace lumora::cli
