#include <vector>

#include "platform/TemporaryName.h"
#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32Handles.h"

namespace lumora {
namespace {

using win32::Handle;

// Copies every byte from one handle to the other; 0 or the error.
ErrorCode copyBytes(HANDLE in, HANDLE out) {
    std::vector<char> buffer(size_t{1} << 20);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
            return ::GetLastError();
        }
        if (got == 0) return kErrorSuccess;
        DWORD written = 0;
        while (written < got) {
            DWORD put = 0;
            if (!::WriteFile(out, buffer.data() + written, got - written, &put, nullptr)) {
                return ::GetLastError();
            }
            written += put;
        }
    }
}

// Writes the source's bytes, modification time and read-only attribute into
// a new file beside the target and names it `temporary`. With flush the
// bytes reach the disk and the copy's size is checked against the source's
// before returning.
ErrorCode copyToTemporary(const std::string& source, const std::string& target, bool flush,
                          std::string& temporary) {
    Handle in(::CreateFileW(toWide(source).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!in.valid()) return ::GetLastError();
    BY_HANDLE_FILE_INFORMATION information{};
    if (::GetFileType(in.get()) != FILE_TYPE_DISK || !win32::informationOf(in.get(), information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return kErrorAccessDenied;
    }
    Handle out;
    ErrorCode error = kErrorSuccess;
    for (int attempt = 0; attempt < 100 && !out.valid(); ++attempt) {
        temporary = temporaryNameIn(win32::folderOf(target));
        out.take(::CreateFileW(toWide(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!out.valid()) {
            error = ::GetLastError();
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
    }
    if (!out.valid()) {
        temporary.clear();
        return error;
    }
    error = copyBytes(in.get(), out.get());
    if (!error && !::SetFileTime(out.get(), nullptr, &information.ftLastAccessTime,
                                 &information.ftLastWriteTime)) {
        error = ::GetLastError();
    }
    if (!error && flush && !::FlushFileBuffers(out.get())) error = ::GetLastError();
    if (!error && flush) {
        LARGE_INTEGER written{};
        const uint64_t expected =
            (static_cast<uint64_t>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
        if (!::GetFileSizeEx(out.get(), &written)) {
            error = ::GetLastError();
        } else if (static_cast<uint64_t>(written.QuadPart) != expected) {
            error = kErrorWriteFault;
        }
    }
    if (!out.reset() && !error) error = ::GetLastError();
    // Read-only goes on last: the copy could not be written or timed after.
    if (!error && (information.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0 &&
        !::SetFileAttributesW(toWide(temporary).c_str(), FILE_ATTRIBUTE_READONLY)) {
        error = ::GetLastError();
    }
    if (error) {
        ::DeleteFileW(toWide(temporary).c_str());
        temporary.clear();
    }
    return error;
}

// Gives the finished copy the target's name. Without replace an existing
// target stays and the call fails with `existsError` (a copy and a move
// report it differently, as CopyFile and MoveFile do).
ErrorCode placeTemporary(const std::string& temporary, const std::string& target, bool replace,
                         ErrorCode existsError) {
    const std::wstring wide = toWide(temporary);
    if (::MoveFileExW(wide.c_str(), toWide(target).c_str(),
                      replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
        return kErrorSuccess;
    }
    ErrorCode error = ::GetLastError();
    ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(wide.c_str());
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) error = existsError;
    return error;
}

// The source goes only once a flushed copy of its full size holds the
// target name.
ErrorCode copyThenRemove(const std::string& source, const std::string& target, bool replace) {
    if (!replace && win32::exists(target)) return kErrorAlreadyExists;
    std::string temporary;
    if (ErrorCode error = copyToTemporary(source, target, true, temporary)) return error;
    if (ErrorCode error = placeTemporary(temporary, target, replace, kErrorAlreadyExists)) {
        return error;
    }
    // As MoveFileEx does, a source that cannot be removed stays: the move
    // still succeeded, and nothing is lost.
    ::DeleteFileW(toWide(source).c_str());
    return kErrorSuccess;
}

bool isLink(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

}  // namespace

bool processHasEnded(long processId) {
    Handle process(::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId)));
    // No such process at all: Windows says the number is an invalid parameter.
    if (!process.valid()) return ::GetLastError() == ERROR_INVALID_PARAMETER;
    return ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0;
}

ErrorCode Win32FileSystem::createDirectory(const std::string& path) {
    if (::CreateDirectoryW(toWide(path).c_str(), nullptr)) return kErrorSuccess;
    return ::GetLastError();
}

ErrorCode Win32FileSystem::removeEmptyDirectory(const std::string& path) {
    if (::RemoveDirectoryW(toWide(path).c_str())) return kErrorSuccess;
    return ::GetLastError();
}

ErrorCode Win32FileSystem::copyFile(const std::string& source, const std::string& target,
                                    bool failIfExists) {
    // Saves copying a whole file only to find the name taken; the rename
    // below still refuses to replace a file that appears meanwhile.
    if (failIfExists && win32::exists(target)) {
        if (win32::exists(source)) return kErrorFileExists;
        return ::GetLastError();
    }
    std::string temporary;
    if (ErrorCode error = copyToTemporary(source, target, false, temporary)) return error;
    return placeTemporary(temporary, target, !failIfExists, kErrorFileExists);
}

ErrorCode Win32FileSystem::moveFile(const std::string& source, const std::string& target,
                                    unsigned flags) {
    const bool replace = (flags & kMoveReplaceExisting) != 0;
    // Renaming a link would move the link and leave the picture behind: the
    // picture it reaches arrives as a real file, and only the link goes.
    if (isLink(source)) return copyThenRemove(source, target, replace);
    // MOVEFILE_COPY_ALLOWED is not passed on: its copy would write the
    // target name directly, where a failure could leave part of a file.
    if (::MoveFileExW(toWide(source).c_str(), toWide(target).c_str(),
                      replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
        return kErrorSuccess;
    }
    const ErrorCode error = ::GetLastError();
    if (error != ERROR_NOT_SAME_DEVICE || (flags & kMoveCopyAllowed) == 0) return error;
    return copyThenRemove(source, target, replace);
}

}  // namespace lumora
