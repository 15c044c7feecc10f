#include "processing/RunUndo.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "platform/ProcessIds.h"
#include "platform/WindowsError.h"
#include "processing/JournalFormat.h"
#include "processing/RunJournal.h"

namespace lumora {
namespace {

bool sameBytes(FileSystem& fileSystem, const std::string& a, const std::string& b) {
    ErrorCode error = kErrorSuccess;
    const std::unique_ptr<InputFile> first = fileSystem.openRead(a, error);
    const std::unique_ptr<InputFile> second = fileSystem.openRead(b, error);
    if (!first || !second || first->facts().size != second->facts().size) return false;
    std::vector<char> x(1 << 16), y(1 << 16);
    for (;;) {
        const size_t got = first->read(x.data(), x.size());
        if (second->read(y.data(), got) != got || std::memcmp(x.data(), y.data(), got) != 0)
            return false;
        if (got < x.size())
            return first->error() == kErrorSuccess && second->error() == kErrorSuccess;
    }
}

// The copy a run's file system makes keeps the size and the modification time.
bool looksLikeCopyOf(const FileStamp& file, const FileStamp& source) {
    return file.size == source.size && file.modifiedNs == source.modifiedNs;
}

// The disk as the steps planned so far leave it.
class Planner {
  public:
    Planner(FileSystem& fileSystem, UndoPlan& plan) : fs_(fileSystem), plan_(plan) {}

    void planAction(const JournalAction& action) {
        switch (action.kind) {
            case JournalActionKind::Folder:
                return planFolder(action);
            case JournalActionKind::Copy:
                return planCopy(action);
            case JournalActionKind::Move:
                return planMove(action);
            case JournalActionKind::SetAside:
                return planRestore(action);
            case JournalActionKind::SourceRemoval:
                return planCopyBack(action);
            case JournalActionKind::MoveBack:
                return;  // nothing to take back (see planUndo)
        }
    }

  private:
    bool stampOf(const std::string& path, FileStamp& stamp) {
        if (gone_.count(path) != 0) return false;
        return fs_.stamp(path, stamp);
    }

    bool taken(const std::string& path) {
        if (added_.count(path) != 0) return true;
        if (gone_.count(path) != 0) return false;
        FileIdentity identity;
        return fs_.identify(path, identity);
    }

    void add(UndoStep step) {
        switch (step.kind) {
            case UndoStepKind::MoveBack:
            case UndoStepKind::RestoreReplaced:
                gone_.insert(step.path);
                added_.erase(step.path);
                added_.insert(step.to);
                gone_.erase(step.to);
                break;
            case UndoStepKind::CopyBack:
                added_.insert(step.to);
                gone_.erase(step.to);
                break;
            case UndoStepKind::RemoveCopy:
            case UndoStepKind::RemoveFolder:
            case UndoStepKind::RemoveTemporary:
                gone_.insert(step.path);
                added_.erase(step.path);
                break;
            case UndoStepKind::Leave:
                break;
        }
        plan_.steps.push_back(std::move(step));
    }

    void leave(const JournalAction& action, const std::string& path, std::string reason) {
        UndoStep step;
        step.action = action.number;
        step.path = path;
        step.reason = std::move(reason);
        add(std::move(step));
    }

    void step(UndoStepKind kind, const JournalAction& action, const std::string& path,
              const std::string& to, const FileStamp* expected) {
        UndoStep step;
        step.kind = kind;
        step.action = action.number;
        step.path = path;
        step.to = to;
        if (expected != nullptr) {
            step.checked = true;
            step.expected = *expected;
        }
        add(std::move(step));
    }

    // The unfinished copies the ended run left in a folder.
    void planTemporaries(const JournalAction& action, const std::string& folder) {
        if (!cleaned_.insert(folder).second) return;
        std::vector<DirectoryEntry> entries;
        if (fs_.listDirectory(folder, entries) != kErrorSuccess) return;
        const std::string prefix = ".lumora-" + std::to_string(plan_.journal.processId) + "-";
        for (const DirectoryEntry& entry : entries) {
            if (entry.isDirectory || entry.name.compare(0, prefix.size(), prefix) != 0 ||
                entry.name.size() < 5 ||
                entry.name.compare(entry.name.size() - 5, 5, ".part") != 0) {
                continue;
            }
            step(UndoStepKind::RemoveTemporary, action, joinPath(folder, entry.name), "", nullptr);
        }
    }

