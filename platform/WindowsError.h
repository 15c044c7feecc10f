#pragma once

#include <cstdint>

namespace lumora {

// File-system failures carry Windows error codes, because the error messages
// and the answers they offer are chosen by these numbers.
using ErrorCode = uint32_t;

inline constexpr ErrorCode kErrorSuccess = 0;
inline constexpr ErrorCode kErrorFileNotFound = 2;
inline constexpr ErrorCode kErrorPathNotFound = 3;
inline constexpr ErrorCode kErrorAccessDenied = 5;
inline constexpr ErrorCode kErrorNotEnoughMemory = 8;
inline constexpr ErrorCode kErrorNotSameDevice = 17;
inline constexpr ErrorCode kErrorWriteProtect = 19;
inline constexpr ErrorCode kErrorWriteFault = 29;
inline constexpr ErrorCode kErrorReadFault = 30;
inline constexpr ErrorCode kErrorSharingViolation = 32;
inline constexpr ErrorCode kErrorHandleDiskFull = 39;
inline constexpr ErrorCode kErrorFileExists = 80;
inline constexpr ErrorCode kErrorAlreadyExists = 183;
inline constexpr ErrorCode kErrorFilenameExcedRange = 206;
inline constexpr ErrorCode kErrorDirectory = 267;

// Codes with this bit set are ours (Windows keeps bit 29 for applications):
// an errno value without a Windows counterpart, kept for diagnosis. No
// message table knows them, so they read as an unknown error.
inline constexpr ErrorCode kErrorUnmappedErrnoBit = 0x20000000u;

// What the failed call was doing: the same errno maps to different codes
// depending on it (EIO while writing or reading, EEXIST for a file or for a
// folder or plain move).
enum class FileOperation { Read, Write, CreateFile, CreateDirectory, Move, Other };

// parentMissing: for ENOENT, whether the folder that should hold the path is
// missing too (then the path, not the file, was not found).
ErrorCode errorFromErrno(int errnoValue, FileOperation operation, bool parentMissing = false);

}  // namespace lumora
