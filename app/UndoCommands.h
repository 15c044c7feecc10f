#pragma once

#include <string>
#include <vector>

#include "app/Workspace.h"
#include "processing/RunUndo.h"
#include "session/SessionMarks.h"

namespace lumora {

inline constexpr const char* kUndoCaption = "Undo last processing";
inline constexpr const char* kNoJournalText =
    "No processing run was journaled in this target, so there is nothing to undo.";

// The journal "Undo last processing..." opens: the last run's of this
// window while it is there, else the newest in the target ("" when none).
std::string journalToUndo(Workspace& workspace);

// The albums a run processed, by id and name; a run that never came to its
// end names every album it set out to process.
AlbumNames albumsOfRun(const RunJournalContents& journal);

// "Undo the run of 2026-12-09 21:40:02 (copy into /photos)? It will: ..."
std::string undoQuestionText(const UndoPlan& plan);
// "This run was undone already (JOURNAL); nothing is done."
std::string alreadyUndoneText(const std::string& journal);
std::string forgetQuestionText(const std::string& journal);

// The albums the undone run processed are unprocessed again in the
// workspace (same id and name), so they can be changed and processed anew.
// Returns how many.
int unprocessRunAlbums(Workspace& workspace, const RunJournalContents& journal);

// The session file the journal names, when it still marks albums of the
// run processed (empty otherwise); marked gets those albums' ids.
std::string sessionStillMarking(FileSystem& fileSystem, const RunJournalContents& journal,
                                std::vector<int32_t>& marked);

}  // namespace lumora
