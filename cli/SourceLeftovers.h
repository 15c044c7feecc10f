#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora::cli {

// The files a move leaves in the source, by why they stayed.
struct SourceLeftovers {
    int noExifDate = 0;     // .jpg files the scan read and found no EXIF date in
    int notJpg = 0;         // files not named .jpg, which the scan does not look at
    int skippedFolder = 0;  // files below a folder the scan never searches
    int unreadable = 0;     // .jpg files the scan could not read
    int notMoved = 0;       // pictures of the list that were not moved
    // Folders that could not be listed: what they hold stayed, uncounted.
    std::vector<std::string> unreadableFolders;

    int total() const { return noExifDate + notJpg + skippedFolder + unreadable + notMoved; }
};

// Walks the source (links to folders not followed, the target left out when
// it lies inside) and sorts every file found. listed: the paths of the
// pictures the scan listed; those in moving are taken as gone (a preview of
// a move), the other listed ones count as not moved. unreadable: the files
// the scan could not read.
SourceLeftovers countSourceLeftovers(FileSystem& fileSystem, const std::string& source,
                                     const std::string& target, const std::set<std::string>& listed,
                                     const std::set<std::string>& moving,
                                     const std::set<std::string>& unreadable);

// "3 files were left in SRC: 2 without an EXIF date, 1 not named .jpg", or,
// for a preview, "would be left"; the folders that could not be read are
// named at the end.
std::string leftoversLine(const SourceLeftovers& leftovers, const std::string& source,
                          bool preview);

}  // namespace lumora::cli
