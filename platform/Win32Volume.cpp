#include "platform/WideText.h"
#include "platform/Win32FileSystem.h"
#include "platform/Win32Handles.h"

namespace lumora {

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
    const std::wstring wide = toWide(path);
    DWORD length = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return kNoDrive;
    std::wstring full(length, L'\0');
    length = ::GetFullPathNameW(wide.c_str(), length, full.data(), nullptr);
    if (length == 0 || length >= full.size()) return kNoDrive;
    full.resize(length);
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
