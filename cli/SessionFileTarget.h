#pragma once

#include <string>

#include "catalog/PictureEntry.h"
#include "cli/ProcessRun.h"

namespace lumora::cli {

// Whether `organize --save-session FILE` may write FILE. A missing file may
// be made. An existing one (reached through its links) is replaced only when
// it reads as a session file, is none of the pictures, and the question
// "FILE already exists! Overwrite?" is answered Yes (--yes; --no, the
// default, refuses; --abort stops). Otherwise one error line says why, and
// the file stays as it is.
bool sessionFileMayBeWritten(const std::string& file, const PictureList& pictures,
                             ProcessEnvironment& env);

}  // namespace lumora::cli
