#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "catalog/LeftOutFile.h"
#include "platform/FileSystem.h"

namespace lumora {

// A folder to scan, with the "*.jpg" files of its one listing (folders with
// such names left out), in listing order. The walk keeps them so that the
// file scan needs no second listing of the folder.
struct SourceDirectory {
    std::string path;
    std::vector<DirectoryEntry> pictureFiles;
    // The other names of the same listing that look like pictures or videos
    // (never opened), so that the scan can tell what it left out without a
    // look of its own.
    std::vector<LeftOutFile> unopenedFiles;  // file names, not yet paths
    // The names of the same listing with a companion extension, to be
    // paired with the folder's pictures once they are known.
    std::vector<std::string> companionFiles;
    // For each of companionFiles, the index of the same name in
    // unopenedFiles, or kNotUnopened: a companion is not left out.
    std::vector<size_t> companionUnopened;
    static constexpr size_t kNotUnopened = static_cast<size_t>(-1);
};

// A folder that is never searched, nor anything below it. Only this exact
// letter case is skipped.
inline constexpr const char* kSkippedFolderName = "Temporary Internet Files";
// The folder where processing runs keep their journals and the files their
// replaces set aside: never searched either, wherever it is met (a target
// may lie inside a source).
inline constexpr const char* kJournalFolderName = ".lumora";

// The root without trailing separators: while the text, ignoring trailing
// white space, ends with a separator, it becomes what precedes that
// separator. The file-system root becomes the empty text, so that its
// entries are addressed as separator + name.
std::string normaliseSourceRoot(const std::string& root);

// The folders of a tree in depth-first post-order (a folder's subfolders,
// each with its own subfolders first, in listing order, then the folder),
// the root last. Without recursive only the root. Symbolic links to folders
// are not followed; a folder that cannot be listed contributes no
// subfolders and no files. The file-system root is listed under the empty
// path; a root text that is empty from the start gives that one empty folder,
// unlisted.
std::vector<SourceDirectory> walkSourceTree(FileSystem& fileSystem, const std::string& root,
                                            bool recursive);

}  // namespace lumora
