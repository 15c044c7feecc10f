#pragma once

#include "platform/Prompter.h"
#include "platform/WindowsError.h"

namespace lumora {

// Messages about a call that failed carry this caption; the routine
// questions about a file or folder that exists already carry the program's
// name.
inline constexpr const char* kSystemErrorCaption = "System Error";
inline constexpr const char* kApplicationTitle = "Lumora";

// Which part of the failed call's path a message shows.
enum class PathPart { None, Name, Folder };

// One row of the error message table: the text when the call named a path,
// the text when it did not, and the buttons the message offers.
struct SystemErrorEntry {
    ErrorCode code = 0;
    const char* textWithPath = nullptr;  // a "%s" stands for the path part
    const char* textWithoutPath = nullptr;
    PathPart part = PathPart::None;
    Buttons buttons = Buttons::AbortRetryIgnore;
    const char* caption = kSystemErrorCaption;
};

// The row for a code; codes the table does not know get its "Unknown error." row.
const SystemErrorEntry& systemErrorEntry(ErrorCode code);

// Every row of the table that names a code, in table order.
const SystemErrorEntry* systemErrorRows(int& count);

}  // namespace lumora
