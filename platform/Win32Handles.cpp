#include "platform/Win32Handles.h"

#include "platform/WideText.h"

namespace lumora::win32 {

HANDLE openForQuery(const std::string& path, DWORD access) {
    // FILE_FLAG_BACKUP_SEMANTICS lets a folder open as well as a file.
    return ::CreateFileW(toWide(path).c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool informationOf(HANDLE handle, BY_HANDLE_FILE_INFORMATION& information) {
    return ::GetFileInformationByHandle(handle, &information) != 0;
}

uint64_t fileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool exists(const std::string& path) {
    return ::GetFileAttributesW(toWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string folderOf(const std::string& path) {
    const auto slash = lastPathSeparator(path);
    if (slash == std::string::npos) {
        // "C:name" lies in the current folder of drive C.
        return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : std::string(".");
    }
    if (slash == 0) return path.substr(0, 1);
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);
    return path.substr(0, slash);
}

}  // namespace lumora::win32
