#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora {

// What a journal names besides the actions: where the run worked, how, and
// for which albums and session file.
struct JournalSetup {
    std::string target;
    std::string sessionFile;  // the session the albums came from; empty: none
    int32_t moveMode = 0;
    std::vector<std::pair<int32_t, std::string>> albums;  // id and name of each album it processes
};

// Where a test may stop the process: right after an action was announced
// (nothing done yet), or after it was done and before that was recorded.
enum class JournalPhase { Announced, Performed };

// The journal of one processing run, written in the target below
// ".lumora/runs" as "<date>-<time>-<process>.journal" (see JournalFormat.h).
// It opens at the run's first action, so a run that does nothing writes
// none. Before each action it records what is about to happen; after it, the
// stamp of what was written. Records reach the file before the next action
// starts, so a killed process leaves all but the last confirmation; one
// before a step that destroys data (a move across volumes, setting a file
// aside, removing a source) is flushed to the disk first.
//
// A journal that cannot be written never stops the run: problem() says why
// there is none.
class RunJournal {
  public:
    RunJournal(FileSystem& fileSystem, JournalSetup setup, const Clock& clock = systemClock());
    ~RunJournal();
    RunJournal(const RunJournal&) = delete;
    RunJournal& operator=(const RunJournal&) = delete;

    // Each returns the action's number, 0 when nothing is journaled (a
    // folder that exists already, or no journal).
    int folderAbout(const std::string& folder);
    int transferAbout(bool move, const std::string& source, const std::string& target);
    // A move's source removed because a whole copy of it stands at `whole`.
    int sourceRemovalAbout(const std::string& source, const std::string& whole);
    // The run's file at target goes back to source, where it came from (or,
    // the source standing with its bytes, is removed): a pair kept together.
    int moveBackAbout(const std::string& target, const std::string& source);
    // The action is done; written: the file it wrote (empty for a folder or
    // a removal).
    void done(int action, const std::string& written);
    void failed(int action);

    // Before a Yes replaces the file at target: renames it into the
    // journal's folder (or beside itself when that is on another volume), so
    // nothing is destroyed. An error means the file is still there and must
    // not be replaced. action is 0 when nothing was there.
    ErrorCode setAside(const std::string& target, int& action);
    // The replace failed after all: the set-aside file goes back.
    void putBack(int action);

    // After the run: the albums it marked processed, and its end.
    void finish(const std::vector<int32_t>& processedAlbums);

    const std::string& path() const { return path_; }
    const std::string& problem() const { return problem_; }

    // Tests stop the process here (see JournalPhase).
    std::function<void(int action, JournalPhase phase)> onAction;

  private:
    bool ensureOpen();
    int announce(std::vector<std::string> fields, bool durable);
    void write(bool durable);
    bool deviceOfFolder(const std::string& folder, uint64_t& device);

    FileSystem& fileSystem_;
    JournalSetup setup_;
    const Clock& clock_;
    std::unique_ptr<OutputFile> file_;
    std::string path_;
    std::string asideFolder_;
    std::string pending_;
    std::string problem_;
    bool broken_ = false;
    int lastAction_ = 0;
    std::vector<std::pair<std::string, std::string>> asides_;  // by action - 1: target, aside
    std::string knownFolder_;
    bool folderFound_ = false;
    uint64_t folderDevice_ = 0;
    int renamedAction_ = 0;  // the move in hand, when it is a rename within one volume
    FileStamp renamedStamp_;
};

// Writes "failed" for the action when it goes without done() (every early
// return of a step), so the steps need one line per outcome.
class JournalEntry {
  public:
    JournalEntry(RunJournal* journal, int action) : journal_(journal), action_(action) {}
    ~JournalEntry() {
        if (journal_ != nullptr && action_ != 0 && !closed_) journal_->failed(action_);
    }
    JournalEntry(const JournalEntry&) = delete;
    JournalEntry& operator=(const JournalEntry&) = delete;
    void done(const std::string& written) {
        if (journal_ != nullptr && action_ != 0) journal_->done(action_, written);
        closed_ = true;
    }
    void fail() {
        if (journal_ != nullptr && action_ != 0 && !closed_) journal_->failed(action_);
        closed_ = true;
    }

  private:
    RunJournal* journal_;
    int action_;
    bool closed_ = false;
};

// The folder of a target's journals.
std::string journalFolder(const std::string& target);

}  // namespace lumora
