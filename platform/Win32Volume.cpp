#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32Handles.h"

namespace lumora {
namespace {

// What GetFullPathNameW makes of a path; empty when it cannot.
std::wstring fullWidePath(const std::wstring& wide) {
    DWORD length = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return std::wstring();
    std::wstring full(length, L'\0');
    length = ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    if (length == 0 || length >= full.size()) return std::wstring();
    full.resize(length);
    return full;
}

}  // namespace

std::string fullPath(const std::string& path) {
    if (path.empty()) return path;
    const std::wstring full = fullWidePath(toWide(path));
    return full.empty() ? path : fromWide(full);
}

ErrorCode Win32FileSystem::freeSpace(const std::string& path, uint64_t& freeBytes) {
    freeBytes = 0;
    ULARGE_INTEGER available{};
    if (!::GetDiskFreeSpaceExW(toWide(path).c_str(), &available, nullptr, nullptr)) {
        return ::GetLastError();
    }
    freeBytes = available.QuadPart;
    return kErrorSuccess;
}

std::string Win32FileSystem::driveOf(const std::string& path) {
    if (path.empty()) return kNoDrive;
    // The nearest existing folder or file at or above the full path.
    const std::wstring full = fullWidePath(toWide(path));
    if (full.empty()) return kNoDrive;
    std::string existing = fromWide(full);
    while (!win32::exists(existing)) {
        const std::string parent = win32::folderOf(existing);
        if (parent == existing || parent == ".") return kNoDrive;
        existing = parent;
    }
    // Its volume: the drive's root ("C:\") or the folder a volume is
    // mounted on.
    std::wstring volume(existing.size() + MAX_PATH, L'\0');
    if (!::GetVolumePathNameW(toWide(existing).c_str(), volume.data(),
                              static_cast<DWORD>(volume.size()))) {
        return kNoDrive;
    }
    volume.resize(wcslen(volume.c_str()));
    return fromWide(volume);
}

}  // namespace lumora
