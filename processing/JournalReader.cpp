#include "processing/JournalReader.h"

#include <cstdlib>

#include "processing/JournalFormat.h"

namespace lumora {
namespace {

// Journals are small (a few hundred bytes an action); this bounds a file
// that is none.
constexpr uint64_t kLargestJournal = uint64_t{1} << 30;

bool readAll(FileSystem& fileSystem, const std::string& path, std::string& text,
             std::string& problem) {
    ErrorCode error = kErrorSuccess;
    const std::unique_ptr<InputFile> file = fileSystem.openRead(path, error);
    if (!file) {
        problem = "cannot read " + path;
        return false;
    }
    if (file->facts().size > kLargestJournal) {
        problem = path + " is too large to be a journal";
        return false;
    }
    char buffer[1 << 16];
    for (;;) {
        const size_t got = file->read(buffer, sizeof buffer);
        text.append(buffer, got);
        if (got < sizeof buffer) break;
    }
    if (file->error() != kErrorSuccess) {
        problem = "cannot read " + path;
        return false;
    }
    return true;
}

int numberOf(const std::string& text) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return std::atoi(text.c_str());
}

JournalAction* actionAt(RunJournalContents& contents, const std::string& field) {
    const int number = numberOf(field);
    if (number <= 0 || static_cast<size_t>(number) > contents.actions.size()) return nullptr;
    JournalAction& action = contents.actions[static_cast<size_t>(number) - 1];
    return action.number == number ? &action : nullptr;
}

// One record; false when it is not understood.
bool apply(RunJournalContents& contents, const std::vector<std::string>& f) {
    const std::string& kind = f[0];
    if (kind == "run" && f.size() == 5) {
        contents.processId = std::atoll(f[1].c_str());
        contents.started = f[2];
        contents.moveMode = f[3] == "move" ? 1 : 0;
        contents.target = f[4];
        return true;
    }
    if (kind == "session" && f.size() == 2) {
        contents.sessionFile = f[1];
        return true;
    }
    if (kind == "album" && f.size() == 3) {
        contents.albums.emplace_back(std::atoi(f[1].c_str()), f[2]);
        return true;
    }
    if (kind == "processed" && f.size() == 2) {
        contents.processedAlbums.push_back(std::atoi(f[1].c_str()));
        return true;
    }
    if (kind == "end") return contents.ended = true;
    if (kind == "undo-end") return contents.undoFinished = true;
    // An action's number is its place: one that is not the next is no record of ours.
    const bool announcement = kind == "folder" || kind == "copy" || kind == "move" ||
                              kind == "aside" || kind == "remove-source" || kind == "move-back";
    if (announcement) {
        if (f.size() < 3 || numberOf(f[1]) != static_cast<int>(contents.actions.size()) + 1)
            return false;
        JournalAction action;
        action.number = numberOf(f[1]);
        if (kind == "folder" && f.size() == 3) {
            action.kind = JournalActionKind::Folder;
            action.target = f[2];
        } else if ((kind == "copy" || kind == "move") && (f.size() == 5 || f.size() == 9)) {
            action.kind = kind == "copy" ? JournalActionKind::Copy : JournalActionKind::Move;
            action.source = f[2];
            action.target = f[3];
            action.targetExisted = f[4] != "0";
            action.sourceKnown = f.size() == 9 && readStamp(f, 5, action.sourceStamp);
        } else if (kind == "aside" && f.size() == 4) {
            action.kind = JournalActionKind::SetAside;
            action.source = f[2];
            action.target = f[3];
        } else if (kind == "move-back" && f.size() == 4) {
            action.kind = JournalActionKind::MoveBack;
            action.source = f[2];
            action.target = f[3];
        } else if (kind == "remove-source" && (f.size() == 4 || f.size() == 8)) {
            action.kind = JournalActionKind::SourceRemoval;
            action.source = f[2];
            action.target = f[3];
            action.sourceKnown = f.size() == 8 && readStamp(f, 4, action.sourceStamp);
        } else {
            return false;
        }
        contents.actions.push_back(std::move(action));
        return true;
    }
    if (f.size() < 2) return false;
    JournalAction* action = actionAt(contents, f[1]);
    if (action == nullptr) return false;
    if (kind == "done") {
        action->state = JournalActionState::Done;
        action->writtenKnown = f.size() == 6 && readStamp(f, 2, action->written);
        return true;
    }
    if (kind == "failed") {
        action->state = JournalActionState::Failed;
        return true;
    }
    if (kind == "put-back") {
        action->state = JournalActionState::PutBack;
        return true;
    }
    if (kind == "undone") return action->undone = true;
    return false;
}

}  // namespace

bool readRunJournal(FileSystem& fileSystem, const std::string& path, RunJournalContents& contents,
                    std::string& problem) {
    contents = RunJournalContents{};
    std::string text;
    if (!readAll(fileSystem, path, text, problem)) return false;
    size_t start = 0;
    bool first = true;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            ++contents.unreadRecords;  // the last record, torn
            break;
        }
        const auto fields = decodeRecord(text.substr(start, end - start));
        start = end + 1;
        if (first) {
            if (!fields || fields->size() != 2 || (*fields)[0] != "lumora-journal") {
                problem = path + " is not a journal of a processing run";
                return false;
            }
            if ((*fields)[1] != "1") {
                problem = path + " is a journal of a later version";
                return false;
            }
            first = false;
            continue;
        }
        if (!fields || !apply(contents, *fields)) ++contents.unreadRecords;
    }
    if (first) {
        problem = path + " is not a journal of a processing run";
        return false;
    }
    return true;
}

}  // namespace lumora
