#pragma once

#include <string>

#include "platform/WindowsError.h"

namespace lumora::cli {

// A file-system failure in the words a terminal shows ("no such file or
// folder", "read-only file system"), never as a bare number.
std::string describeError(ErrorCode error);

}  // namespace lumora::cli
