#include "platform/FileSystem.h"

#include <algorithm>
#include <cstdint>
#include <utility>

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

// The first eight bytes of a name, letters upper-cased, as one number in
// which the first byte weighs most, padded with zero bytes (no name holds
// one): two names whose keys differ are ordered as their keys are.
uint64_t sortKey(const std::string& name) {
    uint64_t key = 0;
    const size_t n = std::min<size_t>(name.size(), 8);
    for (size_t i = 0; i < 8; ++i) {
        key <<= 8;
        if (i < n) key |= static_cast<unsigned char>(upperAscii(name[i]));
    }
    return key;
}

}  // namespace

void sortDirectoryEntries(std::vector<DirectoryEntry>& entries) {
    // The names' keys are worked out once, and only the positions are
    // sorted: most comparisons end at the keys, and each entry moves once.
    struct Position {
        uint64_t key;
        size_t index;
    };
    std::vector<Position> order;
    order.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) order.push_back({sortKey(entries[i].name), i});
    std::sort(order.begin(), order.end(), [&entries](const Position& a, const Position& b) {
        if (a.key != b.key) return a.key < b.key;
        return ntfsLess(entries[a.index].name, entries[b.index].name);
    });
    // The entries put in their places in the vector they are in, cycle by
    // cycle: a second vector of them would double the memory of a large
    // folder's listing, which the allocator hands back and takes again at
    // every listing.
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start].index == start) continue;
        DirectoryEntry held = std::move(entries[start]);
        size_t at = start;
        for (;;) {
            const size_t from = order[at].index;
            order[at].index = at;  // placed
            if (from == start) {
                entries[at] = std::move(held);
                break;
            }
            entries[at] = std::move(entries[from]);
            at = from;
        }
    }
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

std::string parentFolderOf(const std::string& path) {
    const size_t slash = lastPathSeparator(path);
    if (slash == std::string::npos) return ".";
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
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