    void planFolder(const JournalAction& action) {
        const std::string& folder = action.target;
        if (!taken(folder)) return;
        if (action.state == JournalActionState::Announced) planTemporaries(action, folder);
        std::vector<DirectoryEntry> entries;
        fs_.listDirectory(folder, entries);
        size_t remaining = 0;
        for (const DirectoryEntry& entry : entries) {
            if (gone_.count(joinPath(folder, entry.name)) == 0) ++remaining;
        }
        for (const std::string& path : added_) {
            if (parentFolderOf(path) == folder) ++remaining;
        }
        if (remaining == 0) {
            step(UndoStepKind::RemoveFolder, action, folder, "", nullptr);
        } else {
            leave(action, folder,
                  "the folder holds " + std::to_string(remaining) +
                      (remaining == 1 ? " name" : " names") + " the run did not put there");
        }
    }

    void planCopy(const JournalAction& action) {
        FileStamp now;
        if (action.state == JournalActionState::Done) {
            if (!stampOf(action.target, now)) return;  // removed already
            if (!action.writtenKnown || now != action.written) {
                leave(action, action.target, "changed since the run");
                return;
            }
            step(UndoStepKind::RemoveCopy, action, action.target, "", &now);
            return;
        }
        planTemporaries(action, parentFolderOf(action.target));
        if (action.targetExisted || !stampOf(action.target, now)) return;
        if ((!action.sourceKnown || looksLikeCopyOf(now, action.sourceStamp)) &&
            sameBytes(fs_, action.source, action.target)) {
            step(UndoStepKind::RemoveCopy, action, action.target, "", &now);
        } else {
            leave(action, action.target, "not known to be the run's copy of " + action.source);
        }
    }

    void planMove(const JournalAction& action) {
        FileStamp now;
        FileStamp atSource;
        const bool sourceThere = stampOf(action.source, atSource);
        if (action.state == JournalActionState::Done) {
            if (!stampOf(action.target, now)) {
                leave(action, action.target,
                      "no longer there; it cannot go back to " + action.source);
                return;
            }
            if (!action.writtenKnown || now != action.written) {
                leave(action, action.target, "changed since the run");
                return;
            }
            if (sourceThere && action.sourceKnown && atSource == action.sourceStamp) {
                // The source stayed (it could not be removed): the target is a copy.
                step(UndoStepKind::RemoveCopy, action, action.target, "", &now);
            } else if (taken(action.source)) {
                leave(action, action.target, "a file now stands at " + action.source);
            } else {
                step(UndoStepKind::MoveBack, action, action.target, action.source, &now);
            }
            return;
        }
        planTemporaries(action, parentFolderOf(action.target));
        const bool targetThere = stampOf(action.target, now);
        if (!sourceThere && targetThere && action.sourceKnown &&
            (now.identity == action.sourceStamp.identity ||
             looksLikeCopyOf(now, action.sourceStamp))) {
            if (taken(action.source)) {
                leave(action, action.target, "a file now stands at " + action.source);
            } else {
                step(UndoStepKind::MoveBack, action, action.target, action.source, &now);
            }
        } else if (sourceThere && targetThere && !action.targetExisted &&
                   atSource == action.sourceStamp && looksLikeCopyOf(now, action.sourceStamp) &&
                   sameBytes(fs_, action.source, action.target)) {
            step(UndoStepKind::RemoveCopy, action, action.target, "", &now);
        } else if (!sourceThere && !taken(action.source)) {
            leave(action, action.source, "neither at its source nor at " + action.target);
        }
    }

    void planRestore(const JournalAction& action) {
        FileStamp aside;
        if (!stampOf(action.target, aside)) {
            if (action.state == JournalActionState::Done)
                leave(action, action.source, "the replaced file is gone from " + action.target);
            return;
        }
        if (taken(action.source)) {
            leave(action, action.source,
                  "a file now stands there; the replaced file stays at " + action.target);
            return;
        }
        step(UndoStepKind::RestoreReplaced, action, action.target, action.source, &aside);
    }

    void planCopyBack(const JournalAction& action) {
        if (taken(action.source)) return;  // not removed after all, or back already
        FileStamp whole;
        if (!stampOf(action.target, whole)) {
            leave(action, action.source, "its copy at " + action.target + " is gone");
            return;
        }
        step(UndoStepKind::CopyBack, action, action.target, action.source, &whole);
    }

