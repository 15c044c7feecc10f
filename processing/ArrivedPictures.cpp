#include "processing/ArrivedPictures.h"

#include <algorithm>
#include <memory>

namespace lumora {
namespace {

constexpr size_t kCompareChunk = 64 * 1024;

// Reads up to size bytes, as many as the file still has.
size_t readFull(InputFile& file, uint8_t* buffer, size_t size) {
    size_t got = 0;
    while (got < size) {
        const size_t part = file.read(buffer + got, size - got);
        if (part == 0) break;
        got += part;
    }
    return got;
}

}  // namespace

bool sameBytes(FileSystem& fileSystem, const std::string& a, const std::string& b) {
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> first = fileSystem.openRead(a, error);
    if (!first) return false;
    std::unique_ptr<InputFile> second = fileSystem.openRead(b, error);
    if (!second) return false;
    std::vector<uint8_t> left(kCompareChunk), right(kCompareChunk);
    for (;;) {
        const size_t gotLeft = readFull(*first, left.data(), left.size());
        const size_t gotRight = readFull(*second, right.data(), right.size());
        if (first->error() != kErrorSuccess || second->error() != kErrorSuccess) return false;
        if (gotLeft != gotRight) return false;
        if (std::equal(left.begin(), left.begin() + static_cast<std::ptrdiff_t>(gotLeft),
                       right.begin()) == false) {
            return false;
        }
        if (gotLeft < left.size()) return true;
    }
}

ArrivedPictures::BySize& ArrivedPictures::filesOf(const std::string& folder) {
    auto found = folders_.find(folder);
    if (found != folders_.end()) return found->second;
    BySize& files = folders_[folder];
    std::vector<DirectoryEntry> entries;
    FileIdentity folderIdentity;
    if (!fileSystem_.identify(folder, folderIdentity)) return files;  // not made yet
    if (fileSystem_.listDirectory(folder, entries) != kErrorSuccess) return files;
    for (const DirectoryEntry& entry : entries) {
        if (entry.isDirectory || entry.isSpecialFile || isLeftoverTemporaryName(entry.name)) {
            continue;
        }
        const std::string path = joinPath(folder, entry.name);
        FileIdentity identity;
        if (!fileSystem_.identify(path, identity) || guard_.isListedOrPlaced(identity)) continue;
        // The listing tells no sizes; the file itself does.
        ErrorCode error = kErrorSuccess;
        const std::unique_ptr<InputFile> file = fileSystem_.openListedFile(path, entry, error);
        if (!file) continue;
        files.emplace(file->facts().size, Candidate{path});
    }
    return files;
}

std::string ArrivedPictures::claim(const std::string& folder, const std::string& source,
                                   uint64_t size) {
    BySize& files = filesOf(folder);
    const auto [begin, end] = files.equal_range(size);
    for (auto it = begin; it != end; ++it) {
        Candidate& candidate = it->second;
        if (candidate.taken || !sameBytes(fileSystem_, source, candidate.path)) continue;
        candidate.taken = true;
        return candidate.path;
    }
    return std::string();
}

}  // namespace lumora
