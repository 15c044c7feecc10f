#pragma once

#include <optional>
#include <string>
#include <unordered_set>

#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"

namespace lumora {

struct FileIdentityHash {
    size_t operator()(const FileIdentity& id) const noexcept {
        return std::hash<uint64_t>()(id.inode * 1000003u ^ id.device);
    }
};

// What stands at a picture's target before it is transferred.
enum class ExistingTarget {
    None,          // nothing: the transfer goes ahead
    ItsOwnSource,  // the picture itself: it is already in place
    WholeCopy,     // not the target: a file in the album folder holds its bytes (ArrivedPictures)
    Protected,     // a picture of the list, or a file this run placed
    Replaceable,   // a file that was there before the run: the user decides
};

// Keeps a run from replacing what exists nowhere else. Answering Yes to a
// replace question may only replace a file that was there before the run
// and is not one of the listed pictures (reorganising a folder into itself
// lists earlier results as pictures still to be moved).
class ReplaceGuard {
  public:
    ReplaceGuard(FileSystem& fileSystem, const PictureList& pictures)
        : fileSystem_(fileSystem), pictures_(pictures) {}

    ExistingTarget classify(const std::string& source, const std::string& target);

    // A picture arrived at target: from now on that file is protected too.
    void notePlaced(const std::string& target);

    // Whether the file is a listed picture or one this run placed.
    bool isListedOrPlaced(const FileIdentity& identity) {
        return placed_.count(identity) != 0 || listedPictures().count(identity) != 0;
    }

  private:
    using IdentitySet = std::unordered_set<FileIdentity, FileIdentityHash>;
    const IdentitySet& listedPictures();

    FileSystem& fileSystem_;
    const PictureList& pictures_;
    // Filled at the first existing target, as most runs never meet one.
    std::optional<IdentitySet> listed_;
    IdentitySet placed_;
};

}  // namespace lumora
