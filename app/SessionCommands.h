#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/Workspace.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"

namespace lumora {

inline constexpr const char* kLoadQuestionText = "Filters will be lost. Continue to load session?";
inline constexpr const char* kFileNotSavedText = "File not saved!";
inline constexpr const char* kFileCouldNotBeSavedText = "File could not be saved!";
inline constexpr const char* kFileNotLoadedText = "File not loaded!";
inline constexpr const char* kFileCouldNotBeLoadedText = "File could not be loaded!";

// The file dialog of a command: the chosen file, or nothing when it was
// cancelled. Load calls it only after its question was answered, so the
// window can refresh its album list first.
using ChooseFile = std::function<std::optional<std::string>()>;

enum class SessionResult {
    Done,
    Cancelled,       // the question or the file dialog was cancelled
    Failed,          // the file could not be written, read, or was not sound
    SourceModified,  // the source no longer holds the pictures of the session
};

// "Save Session" with the file the save dialog gave (nothing: cancelled).
// On success the picture list is left sorted by date.
SessionResult saveSessionCommand(Workspace& workspace, const std::optional<std::string>& fileName,
                                 Prompter& prompter);

// "Load Session". The file is read and checked whole before anything of it
// is used, so a file that is not sound leaves the work as the question left
// it (reset after OK, untouched without albums). A sound file rescans its
// source and, when that still holds the same pictures, restores the albums,
// the values and every picture's state. The window refreshes its album list
// when this returns.
SessionResult loadSessionCommand(Workspace& workspace, const ChooseFile& chooseFile,
                                 Prompter& prompter, ProgressSink& progress);

}  // namespace lumora
