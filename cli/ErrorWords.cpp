#include "cli/ErrorWords.h"

#include <cctype>
#include <cstring>

namespace lumora::cli {

std::string describeError(ErrorCode error) {
    switch (error) {
        case kErrorSuccess:
            return "no error";
        case kErrorFileNotFound:
            return "no such file or folder";
        case kErrorPathNotFound:
            return "a folder on the path does not exist";
        case kErrorAccessDenied:
            return "permission denied";
        case kErrorNotEnoughMemory:
            return "not enough memory";
        case kErrorNotSameDevice:
            return "it lies on another disk";
        case kErrorWriteProtect:
            return "read-only file system";
        case kErrorWriteFault:
            return "the disk could not be written";
        case kErrorReadFault:
            return "the disk could not be read";
        case kErrorSharingViolation:
            return "in use by another program";
        case kErrorHandleDiskFull:
            return "the disk is full";
        case kErrorFileExists:
        case kErrorAlreadyExists:
            return "a file or folder of that name is already there";
        case kErrorFilenameExcedRange:
            return "the name is too long";
        case kErrorDirectory:
            return "a part of the path is a file, not a folder";
        default:
            break;
    }
    if ((error & kErrorUnmappedErrnoBit) != 0) {
        // The system's own words for the errno the code keeps.
        std::string text = std::strerror(static_cast<int>(error & ~kErrorUnmappedErrnoBit));
        if (!text.empty())
            text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
        return text;
    }
    return "an error the system did not name";
}

}  // namespace lumora::cli
