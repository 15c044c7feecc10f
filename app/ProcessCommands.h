#pragma once

#include <optional>
#include <string>

#include "app/Workspace.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"
#include "processing/FreeSpace.h"
#include "processing/ProcessAlbums.h"
#include "processing/QuestionSubject.h"
#include "processing/StopRequest.h"

namespace lumora {

inline constexpr const char* kNoAlbumsText =
    "There is no albums defined! Please create at least one album.";
inline constexpr const char* kSelectTargetNowText =
    "Target directory not selected. Do you want to select it now?";
inline constexpr const char* kSelectTargetCaption = "Select target directory";
inline constexpr const char* kSelectTargetBrowserTitle =
    "Select folder that hold pictures to process.";

// What the main window does after its "Process" button.
enum class ProcessStart {
    Stop,             // nothing more: a message said why
    BrowseForTarget,  // open the folder browser, then call processTargetChosen
    OpenDialog,       // targetDirectory is set: open the processing dialog
};

// The "Process" button's checks before anything is written.
ProcessStart startProcess(Workspace& workspace, Prompter& prompter);

// The folder browser's result (nothing when it was cancelled). A chosen
// folder becomes the target unless it is the source; true when "Process" is
// to run again from its start, which happens after any chosen folder.
bool processTargetChosen(Workspace& workspace, const std::optional<std::string>& folder,
                         Prompter& prompter);

// The dialog's sinks: its two status lines with the bars below them.
struct ProcessDialogSinks {
    ProgressSink& upper;
    ProgressSink& lower;
};

// The free-space check of the processing dialog over the workspace's values.
FreeSpaceCheck checkWorkspaceFreeSpace(Workspace& workspace, Prompter& prompter,
                                       const ProcessDialogSinks& sinks,
                                       QuestionListener* listener = nullptr);

// The dialog's "Process" over the workspace's albums and pictures.
// A stop request, when given, is checked between two pictures.
ProcessReport processWorkspaceAlbums(Workspace& workspace, Prompter& prompter,
                                     const ProcessDialogSinks& sinks,
                                     QuestionListener* listener = nullptr,
                                     const StopRequest* stop = nullptr);

// The same run as a preview: every name and decision, nothing made or moved
// and no question asked (ProcessSettings::planOnly).
ProcessReport planWorkspaceAlbums(Workspace& workspace, Prompter& prompter,
                                  const ProcessDialogSinks& sinks);

}  // namespace lumora
