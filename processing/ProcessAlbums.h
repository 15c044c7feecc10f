#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "albums/AlbumList.h"
#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"
#include "platform/Time.h"
#include "processing/QuestionSubject.h"
#include "processing/ReplaceGuard.h"
#include "processing/RunJournal.h"
#include "processing/StopRequest.h"
#include "processing/SystemErrorTable.h"

namespace lumora {

inline constexpr const char* kMoveToNextAlbumText = "Move to next album?";
inline constexpr const char* kCanceledByUserText = "Operation canceled by user!";
inline constexpr const char* kCloseWindowText = "Press 'Close Window' to exit.";

// The program-wide values a run reads.
struct ProcessSettings {
    std::string targetDirectory;  // must exist; album folders are made below it
    int32_t moveMode = 0;         // 1 move, 0 copy
    int32_t dateFormat = 1;
    int32_t timeFormat = 1;
    // A preview: every decision of a real run is taken and reported (the
    // names, collisions included, and what stands at each target), but no
    // folder is made, no file transferred, no question asked and no album
    // marked processed.
    bool planOnly = false;
    // The pictures' companion files (a RAW, sidecars, a clip) go along with
    // them, named after them.
    bool bringCompanions = true;
};

// Where a run works and reports. The upper sink is the first status line and
// the album bar, the lower one the second status line and the file bar.
struct ProcessServices {
    FileSystem& fileSystem;
    Prompter& prompter;
    ProgressSink& upper;
    ProgressSink& lower;
    QuestionListener* listener = nullptr;
    // Checked before each picture: once set, the run ends there, the album
    // it was working on stays unprocessed.
    const StopRequest* stop = nullptr;
    // The run's journal (see RunJournal); a preview writes none.
    RunJournal* journal = nullptr;
};

enum class FileOutcome {
    Skipped,          // its error was answered Ignore or No: counted as done all the same
    GivenUp,          // its album was given up at this file
    NotReached,       // its album was given up earlier, or the run ended before it
    TargetIsPicture,  // its target is a listed picture or one this run placed: left as it was
    InvalidName,      // its custom name is not a plain file name: left where it is
    NoFreeSpace,      // the free-space check refused the run before it began
    Missing,          // its source was gone when the run came to it
    PairKept,         // a move whose companion could not follow: the pair stays at the source
};

// A picture whose size on disk is no longer the size the scan found.
struct ChangedPicture {
    std::string source;
    uint64_t scannedSize = 0;
    uint64_t size = 0;
};

// Shown (OK) for a picture whose custom name cannot name a file in the album
// folder; the picture stays where it is and the album goes on.
inline constexpr const char* kInvalidPictureNameText =
    "Invalid picture name( %s). The picture is left where it is.";

// A picture of an unprocessed album that is not at its new place.
struct UntransferredFile {
    std::string source;
    std::string target;  // empty when the run never got to the picture
    int32_t albumId = 0;
    FileOutcome outcome = FileOutcome::Skipped;
};

// An album folder a previewed run reaches at the album's first picture.
struct PlannedFolder {
    std::string path;
    bool exists = false;  // something is there already: the run would ask before using it
};

// A picture a previewed run would transfer, or find already in place.
struct PlannedTransfer {
    std::string source;
    std::string target;
    int32_t albumId = 0;
    // None: a new file; Replaceable: a file is there, which the run asks
    // about; ItsOwnSource: the picture is already there; WholeCopy: a file
    // in the album folder, named by target, holds its bytes already.
    // (Protected targets are untransferred files.)
    ExistingTarget existing = ExistingTarget::None;
    // A companion file of the picture planned before it.
    bool companion = false;
};

// A picture moved to its target whose source could not be removed.
struct KeptSource {
    std::string source;
    ErrorCode error = kErrorSuccess;
};

// A picture found already whole in its album's folder, at `whole`.
struct ArrivedFile {
    std::string source;
    std::string whole;
};

// An album given up by a message that offered no choice (its only button
// is OK): the reason, the message's text.
struct GivenUpAlbum {
    int32_t albumId = 0;
    std::string name;
    std::string reason;
};

// A moved picture whose companion could not follow and that could not go
// back either, as a file now stands at a source path: it stays at its
// target with the companions that moved, without the one that failed.
struct SplitPair {
    std::string picture;    // its target, where it stays
    std::string companion;  // the companion that stayed at the source
    std::string blocked;    // the source path a file now stands at
};

struct ProcessReport {
    int albumsVisited = 0;  // skipped processed albums included
    int albumsFailed = 0;
    int albumCount = 0;
    int filesTransferred = 0;  // pictures already at their targets included
    bool stopped = false;      // a stop request ended the run before its end
    std::string summaryText;   // also the last first status line
    std::vector<UntransferredFile> untransferred;
    std::vector<KeptSource> keptSources;      // of moves, and of pictures found arrived
    std::vector<ArrivedFile> arrived;         // counted in filesTransferred too
    std::vector<GivenUpAlbum> forcedGiveUps;  // a preview's too
    std::vector<ChangedPicture> changedSinceScan;
    // Companion files, counted apart from the pictures.
    int companionsTransferred = 0;  // those already at their targets included
    std::vector<UntransferredFile> untransferredCompanions;
    std::vector<SplitPair> splitPairs;
    // Filled by a preview only.
    std::vector<PlannedFolder> plannedFolders;
    std::vector<PlannedTransfer> plannedTransfers;
};

// One press of "Process": walks the albums in list order and copies or moves
// the pictures of each unprocessed one into its folders under their new
// names, marking each completed album processed. The source paths in the
// picture list stay as they are, also after a move. Afterwards the window
// disables "Process".
ProcessReport processAlbums(AlbumList& albums, const PictureList& pictures,
                            const ProcessSettings& settings, const ProcessServices& services);

// The summary line of a run.
std::string summaryText(int albumsVisited, int albumsFailed, int albumCount);

// The summary line of a run that a stop request ended: how many albums are
// processed now, of how many, and how many pictures this run transferred.
std::string stoppedSummaryText(int albumsProcessed, int albumCount, int filesTransferred);

}  // namespace lumora
