#pragma once

#include <string>

#include "platform/Prompter.h"
#include "platform/WindowsError.h"
#include "processing/SystemErrorTable.h"

namespace lumora {

// The message for a failed call about path (which may be empty).
std::string systemErrorText(ErrorCode error, const std::string& path);
Buttons systemErrorButtons(ErrorCode error);
// "System Error" for a failure, the program's name for a question about a
// file or folder that exists already.
const char* systemErrorCaption(ErrorCode error);

// Shows the message for a call that just failed with error and decides what
// the caller does next: the answer goes to answerCode, continueFlag becomes 1
// (go on) or 0 (give up), and the result is true when the caller should try
// the call once more (Retry, or Yes to a question about an existing file or
// folder).
bool reportSystemError(ErrorCode error, int& continueFlag, int& answerCode, const std::string& path,
                       Prompter& prompter);

}  // namespace lumora
