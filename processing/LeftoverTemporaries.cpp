#include "processing/LeftoverTemporaries.h"

#include <vector>

namespace lumora {

void removeLeftoverTemporaries(FileSystem& fileSystem, const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    if (fileSystem.listDirectory(folder, entries) != kErrorSuccess) return;
    for (const DirectoryEntry& entry : entries) {
        if (!entry.isDirectory && isLeftoverTemporaryName(entry.name)) {
            fileSystem.removeFile(joinPath(folder, entry.name));
        }
    }
}

}  // namespace lumora