    FileSystem& fs_;
    UndoPlan& plan_;
    std::set<std::string> gone_;
    std::set<std::string> added_;
    std::set<std::string> cleaned_;
};

bool stillAsPlanned(FileSystem& fileSystem, const UndoStep& step) {
    if (!step.checked) return true;
    FileStamp now;
    return fileSystem.stamp(step.path, now) && now == step.expected;
}

ErrorCode take(FileSystem& fileSystem, const UndoStep& step) {
    switch (step.kind) {
        case UndoStepKind::MoveBack:
        case UndoStepKind::RestoreReplaced:
            // Never over a file: a plain move fails when the name is taken.
            return fileSystem.moveFile(step.path, step.to, kMoveCopyAllowed);
        case UndoStepKind::CopyBack:
            return fileSystem.copyFile(step.path, step.to, true);
        case UndoStepKind::RemoveCopy:
        case UndoStepKind::RemoveTemporary:
            return fileSystem.removeFile(step.path);
        case UndoStepKind::RemoveFolder:
            return fileSystem.removeEmptyDirectory(step.path);
        case UndoStepKind::Leave:
            break;
    }
    return kErrorSuccess;
}

void count(UndoResult& result, const UndoStep& step) {
    switch (step.kind) {
        case UndoStepKind::MoveBack:
            // A picture goes back to a "*.jpg" name; anything else the run
            // moved was a picture's companion.
            if (matchesJpgPattern(step.to.substr(lastPathSeparator(step.to) + 1))) {
                ++result.movedBack;
            } else {
                ++result.companionsMovedBack;
            }
            break;
        case UndoStepKind::RemoveCopy:
            ++result.copiesRemoved;
            break;
        case UndoStepKind::RestoreReplaced:
        case UndoStepKind::CopyBack:
            ++result.restored;
            break;
        case UndoStepKind::RemoveFolder:
            ++result.foldersRemoved;
            break;
        case UndoStepKind::RemoveTemporary:
            break;
        case UndoStepKind::Leave:
            result.left.push_back(step);
            break;
    }
    result.steps.push_back(step);
}

std::string errorWords(ErrorCode error, const UndoStep& step) {
    switch (error) {
        case kErrorFileExists:
        case kErrorAlreadyExists:
            return "a file now stands at " + step.to;
        case kErrorAccessDenied:
            return "access is denied";
        case kErrorFileNotFound:
            return "it is no longer there";
        case kErrorPathNotFound:
            return "its folder is no longer there";
        case kErrorHandleDiskFull:
            return "the disk is full";
        case kErrorWriteProtect:
            return "the media is write protected";
        default:
            return "the file system refused (error " + std::to_string(error) + ")";
    }
}

std::string plural(int n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

UndoPlan planUndo(FileSystem& fileSystem, const std::string& journalPath) {
    UndoPlan plan;
    plan.journalPath = journalPath;
    std::string problem;
    if (!readRunJournal(fileSystem, journalPath, plan.journal, problem)) {
        plan.refusal = problem;
        return plan;
    }
    if (plan.journal.undoFinished) {
        plan.alreadyUndone = true;
        return plan;
    }
    if (!plan.journal.ended && plan.journal.processId != currentProcessId() &&
        processIsRunning(plan.journal.processId)) {
        plan.refusal = "the run that writes " + journalPath + " is still going (process " +
                       std::to_string(plan.journal.processId) + ")";
        return plan;
    }
    Planner planner(fileSystem, plan);
    const std::vector<JournalAction>& actions = plan.journal.actions;
    // A file set aside is recorded after the transfer that replaced it was
    // announced, and goes back once that transfer's file has left its name.
    std::vector<const JournalAction*> asides;
    // A file that went back to its source within the run (its pair could
    // not arrive whole) is home already: the transfer that placed it is
    // settled, by source and target, and nothing is done to it.
    std::set<std::pair<std::string, std::string>> returned;
    for (auto it = actions.rbegin(); it != actions.rend(); ++it) {
        if (it->undone || it->state == JournalActionState::Failed ||
            it->state == JournalActionState::PutBack) {
            continue;
        }
        if (it->kind == JournalActionKind::MoveBack) {
            // Only announced: it went back if the file left the target.
            FileIdentity identity;
            if (it->state == JournalActionState::Done ||
                !fileSystem.identify(it->target, identity)) {
                returned.insert({it->source, it->target});
            }
            continue;
        }
        if ((it->kind == JournalActionKind::Move || it->kind == JournalActionKind::Copy) &&
            returned.erase({it->source, it->target}) != 0) {
            continue;
        }
        if (it->kind == JournalActionKind::SetAside) {
            asides.push_back(&*it);
            continue;
        }
        planner.planAction(*it);
        for (const JournalAction* aside : asides) planner.planAction(*aside);
        asides.clear();
    }
    for (const JournalAction* aside : asides) planner.planAction(*aside);
    return plan;
}

UndoResult executeUndo(FileSystem& fileSystem, const UndoPlan& plan) {
    UndoResult result;
    if (plan.alreadyUndone || !plan.refusal.empty()) return result;
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<OutputFile> journal =
        fileSystem.openWrite(plan.journalPath, CreateMode::Append, error);
    if (!journal) result.problem = "cannot mark " + plan.journalPath + ": the undo was not begun";
    if (!journal) return result;
    std::string records;
    for (const UndoStep& step : plan.steps) {
        if (step.kind == UndoStepKind::Leave) {
            count(result, step);
            continue;
        }
        if (!stillAsPlanned(fileSystem, step)) {
            UndoStep left = step;
            left.kind = UndoStepKind::Leave;
            left.reason = "changed during the undo";
            count(result, left);
            continue;
        }
        const ErrorCode failure = take(fileSystem, step);
        if (failure != kErrorSuccess) {
            UndoStep left = step;
            left.kind = UndoStepKind::Leave;
            left.reason = step.kind == UndoStepKind::RemoveFolder ? "the folder is not empty"
                                                                  : errorWords(failure, step);
            count(result, left);
            continue;
        }
        count(result, step);
        if (step.kind != UndoStepKind::RemoveTemporary)
            records += encodeRecord({"undone", std::to_string(step.action)});
    }
    records += encodeRecord({"undo-end"});
    if (!journal->write(records.data(), records.size()) || !journal->flush() || !journal->close())
        result.problem = "cannot mark " + plan.journalPath + " as undone";
    return result;
}

UndoResult countPlan(const UndoPlan& plan) {
    UndoResult result;
    for (const UndoStep& step : plan.steps) count(result, step);
    return result;
}

std::string undoCountsText(const UndoResult& counts) {
    std::string text = plural(counts.movedBack, "picture moved back", "pictures moved back");
    if (counts.companionsMovedBack > 0) {
        text += ", " + plural(counts.companionsMovedBack, "companion file moved back",
                              "companion files moved back");
    }
    text += ", " + plural(counts.copiesRemoved, "copy removed", "copies removed") +
                       ", " + plural(counts.foldersRemoved, "folder removed", "folders removed");
    if (counts.restored > 0)
        text += ", " + plural(counts.restored, "replaced file restored", "replaced files restored");
    return text;
}

std::string describeUndoStep(const UndoStep& step) {
    switch (step.kind) {
        case UndoStepKind::MoveBack:
            return "move back: " + step.path + " -> " + step.to;
        case UndoStepKind::RemoveCopy:
            return "remove copy: " + step.path;
        case UndoStepKind::RestoreReplaced:
            return "restore replaced: " + step.path + " -> " + step.to;
        case UndoStepKind::CopyBack:
            return "copy back: " + step.path + " -> " + step.to;
        case UndoStepKind::RemoveFolder:
            return "remove folder: " + step.path;
        case UndoStepKind::RemoveTemporary:
            return "remove unfinished copy: " + step.path;
        case UndoStepKind::Leave:
            return "leave: " + step.path + ": " + step.reason;
    }
    return std::string();
}

std::string latestJournal(FileSystem& fileSystem, const std::string& target) {
    std::vector<DirectoryEntry> entries;
    const std::string folder = journalFolder(target);
    if (fileSystem.listDirectory(folder, entries) != kErrorSuccess) return std::string();
    const size_t suffix = std::strlen(kJournalSuffix);
    std::string latest;
    for (const DirectoryEntry& entry : entries) {
        if (entry.isDirectory || entry.name.size() <= suffix ||
            entry.name.compare(entry.name.size() - suffix, suffix, kJournalSuffix) != 0) {
            continue;
        }
        // "<date>-<time>-<process>": the date and time order the runs.
        if (latest.empty() || entry.name.substr(0, 15) >= latest.substr(0, 15)) latest = entry.name;
    }
    return latest.empty() ? std::string() : joinPath(folder, latest);
}

bool forgetJournal(FileSystem& fileSystem, const std::string& journalPath, std::string& problem) {
    RunJournalContents contents;
    if (!readRunJournal(fileSystem, journalPath, contents, problem)) return false;
    if (!contents.ended && contents.processId != currentProcessId() &&
        processIsRunning(contents.processId)) {
        problem = "the run that writes " + journalPath + " is still going";
        return false;
    }
    for (const JournalAction& action : contents.actions) {
        if (action.kind != JournalActionKind::SetAside || action.undone ||
            action.state == JournalActionState::PutBack) {
            continue;
        }
        FileStamp stamp;
        if (fileSystem.stamp(action.target, stamp)) fileSystem.removeFile(action.target);
    }
    const size_t suffix = std::strlen(kJournalSuffix);
    const std::string asideFolder =
        journalPath.substr(0, journalPath.size() - std::min(suffix, journalPath.size())) + ".old";
    fileSystem.removeEmptyDirectory(asideFolder);
    if (ErrorCode error = fileSystem.removeFile(journalPath)) {
        problem = "cannot remove " + journalPath + " (error " + std::to_string(error) + ")";
        return false;
    }
    const std::string runs = parentFolderOf(journalPath);
    if (fileSystem.removeEmptyDirectory(runs) == kErrorSuccess)
        fileSystem.removeEmptyDirectory(parentFolderOf(runs));
    return true;
}

}  // namespace lumora
