#pragma once

#include <string>

#include "albums/AlbumList.h"
#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"
#include "processing/QuestionSubject.h"

namespace lumora {

inline constexpr const char* kCheckingFreeSpaceText = "Checking for free space...";
// Room kept free beyond the pictures, in megabytes.
inline constexpr float kFreeSpaceMarginMB = 5.0f;

// What the check found: the two status lines and whether "Process" may run.
struct FreeSpaceCheck {
    std::string firstStatus;
    std::string secondStatus;
    bool processEnabled = false;
    float requiredMB = 0.0f;
    float freeMB = 0.0f;
};

// The megabytes a run of the unprocessed albums needs on the target: a move
// within one drive needs room for the largest picture only. With
// countCompanions the pictures' companion files count too, as their folders
// hold them now (their sizes are read here).
float requiredMegabytes(const AlbumList& albums, const PictureList& pictures,
                        const std::string& targetDirectory, int moveMode, FileSystem& fileSystem,
                        bool countCompanions = false);

// Run when the processing dialog opens: asks the target's volume for its free
// space and compares it with what the run needs. The status lines are
// shown through upper and lower as they change.
FreeSpaceCheck checkFreeSpace(const AlbumList& albums, const PictureList& pictures,
                              const std::string& targetDirectory, int moveMode,
                              FileSystem& fileSystem, Prompter& prompter, ProgressSink& upper,
                              ProgressSink& lower, QuestionListener* listener = nullptr,
                              bool countCompanions = false);

}  // namespace lumora
