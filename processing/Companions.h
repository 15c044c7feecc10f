#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"
#include "processing/PictureTransfer.h"
#include "processing/ProcessAlbums.h"
#include "processing/ReplaceGuard.h"

namespace lumora {

// One companion file of a picture in a run: where it is and where it goes.
struct CompanionFile {
    std::string source;
    std::string target;
};

// The companion files of the listed pictures as their folders hold them
// when a run comes to them: each source folder is listed once, at its first
// picture, so a companion added or removed since the scan counts as it is
// then. The pairing is the scan's (see CompanionNames.h), over every listed
// picture of the folder, whatever its album.
class CompanionLookup {
  public:
    CompanionLookup(FileSystem& fileSystem, const PictureList& pictures)
        : fileSystem_(fileSystem), pictures_(pictures) {}

    // The paths of the picture's companions, in listing order.
    const std::vector<std::string>& of(const std::string& picturePath);
    // Whether the file at path is a companion of a listed picture: it is
    // never replaced, as the pictures themselves are not.
    bool isListedCompanion(const std::string& path);

  private:
    // Lists the folder holding path, the first time one of its files is asked about.
    void listFolderOnce(const std::string& path);
    void listFolder(const std::string& folder);

    FileSystem& fileSystem_;
    const PictureList& pictures_;
    // The names of the listed pictures by folder, gathered at the first look.
    std::unordered_map<std::string, std::vector<std::string>> picturesByFolder_;
    bool gathered_ = false;
    std::unordered_map<std::string, bool> listed_;
    std::unordered_map<std::string, std::vector<std::string>> found_;  // by picture path
    std::unordered_set<std::string> companions_;                       // every one found
};

// The companions of the picture at picturePath when it goes to pictureTarget:
// beside the picture's target, each named after the picture's new name.
std::vector<CompanionFile> companionTargets(const std::string& picturePath,
                                            const std::vector<std::string>& companionPaths,
                                            const std::string& pictureTarget);

// Moves a file that this run placed at target back to source, where it came
// from, never over a file that now stands at source: when its source is
// still there holding the same bytes (a copy was made instead of the move,
// or the source could not be removed), the copy at target is removed
// instead. Fails with kErrorAlreadyExists when another file stands at source.
ErrorCode moveBack(const TransferContext& context, const std::string& target,
                   const std::string& source);

// Brings the companions of the pictures of a run along, copied or moved as
// the pictures are, with the same questions and answers. In a move a
// picture and its companions arrive together or not at all.
class CompanionTransfer {
  public:
    CompanionTransfer(FileSystem& fileSystem, const PictureList& pictures, ReplaceGuard& guard,
                      ProcessReport& report, bool enabled, bool move)
        : lookup_(fileSystem, pictures),
          fileSystem_(fileSystem),
          guard_(guard),
          report_(report),
          enabled_(enabled),
          move_(move) {}

    // The companions of the picture when it goes to pictureTarget; none when
    // the run leaves companions where they are.
    std::vector<CompanionFile> of(const PictureEntry& picture, const std::string& pictureTarget);

    // A preview: the companions' planned transfers, after the picture's.
    // False when a move would have to leave the pair at its source (a
    // companion's target is a picture): the picture is then not planned.
    bool plan(const std::vector<CompanionFile>& companions, int32_t albumId);

    // After the picture arrived at pictureTarget: brings its companions.
    // pictureMoved: this run took the picture from its source (it goes back
    // if the pair cannot arrive whole). In a move, when a companion cannot
    // follow (after the questions), the picture and the companions that
    // moved go back to their sources, unless a file now stands at one of
    // those paths: then they all stay at the target, and the split is
    // reported. Returns false when the picture is back at its source (or
    // never left it) because its pair could not arrive; continueFlag 0
    // afterwards means the album is given up.
    bool follow(const TransferContext& context, const PictureEntry& picture,
                const std::string& pictureTarget, const std::vector<CompanionFile>& companions,
                bool pictureMoved, int32_t albumId, int& continueFlag);

  private:
    // A companion that was at its target before the run with its bytes:
    // an earlier, stopped run put it there.
    bool arrivedBefore(const CompanionFile& companion);
    // What stands at the companion's target; the companions of listed
    // pictures are protected as the pictures are.
    ExistingTarget classify(const CompanionFile& companion);
    // The pair goes back to the source; false when it could not.
    bool putBack(const TransferContext& context, const PictureEntry& picture,
                 const std::string& pictureTarget, bool pictureMoved,
                 const std::vector<CompanionFile>& moved, const CompanionFile& failed);

    CompanionLookup lookup_;
    FileSystem& fileSystem_;
    ReplaceGuard& guard_;
    ProcessReport& report_;
    bool enabled_;
    bool move_;
};

// What the summary adds after its own words when companions arrived: ""
// for none, else " 3 companion files moved with their pictures." (or
// "copied").
std::string companionSummarySuffix(int companions, bool move);

}  // namespace lumora
