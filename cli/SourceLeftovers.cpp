#include "cli/SourceLeftovers.h"

#include <vector>

#include "catalog/DirectoryWalk.h"

namespace lumora::cli {

SourceLeftovers countSourceLeftovers(FileSystem& fileSystem, const std::string& source,
                                     const std::string& target, const std::set<std::string>& listed,
                                     const std::set<std::string>& moving,
                                     const std::set<std::string>& unreadable) {
    SourceLeftovers leftovers;
    struct Pending {
        std::string path;
        bool skipped;
    };
    // The scan names its pictures from the root without trailing separators.
    const std::string root = normaliseSourceRoot(source);
    std::vector<Pending> stack{{root.empty() ? std::string(1, kPathSeparator) : root, false}};
    while (!stack.empty()) {
        const Pending folder = stack.back();
        stack.pop_back();
        std::vector<DirectoryEntry> entries;
        if (fileSystem.listDirectory(folder.path, entries) != kErrorSuccess) {
            leftovers.unreadableFolders.push_back(folder.path);
            continue;
        }
        const std::string prefix = folder.path == std::string(1, kPathSeparator) ? "" : folder.path;
        for (const DirectoryEntry& entry : entries) {
            const std::string path = prefix + kPathSeparator + entry.name;
            if (entry.isDirectory) {
                if (entry.isSymbolicLink || sameFile(fileSystem, path, target)) continue;
                stack.push_back({path, folder.skipped || entry.name == kSkippedFolderName});
            } else if (folder.skipped) {
                ++leftovers.skippedFolder;
            } else if (!matchesJpgPattern(entry.name)) {
                // A companion file that a previewed move takes along is gone too.
                if (moving.count(path) == 0) ++leftovers.notJpg;
            } else if (listed.count(path) != 0) {
                if (moving.count(path) == 0) ++leftovers.notMoved;
            } else if (unreadable.count(path) != 0) {
                ++leftovers.unreadable;
            } else {
                ++leftovers.noExifDate;
            }
        }
    }
    return leftovers;
}

std::string leftoversLine(const SourceLeftovers& leftovers, const std::string& source,
                          bool preview) {
    const int total = leftovers.total();
    const char* verb = preview ? "would be left" : "were left";
    const std::vector<std::string>& folders = leftovers.unreadableFolders;
    std::string foldersPart;
    if (!folders.empty()) {
        foldersPart = "those of " + std::to_string(folders.size()) +
                      (folders.size() == 1 ? " folder" : " folders") + " that could not be read (";
        for (size_t i = 0; i < folders.size(); ++i) foldersPart += (i ? ", " : "") + folders[i];
        foldersPart += ")";
    }
    if (total == 0 && !folders.empty()) {
        return std::string("Files ") + verb + " in " + source + ": " + foldersPart;
    }
    if (total == 0)
        return std::string("No file ") + (preview ? "would be" : "was") + " left in " + source +
               ".";
    std::string line = std::to_string(total) + (total == 1 ? " file " : " files ") +
                       (total == 1 ? (preview ? "would be left" : "was left") : verb) + " in " +
                       source + ":";
    bool first = true;
    const auto part = [&](int count, const char* why) {
        if (count == 0) return;
        line += (first ? " " : ", ") + std::to_string(count) + " " + why;
        first = false;
    };
    part(leftovers.noExifDate, "without an EXIF date");
    part(leftovers.notJpg, "not named .jpg");
    part(leftovers.skippedFolder, "in a folder named 'Temporary Internet Files'");
    part(leftovers.unreadable, "that could not be read");
    part(leftovers.notMoved, "pictures not moved");
    if (!foldersPart.empty()) line += ", and " + foldersPart;
    return line;
}

}  // namespace lumora::cli
