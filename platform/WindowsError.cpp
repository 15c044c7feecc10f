#include "platform/WindowsError.h"

#include <cerrno>

namespace lumora {

ErrorCode errorFromErrno(int errnoValue, FileOperation operation, bool parentMissing) {
    switch (errnoValue) {
        case 0:
            return kErrorSuccess;
        case ENOENT:
            return parentMissing ? kErrorPathNotFound : kErrorFileNotFound;
        case EACCES:
        case EPERM:
            return kErrorAccessDenied;
        case ENOMEM:
            return kErrorNotEnoughMemory;
        case EROFS:
            return kErrorWriteProtect;
        case EIO:
            return operation == FileOperation::Read ? kErrorReadFault : kErrorWriteFault;
        case EBUSY:
        case ETXTBSY:
            return kErrorSharingViolation;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return kErrorHandleDiskFull;
        case EEXIST:
            return operation == FileOperation::CreateDirectory || operation == FileOperation::Move
                       ? kErrorAlreadyExists
                       : kErrorFileExists;
        case ENAMETOOLONG:
            return kErrorFilenameExcedRange;
        case ENOTDIR:
            return kErrorDirectory;
        default:
            return kErrorUnmappedErrnoBit | static_cast<ErrorCode>(errnoValue);
    }
}

}  // namespace lumora
