#include "platform/WindowsError.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace lumora {
namespace {

TEST(ErrorFromErrno, mapsEachErrnoToItsWindowsCode) {
    struct Case {
        int errnoValue;
        FileOperation operation;
        bool parentMissing;
        ErrorCode expected;
    } cases[] = {
        {0, FileOperation::Read, false, kErrorSuccess},
        {ENOENT, FileOperation::Read, false, kErrorFileNotFound},
        {ENOENT, FileOperation::Read, true, kErrorPathNotFound},
        {ENOENT, FileOperation::CreateFile, true, kErrorPathNotFound},
        {EACCES, FileOperation::Read, false, kErrorAccessDenied},
        {EPERM, FileOperation::Move, false, kErrorAccessDenied},
        {ENOMEM, FileOperation::Other, false, kErrorNotEnoughMemory},
        {EROFS, FileOperation::Write, false, kErrorWriteProtect},
        {EIO, FileOperation::Write, false, kErrorWriteFault},
        {EIO, FileOperation::Read, false, kErrorReadFault},
        {EIO, FileOperation::CreateFile, false, kErrorWriteFault},
        {EBUSY, FileOperation::Write, false, kErrorSharingViolation},
        {ETXTBSY, FileOperation::Write, false, kErrorSharingViolation},
        {ENOSPC, FileOperation::Write, false, kErrorHandleDiskFull},
#ifdef EDQUOT
        {EDQUOT, FileOperation::Write, false, kErrorHandleDiskFull},
#endif
        {EEXIST, FileOperation::CreateFile, false, kErrorFileExists},
        {EEXIST, FileOperation::CreateDirectory, false, kErrorAlreadyExists},
        {EEXIST, FileOperation::Move, false, kErrorAlreadyExists},
        {ENAMETOOLONG, FileOperation::Read, false, kErrorFilenameExcedRange},
        {ENOTDIR, FileOperation::Other, false, kErrorDirectory},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(errorFromErrno(c.errnoValue, c.operation, c.parentMissing), c.expected)
            << "errno " << c.errnoValue << " operation " << static_cast<int>(c.operation);
    }
}

TEST(ErrorFromErrno, keepsUnmappedErrnoValuesApartFromWindowsCodes) {
    const ErrorCode code = errorFromErrno(ELOOP, FileOperation::Read);
    EXPECT_EQ(code, kErrorUnmappedErrnoBit | static_cast<ErrorCode>(ELOOP));
    EXPECT_NE(code & kErrorUnmappedErrnoBit, 0u);
    EXPECT_NE(errorFromErrno(EXDEV, FileOperation::Move),
              errorFromErrno(ELOOP, FileOperation::Move));
}

}  // namespace
}  // namespace lumora
