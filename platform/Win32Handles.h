#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/FileSystem.h"

// What the Win32 file system's files share: owned handles, the look at what
// a path reaches, and the split of a path into folder and name.
namespace lumora::win32 {

// A handle closed when it goes.
class Handle {
  public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    // Closes the handle held, then holds this one.
    void take(HANDLE handle) {
        reset();
        handle_ = handle;
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    // Closes now; false (with the last error set) when closing failed.
    bool reset() {
        bool closed = true;
        if (valid()) closed = ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// Opens what path reaches (links followed, folders too) only to ask about
// it; every other program may go on reading, writing and deleting it.
HANDLE openForQuery(const std::string& path, DWORD access = FILE_READ_ATTRIBUTES);

// The facts of an open file, or false with the last error set.
bool informationOf(HANDLE handle, BY_HANDLE_FILE_INFORMATION& information);

uint64_t fileTimeValue(const FILETIME& time);

// Whether anything (even a dangling link) has that name.
bool exists(const std::string& path);

// The folder of a path: "." for a bare name, the root for a name in it.
std::string folderOf(const std::string& path);

}  // namespace lumora::win32
