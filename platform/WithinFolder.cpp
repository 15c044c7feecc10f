#include "platform/WithinFolder.h"

namespace lumora {

bool isWithinFolder(FileSystem& fileSystem, const std::string& path, const std::string& folder) {
    FileIdentity wanted;
    if (path.empty() || !fileSystem.identify(folder, wanted)) return false;
    // The nearest existing folder on the way up the text.
    std::string existing = path;
    FileIdentity identity;
    while (!fileSystem.identify(existing, identity)) {
        const size_t separator = lastPathSeparator(existing);
        if (separator == std::string::npos) {
            if (existing == ".") return false;
            existing = ".";
        } else {
            existing.resize(separator == 0 ? 1 : separator);
        }
    }
    // Its real parents, as ".." reaches them (through links too), up to the
    // file-system root, which is its own parent. The text grows with every
    // step, so a tree too deep for one path ends the walk as well.
    for (;;) {
        if (identity == wanted) return true;
        existing += kPathSeparator;
        existing += "..";
        FileIdentity parent;
        if (!fileSystem.identify(existing, parent) || parent == identity) return false;
        identity = parent;
    }
}

}  // namespace lumora
