#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "processing/ReplaceGuard.h"

namespace lumora {

// Finds the pictures that already stand whole in their album's folder: an
// earlier run placed them and was stopped before it removed the source, or
// before it marked the album processed. A file counts when it holds exactly
// the picture's bytes, whatever its name (the numbers in the names shift
// when a rerun finds fewer pictures), was there before this run, and is none
// of the listed pictures. Each such file stands for one picture only, so two
// pictures with equal bytes still need two files.
class ArrivedPictures {
  public:
    ArrivedPictures(FileSystem& fileSystem, ReplaceGuard& guard)
        : fileSystem_(fileSystem), guard_(guard) {}

    // The file in folder that holds the bytes of source (size bytes long),
    // now taken by it; empty when there is none.
    std::string claim(const std::string& folder, const std::string& source, uint64_t size);

  private:
    struct Candidate {
        std::string path;
        bool taken = false;
    };
    using BySize = std::multimap<uint64_t, Candidate>;
    BySize& filesOf(const std::string& folder);

    FileSystem& fileSystem_;
    ReplaceGuard& guard_;
    std::map<std::string, BySize> folders_;  // listed at their first use
};

// Whether two files hold the same bytes; false when either cannot be read.
bool sameBytes(FileSystem& fileSystem, const std::string& a, const std::string& b);

}  // namespace lumora
