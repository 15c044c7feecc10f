#include "processing/RunJournal.h"

#include <filesystem>

#include "platform/ProcessIds.h"
#include "platform/WindowsError.h"
#include "processing/JournalFormat.h"

namespace lumora {
namespace {

std::string nameOf(const std::string& path) {
    const size_t slash = lastPathSeparator(path);
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Paths are kept whole, so an undo started from another folder finds them.
std::string absolute(const std::string& path) {
    if (path.empty() || path[0] == kPathSeparator) return path;
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(path, error);
    return error ? path : whole.lexically_normal().string();
}

bool madeOrThere(ErrorCode error) {
    return error == kErrorSuccess || error == kErrorAlreadyExists;
}

}  // namespace

std::string journalFolder(const std::string& target) {
    return joinPath(joinPath(target, kJournalFolderName), kRunsFolderName);
}

RunJournal::RunJournal(FileSystem& fileSystem, JournalSetup setup, const Clock& clock)
    : fileSystem_(fileSystem), setup_(std::move(setup)), clock_(clock) {
    setup_.target = absolute(setup_.target);
    if (!setup_.sessionFile.empty()) setup_.sessionFile = absolute(setup_.sessionFile);
}

RunJournal::~RunJournal() {
    if (file_) {
        write(false);
        file_->close();
    }
}

bool RunJournal::ensureOpen() {
    if (file_) return true;
    if (broken_) return false;
    const std::string folder = journalFolder(setup_.target);
    if (!madeOrThere(fileSystem_.createDirectory(joinPath(setup_.target, kJournalFolderName))) ||
        !madeOrThere(fileSystem_.createDirectory(folder))) {
        broken_ = true;
        problem_ = "cannot make the folder " + folder;
        return false;
    }
    std::tm fields{};
    unixToLocalFields(clock_.now(), fields);
    const std::string started = formatTime("%Y%m%d-%H%M%S", fields);
    const std::string process = std::to_string(currentProcessId());
    ErrorCode error = kErrorSuccess;
    // Two runs of one process within a second get their own journals.
    for (int copy = 1; copy < 1000 && !file_; ++copy) {
        std::string stem = started + "-" + process;
        if (copy > 1) stem += "-" + std::to_string(copy);
        path_ = joinPath(folder, stem + kJournalSuffix);
        asideFolder_ = joinPath(folder, stem + ".old");
        file_ = fileSystem_.openWrite(path_, CreateMode::New, error);
        if (!file_ && error != kErrorFileExists) break;
    }
    if (!file_) {
        broken_ = true;
        problem_ = "cannot write " + path_;
        path_.clear();
        return false;
    }
    pending_ += encodeRecord({"lumora-journal", "1"});
    pending_ += encodeRecord({"run", process, formatTime("%Y-%m-%d %H:%M:%S", fields),
                              setup_.moveMode == 1 ? "move" : "copy", setup_.target});
    if (!setup_.sessionFile.empty()) pending_ += encodeRecord({"session", setup_.sessionFile});
    for (const auto& [id, name] : setup_.albums) {
        pending_ += encodeRecord({"album", std::to_string(id), name});
    }
    return true;
}

void RunJournal::write(bool durable) {
    if (!file_ || broken_) return;
    if (!pending_.empty()) {
        if (!file_->write(pending_.data(), pending_.size())) {
            broken_ = true;
            problem_ = "cannot write " + path_;
            return;
        }
        pending_.clear();
    }
    if (durable && !file_->flush()) {
        broken_ = true;
        problem_ = "cannot write " + path_;
    }
}

int RunJournal::announce(std::vector<std::string> fields, bool durable) {
    if (!ensureOpen()) return 0;
    const int action = ++lastAction_;
    fields.insert(fields.begin() + 1, std::to_string(action));
    pending_ += encodeRecord(fields);
    write(durable);
    if (broken_) return 0;
    asides_.resize(static_cast<size_t>(action));
    if (onAction) onAction(action, JournalPhase::Announced);
    return action;
}

int RunJournal::folderAbout(const std::string& folder) {
    FileIdentity identity;
    if (fileSystem_.identify(folder, identity)) return 0;
    return announce({"folder", absolute(folder)}, false);
}

bool RunJournal::deviceOfFolder(const std::string& folder, uint64_t& device) {
    // The pictures of an album go to one folder: asked once per album.
    if (folder != knownFolder_) {
        FileIdentity identity;
        knownFolder_ = folder;
        folderFound_ = fileSystem_.identify(folder, identity);
        folderDevice_ = identity.device;
    }
    device = folderDevice_;
    return folderFound_;
}

int RunJournal::transferAbout(bool move, const std::string& source, const std::string& target) {
    std::vector<std::string> fields{move ? "move" : "copy", absolute(source), absolute(target)};
    FileIdentity there;
    if (!move) {
        // A copy is told from other files by its bytes; what counts is
        // whether a file stood at its name before.
        fields.push_back(fileSystem_.identify(target, there) ? "1" : "0");
        return announce(std::move(fields), false);
    }
    FileStamp stamp;
    const bool known = fileSystem_.stamp(source, stamp);
    uint64_t device = 0;
    // Within one volume a move is a rename: the file keeps its stamp and no
    // copy can be left behind. Across volumes the source is removed once the
    // copy is whole: the record must be on the disk by then, and say whether
    // a file stood at the target.
    const bool renamed =
        known && deviceOfFolder(parentFolderOf(target), device) && device == stamp.identity.device;
    fields.push_back(renamed ? "?" : fileSystem_.identify(target, there) ? "1" : "0");
    if (known) appendStamp(fields, stamp);
    const int action = announce(std::move(fields), !renamed);
    renamedAction_ = renamed ? action : 0;
    renamedStamp_ = stamp;
    return action;
}

int RunJournal::sourceRemovalAbout(const std::string& source, const std::string& whole) {
    std::vector<std::string> fields{"remove-source", absolute(source), absolute(whole)};
    FileStamp stamp;
    if (fileSystem_.stamp(source, stamp)) appendStamp(fields, stamp);
    return announce(std::move(fields), true);
}

int RunJournal::moveBackAbout(const std::string& target, const std::string& source) {
    // Removing the target, or a move back across volumes, destroys a file.
    return announce({"move-back", absolute(source), absolute(target)}, true);
}

void RunJournal::done(int action, const std::string& written) {
    if (action == 0 || !file_) return;
    if (onAction) onAction(action, JournalPhase::Performed);
    std::vector<std::string> fields{"done", std::to_string(action)};
    FileStamp stamp;
    if (!written.empty() && action == renamedAction_) {
        appendStamp(fields, renamedStamp_);  // a rename: the stamp the source had
    } else if (!written.empty() && fileSystem_.stamp(written, stamp)) {
        appendStamp(fields, stamp);
    }
    pending_ += encodeRecord(fields);
}

void RunJournal::failed(int action) {
    if (action == 0 || !file_) return;
    pending_ += encodeRecord({"failed", std::to_string(action)});
}

ErrorCode RunJournal::setAside(const std::string& target, int& action) {
    action = 0;
    FileStamp stamp;
    if (!fileSystem_.stamp(target, stamp) || !ensureOpen()) return kErrorSuccess;
    const int number = lastAction_ + 1;
    const std::string name = std::to_string(number) + "-" + nameOf(target) + kSetAsideSuffix;
    // A rename costs nothing on one volume; a target on another one than
    // the journal keeps its old file beside it.
    FileIdentity journalPlace;
    std::string aside = joinPath(asideFolder_, name);
    if (!madeOrThere(fileSystem_.createDirectory(asideFolder_)) ||
        !fileSystem_.identify(asideFolder_, journalPlace) ||
        journalPlace.device != stamp.identity.device) {
        aside = joinPath(parentFolderOf(target), "." + name);
    }
    action = announce({"aside", absolute(target), absolute(aside)}, true);
    if (action == 0) return kErrorSuccess;
    asides_[static_cast<size_t>(action) - 1] = {target, aside};
    const ErrorCode error = fileSystem_.moveFile(target, aside, 0);
    if (error != kErrorSuccess) {
        failed(action);
        action = 0;
        return error;
    }
    done(action, "");
    return kErrorSuccess;
}

void RunJournal::putBack(int action) {
    if (action <= 0 || static_cast<size_t>(action) > asides_.size()) return;
    const auto& [target, aside] = asides_[static_cast<size_t>(action) - 1];
    if (fileSystem_.moveFile(aside, target, 0) == kErrorSuccess) {
        pending_ += encodeRecord({"put-back", std::to_string(action)});
    }
}

void RunJournal::finish(const std::vector<int32_t>& processedAlbums) {
    if (!file_) return;
    for (const int32_t id : processedAlbums) {
        pending_ += encodeRecord({"processed", std::to_string(id)});
    }
    pending_ += encodeRecord({"end"});
    write(true);
    file_->close();
    file_.reset();
}

}  // namespace lumora
