#pragma once

#include <string>
#include <unordered_set>

namespace lumora {

// The target paths given out during one run. Two pictures of a run never
// share a target: a path given out before gets " (2)", " (3)", ... before its
// ".jpg". Paths are compared without regard to ASCII letter case, since a
// target on a FAT card or on Windows treats "IMG.jpg" and "img.jpg" as one
// file, and the names a run gives must not depend on where it writes.
class RunTargets {
  public:
    // The path for a picture whose name (".jpg" included) puts it at
    // folder/fileName, distinct from every path given out before.
    std::string claim(const std::string& folder, const std::string& fileName);

    // Marks a path as given out: a file found standing for a picture
    // already, which no later picture of the run may take.
    void reserve(const std::string& path) { take(path); }

  private:
    bool take(const std::string& path);

    std::unordered_set<std::string> given_;  // upper-cased
};

}  // namespace lumora
