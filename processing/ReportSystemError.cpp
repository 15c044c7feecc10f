#include "processing/ReportSystemError.h"

#include "platform/FileSystem.h"
#include "processing/SystemErrorTable.h"

namespace lumora {
namespace {

std::string pathPart(const std::string& path, PathPart part) {
    const auto slash = lastPathSeparator(path);
    switch (part) {
        case PathPart::None:
            return std::string();
        case PathPart::Name:
            return slash == std::string::npos ? path : path.substr(slash + 1);
        case PathPart::Folder:
            return slash == std::string::npos ? std::string() : path.substr(0, slash);
    }
    return std::string();
}

// The path part goes in as it is: a "%" in a file name is not a format.
std::string fill(const char* pattern, const std::string& value) {
    std::string text = pattern;
    const auto at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

}  // namespace

std::string systemErrorText(ErrorCode error, const std::string& path) {
    const SystemErrorEntry& entry = systemErrorEntry(error);
    if (path.empty() && entry.textWithoutPath != nullptr) return entry.textWithoutPath;
    return fill(entry.textWithPath, pathPart(path, entry.part));
}

Buttons systemErrorButtons(ErrorCode error) {
    return systemErrorEntry(error).buttons;
}

const char* systemErrorCaption(ErrorCode error) {
    return systemErrorEntry(error).caption;
}

bool reportSystemError(ErrorCode error, int& continueFlag, int& answerCode, const std::string& path,
                       Prompter& prompter) {
    const Buttons buttons = systemErrorButtons(error);
    answerCode =
        prompter.ask(systemErrorText(error, path), systemErrorCaption(error), buttons, Icon::None);
    // An answer the box does not offer (a box closed some other way) gives up.
    bool retry = false;
    continueFlag = 0;
    switch (answerCode) {
        case kAnswerRetry:
            continueFlag = 1;
            retry = true;
            break;
        case kAnswerIgnore:
            continueFlag = 1;
            break;
        case kAnswerYes:
            continueFlag = 1;
            retry = true;
            break;
        case kAnswerNo:
            // No to "Overwrite?" skips the file; No to "Directory already exists" gives up.
            continueFlag = buttons == Buttons::YesNoCancel ? 1 : 0;
            break;
        default:
            break;  // Abort, Cancel, OK
    }
    if (!answerBelongsTo(answerCode, buttons)) {
        continueFlag = 0;
        retry = false;
    }
    return retry;
}

}  // namespace lumora
