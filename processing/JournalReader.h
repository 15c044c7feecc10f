#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora {

enum class JournalActionKind {
    Folder,         // target: the folder made
    Copy,           // source copied to target
    Move,           // source moved to target
    SetAside,       // source: a file a Yes replaced; target: where it was set aside
    SourceRemoval,  // source removed, a whole copy of it standing at target
    // The run's file at target went back to source (or, the source standing
    // with the same bytes, was removed): a pair kept together at its source.
    MoveBack,
};

enum class JournalActionState {
    Announced,  // about to happen; whether it did, only the disk can tell
    Done,
    Failed,   // did not happen
    PutBack,  // a set-aside file went back when its replace failed
};

struct JournalAction {
    int number = 0;
    JournalActionKind kind = JournalActionKind::Folder;
    JournalActionState state = JournalActionState::Announced;
    std::string source;
    std::string target;
    // Something stood at target when it was announced (or, for a move
    // within one volume, which never leaves a copy behind, it is not known).
    bool targetExisted = false;
    bool sourceKnown = false;
    FileStamp sourceStamp;  // the source as it was announced
    bool writtenKnown = false;
    FileStamp written;  // the file the run left at target
    bool undone = false;
};

// What a journal holds, its torn records passed over.
struct RunJournalContents {
    int64_t processId = 0;
    std::string started;  // "YYYY-MM-DD HH:MM:SS", local time
    int32_t moveMode = 0;
    std::string target;
    std::string sessionFile;
    std::vector<std::pair<int32_t, std::string>> albums;
    std::vector<int32_t> processedAlbums;
    std::vector<JournalAction> actions;  // in the run's order
    bool ended = false;                  // the run came to its end
    bool undoFinished = false;           // an undo went through it to its end
    int unreadRecords = 0;               // torn or unknown lines passed over
};

// False with problem set when the file cannot be read or is no journal.
bool readRunJournal(FileSystem& fileSystem, const std::string& path, RunJournalContents& contents,
                    std::string& problem);

}  // namespace lumora
