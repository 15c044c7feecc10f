#include "platform/FileSystem.h"

#include <algorithm>

namespace lumora {
namespace {

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool ntfsLess(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(upperAscii(a[i]));
        const auto cb = static_cast<unsigned char>(upperAscii(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

}  // namespace

void sortDirectoryEntries(std::vector<DirectoryEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        return ntfsLess(a.name, b.name);
    });
}

bool matchesJpgPattern(const std::string& name) {
    if (name.size() < 4) return false;
    const char* tail = name.c_str() + name.size() - 4;
    return tail[0] == '.' && upperAscii(tail[1]) == 'J' && upperAscii(tail[2]) == 'P' &&
           upperAscii(tail[3]) == 'G';
}

std::string joinPath(const std::string& directory, const std::string& name) {
    std::string path;
    path.reserve(directory.size() + 1 + name.size());
    path += directory;
    path += kPathSeparator;
    path += name;
    return path;
}

bool isPathSeparator(char c) {
#ifdef _WIN32
    return c == '\\' || c == '/';
#else
    return c == kPathSeparator;
#endif
}

size_t lastPathSeparator(const std::string& path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (isPathSeparator(path[i - 1])) return i - 1;
    }
    return std::string::npos;
}

bool sameFile(FileSystem& fileSystem, const std::string& a, const std::string& b) {
    FileIdentity first;
    FileIdentity second;
    const bool firstFound = fileSystem.identify(a, first);
    const bool secondFound = fileSystem.identify(b, second);
    if (firstFound && secondFound) return first == second;
    return !firstFound && !secondFound && a == b;
}

bool readFileRange(FileSystem& fileSystem, const std::string& path, uint64_t offset, size_t size,
                   std::vector<uint8_t>& bytes, ErrorCode& error) {
    bytes.clear();
    auto file = fileSystem.openRead(path, error);
    if (!file) return false;
    if (!file->seek(offset)) {
        error = file->error() ? file->error() : kErrorReadFault;
        return false;
    }
    bytes.resize(size);
    const size_t got = file->read(bytes.data(), size);
    if (got != size) {
        error = file->error() ? file->error() : kErrorReadFault;
        bytes.clear();
        return false;
    }
    error = kErrorSuccess;
    return true;
}

}  // namespace lumora
