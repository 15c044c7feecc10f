#include "catalog/DirectoryWalk.h"

#include <cctype>
#include <utility>

#include "catalog/CompanionNames.h"

namespace lumora {
namespace {

struct PendingFolder {
    SourceDirectory directory;
    std::vector<std::string> subfolders;
    size_t next = 0;
};

bool isSearchedSubfolder(const DirectoryEntry& entry) {
    return entry.isDirectory && !entry.isSymbolicLink && entry.name != "." && entry.name != ".." &&
           entry.name != kSkippedFolderName && entry.name != kJournalFolderName;
}

// Lists a folder once, keeping its subfolders to walk and its pictures.
PendingFolder listFolder(FileSystem& fileSystem, std::string path, const std::string& listingPath,
                         bool keepSubfolders) {
    PendingFolder folder;
    folder.directory.path = std::move(path);
    std::vector<DirectoryEntry> entries;
    if (fileSystem.listDirectory(listingPath, entries) != kErrorSuccess) return folder;
    for (DirectoryEntry& entry : entries) {
        if (entry.isDirectory) {
            if (keepSubfolders && isSearchedSubfolder(entry)) {
                folder.subfolders.push_back(std::move(entry.name));
            }
        } else if (matchesJpgPattern(entry.name)) {
            folder.directory.pictureFiles.push_back(std::move(entry));
        } else if (!entry.isSpecialFile) {
            SourceDirectory& directory = folder.directory;
            const std::optional<LeftOutReason> reason = reasonForUnopenedName(entry.name);
            if (hasCompanionExtension(entry.name)) {
                directory.companionFiles.push_back(entry.name);
                directory.companionUnopened.push_back(reason ? directory.unopenedFiles.size()
                                                             : SourceDirectory::kNotUnopened);
            }
            if (reason) directory.unopenedFiles.push_back({std::move(entry.name), *reason});
        }
    }
    return folder;
}

}  // namespace

std::string normaliseSourceRoot(const std::string& root) {
    std::string text = root;
    for (;;) {
        size_t end = text.size();
        while (end > 0 && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
        if (end == 0 || !isPathSeparator(text[end - 1])) return text;
        text.resize(end - 1);
    }
}

std::vector<SourceDirectory> walkSourceTree(FileSystem& fileSystem, const std::string& root,
                                            bool recursive) {
    const std::string path = normaliseSourceRoot(root);
    // An empty text that came from the file-system root still lists that
    // root; a text that was empty from the start lists nothing.
    const bool wasRoot = path.empty() && lastPathSeparator(root) != std::string::npos;
    if (path.empty() && !wasRoot) return {SourceDirectory{}};
    const std::string rootListing = wasRoot ? std::string(1, kPathSeparator) : path;

    std::vector<SourceDirectory> order;
    // An explicit stack rather than recursion, so a deep tree cannot exhaust
    // the call stack.
    std::vector<PendingFolder> stack;
    stack.push_back(listFolder(fileSystem, path, rootListing, recursive));
    while (!stack.empty()) {
        PendingFolder& top = stack.back();
        if (top.next < top.subfolders.size()) {
            std::string child = joinPath(top.directory.path, top.subfolders[top.next++]);
            const std::string listing = child;
            stack.push_back(listFolder(fileSystem, std::move(child), listing, true));
            continue;
        }
        order.push_back(std::move(top.directory));
        stack.pop_back();
    }
    return order;
}

}  // namespace lumora
