#include "platform/PosixFileSystem.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lumora {
namespace {

// Mount points in /proc/self/mountinfo write space, tab, newline and
// backslash as three octal digits after a backslash.
std::string unescapeMountPath(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size()) {
            const std::string digits = text.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::strtol(digits.c_str(), nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

bool isWithin(const std::string& path, const std::string& mountPoint) {
    if (mountPoint == "/") return !path.empty() && path[0] == '/';
    return path.compare(0, mountPoint.size(), mountPoint) == 0 &&
           (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

// The nearest existing folder or file at or above path, made absolute and
// free of links; empty when not even the root can be resolved.
std::string nearestExisting(const std::string& path) {
    std::string current = path;
    if (current.empty()) return std::string();
    if (current[0] != '/') {
        char cwd[PATH_MAX];
        if (::getcwd(cwd, sizeof cwd) == nullptr) return std::string();
        current = std::string(cwd) + "/" + current;
    }
    for (;;) {
        char resolved[PATH_MAX];
        if (::realpath(current.c_str(), resolved) != nullptr) return resolved;
        const auto slash = current.find_last_of('/');
        if (slash == std::string::npos) return std::string();
        if (slash == 0) {
            if (current == "/") return std::string();
            current = "/";
        } else {
            current.erase(slash);
        }
    }
}

std::string mountPointFromTable(const std::string& resolved) {
    std::ifstream table("/proc/self/mountinfo");
    if (!table) return std::string();
    std::string best;
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
        mountPoint = unescapeMountPath(mountPoint);
        if (isWithin(resolved, mountPoint) && mountPoint.size() > best.size()) best = mountPoint;
    }
    return best;
}

// Without the mount table: the highest folder above the path that is still
// on the same device.
std::string mountPointByDevice(const std::string& resolved) {
    struct stat st {};
    if (::stat(resolved.c_str(), &st) != 0) return std::string();
    std::string current = resolved;
    while (current != "/") {
        const auto slash = current.find_last_of('/');
        const std::string parent = slash == 0 ? "/" : current.substr(0, slash);
        struct stat up {};
        if (::stat(parent.c_str(), &up) != 0 || up.st_dev != st.st_dev) break;
        current = parent;
    }
    return current;
}

}  // namespace

std::string fullPath(const std::string& path) {
    if (!path.empty() && path[0] == kPathSeparator) return path;
    char folder[PATH_MAX];
    if (::getcwd(folder, sizeof folder) == nullptr) return path;
    return joinPath(folder, path);
}

ErrorCode PosixFileSystem::freeSpace(const std::string& path, uint64_t& freeBytes) {
    freeBytes = 0;
    struct statvfs info {};
    if (::statvfs(path.c_str(), &info) != 0) {
        // A volume query names a folder: a missing one is a path not found.
        const int saved = errno;
        return errorFromErrno(saved, FileOperation::Other, saved == ENOENT);
    }
    freeBytes = static_cast<uint64_t>(info.f_bavail) * static_cast<uint64_t>(info.f_frsize);
    return kErrorSuccess;
}

std::string PosixFileSystem::driveOf(const std::string& path) {
    const std::string resolved = nearestExisting(path);
    if (resolved.empty()) return kNoDrive;
    std::string mountPoint = mountPointFromTable(resolved);
    if (mountPoint.empty()) mountPoint = mountPointByDevice(resolved);
    return mountPoint.empty() ? std::string(kNoDrive) : mountPoint;
}

}  // namespace lumora
