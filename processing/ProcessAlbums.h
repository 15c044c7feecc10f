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

namespace lumora {

inline constexpr const char* kApplicationTitle = "Lumora";
inline constexpr const char* kMoveToNextAlbumText = "Move to next album?";
inline constexpr const char* kCanceledByUserText = "Operation canceled by user!";
inline constexpr const char* kCloseWindowText = "Press 'Close Window' to exit.";

// The program-wide values a run reads.
struct ProcessSettings {
    std::string targetDirectory;  // must exist; album folders are made below it
    int32_t moveMode = 0;         // 1 move, 0 copy
    int32_t dateFormat = 1;
    int32_t timeFormat = 1;
};

// Where a run works and reports. The upper sink is the first status line and
// the album bar, the lower one the second status line and the file bar.
struct ProcessServices {
    FileSystem& fileSystem;
    Prompter& prompter;
    ProgressSink& upper;
    ProgressSink& lower;
    const Clock& clock;
    QuestionListener* listener = nullptr;
};

enum class FileOutcome {
    Skipped,          // its error was answered Ignore or No: counted as done all the same
    GivenUp,          // its album was given up at this file
    NotReached,       // its album was given up earlier, or the run ended before it
    TargetIsPicture,  // its target is a listed picture or one this run placed: left as it was
    InvalidName,      // its custom name is not a plain file name: left where it is
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

struct ProcessReport {
    int albumsVisited = 0;  // skipped processed albums included
    int albumsFailed = 0;
    int albumCount = 0;
    int filesTransferred = 0;  // pictures already at their targets included
    std::string summaryText;   // also the last first status line
    std::vector<UntransferredFile> untransferred;
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

}  // namespace lumora
