#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/Workspace.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"
#include "session/SessionData.h"

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

// "Load Session". The file is read and checked whole, and its source is
// rescanned aside; only when that still holds the session's pictures does
// the session replace the work (albums, values, every picture's state).
// Whatever else happens (a cancelled question or dialog, a file that cannot
// be read or is not sound, a modified source) leaves the work exactly as it
// was. The window refreshes its album list when this returns.
SessionResult loadSessionCommand(Workspace& workspace, const ChooseFile& chooseFile,
                                 Prompter& prompter, ProgressSink& progress);

// "Source directory was modified. Session could not be loaded!" and, on a
// line of its own, what changed: pictures missing, pictures added, or the
// same number of pictures of another total size.
std::string sourceModifiedMessage(const std::string& sourceText, const PictureList& pictures,
                                  const SessionData& data);

}  // namespace lumora
