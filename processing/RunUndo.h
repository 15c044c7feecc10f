#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "processing/JournalReader.h"

namespace lumora {

enum class UndoStepKind {
    MoveBack,         // a moved picture: from path back to its source, to
    RemoveCopy,       // a file the run wrote: path removed
    RestoreReplaced,  // a file a Yes replaced: from its set-aside place, path, back to to
    CopyBack,         // a source removed beside a whole copy: path copied back to to
    RemoveFolder,     // a folder the run made, empty by then
    RemoveTemporary,  // an unfinished copy the ended run left
    Leave,            // nothing is done to path, for reason
};

struct UndoStep {
    UndoStepKind kind = UndoStepKind::Leave;
    int action = 0;  // the journal's action it undoes
    std::string path;
    std::string to;
    std::string reason;    // of a Leave
    bool checked = false;  // expected: the stamp path must still have
    FileStamp expected;
};

struct UndoPlan {
    std::string journalPath;
    RunJournalContents journal;
    std::vector<UndoStep> steps;  // in the order they are taken: the run's, reversed
    bool alreadyUndone = false;
    std::string refusal;  // set: nothing can be undone, for this reason
};

// What an undo would do now, the disk as it is: every action of the run
// from the last back, each checked against what stands on the disk. An
// action only announced is undone where the disk shows it was done. A file
// whose stamp is not the one the run left, or a source path taken again, is
// left (a Leave step says why); nothing is ever overwritten.
UndoPlan planUndo(FileSystem& fileSystem, const std::string& journalPath);

struct UndoResult {
    int movedBack = 0;            // pictures
    int companionsMovedBack = 0;  // the files that travelled with them
    int copiesRemoved = 0;
    int restored = 0;  // replaced files and sources copied back
    int foldersRemoved = 0;
    std::vector<UndoStep> left;  // every Leave, and every step that failed
    // Every step in the plan's order: as taken, or as a Leave with its reason.
    std::vector<UndoStep> steps;
    std::string problem;  // the journal could not be marked
};

// Takes the plan's steps in order, checking each file again just before,
// and marks the journal: each action undone, and the undo's end, so that a
// second undo does nothing.
UndoResult executeUndo(FileSystem& fileSystem, const UndoPlan& plan);

// The counts of a plan, as an undo would report them.
UndoResult countPlan(const UndoPlan& plan);

// "3 pictures moved back, 2 copies removed, 1 folder removed" (and the
// companion files moved back and replaced files restored, when there are
// any).
std::string undoCountsText(const UndoResult& counts);
// One line for a step: what it does, or what it leaves and why.
std::string describeUndoStep(const UndoStep& step);

// The newest journal in the target ("" when there is none).
std::string latestJournal(FileSystem& fileSystem, const std::string& target);

// Deletes a journal and the files its replaces set aside; the journal
// folders go too once empty. False with problem set when the journal stays.
bool forgetJournal(FileSystem& fileSystem, const std::string& journalPath, std::string& problem);

}  // namespace lumora
