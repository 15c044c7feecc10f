#include "tests/support/FaultyFileSystem.h"

namespace lumora::test {
namespace {

bool pathMatches(const FaultRule& rule, const std::string& path) {
    if (rule.path.empty()) return true;
    if (!rule.matchSuffix) return rule.path == path;
    return path.size() >= rule.path.size() &&
           path.compare(path.size() - rule.path.size(), rule.path.size(), rule.path) == 0;
}

class FaultyInputFile : public InputFile {
  public:
    FaultyInputFile(FaultyFileSystem& owner, std::string path, std::unique_ptr<InputFile> inner)
        : owner_(owner), path_(std::move(path)), inner_(std::move(inner)) {}

    size_t read(void* buffer, size_t size) override {
        if (auto fault = owner_.enter(FsCall::Read, path_)) {
            error_ = *fault;
            return 0;
        }
        return inner_->read(buffer, size);
    }

    bool seek(uint64_t offset) override {
        if (auto fault = owner_.enter(FsCall::Seek, path_)) {
            error_ = *fault;
            return false;
        }
        return inner_->seek(offset);
    }

    ErrorCode error() const override { return error_ != kErrorSuccess ? error_ : inner_->error(); }
    FileFacts facts() const override { return owner_.factsOf(path_, inner_->facts()); }

  private:
    FaultyFileSystem& owner_;
    std::string path_;
    std::unique_ptr<InputFile> inner_;
    ErrorCode error_ = kErrorSuccess;
};

// A failed write writes nothing, so the bytes of earlier writes stay as a
// partly written file.
class FaultyOutputFile : public OutputFile {
  public:
    FaultyOutputFile(FaultyFileSystem& owner, std::string path, std::unique_ptr<OutputFile> inner)
        : owner_(owner), path_(std::move(path)), inner_(std::move(inner)) {}

    bool write(const void* data, size_t size) override {
        if (auto fault = owner_.enter(FsCall::Write, path_)) return fail(*fault);
        return inner_->write(data, size);
    }

    bool flush() override {
        if (auto fault = owner_.enter(FsCall::Flush, path_)) return fail(*fault);
        return inner_->flush();
    }

    bool close() override {
        const bool closed = inner_->close();
        if (auto fault = owner_.enter(FsCall::Close, path_)) return fail(*fault);
        return closed;
    }

    ErrorCode error() const override { return error_ != kErrorSuccess ? error_ : inner_->error(); }

  private:
    bool fail(ErrorCode error) {
        error_ = error;
        return false;
    }

    FaultyFileSystem& owner_;
    std::string path_;
    std::unique_ptr<OutputFile> inner_;
    ErrorCode error_ = kErrorSuccess;
};

}  // namespace

const char* fsCallName(FsCall call) {
    switch (call) {
        case FsCall::ListDirectory:
            return "listDirectory";
        case FsCall::OpenRead:
            return "openRead";
        case FsCall::Read:
            return "read";
        case FsCall::Seek:
            return "seek";
        case FsCall::OpenWrite:
            return "openWrite";
        case FsCall::Write:
            return "write";
        case FsCall::Flush:
            return "flush";
        case FsCall::Close:
            return "close";
        case FsCall::RenameReplace:
            return "renameReplace";
        case FsCall::RemoveFile:
            return "removeFile";
        case FsCall::CreateDirectory:
            return "createDirectory";
        case FsCall::CopyFile:
            return "copyFile";
        case FsCall::MoveFile:
            return "moveFile";
        case FsCall::MoveFileReplace:
            return "moveFile(replace)";
        case FsCall::FreeSpace:
            return "freeSpace";
        case FsCall::SetPermissions:
            return "setPermissions";
    }
    return "?";
}

void FaultyFileSystem::addRule(FaultRule rule) {
    rules_.push_back(ActiveRule{std::move(rule), 0});
}

void FaultyFileSystem::failPath(FsCall call, const std::string& path, ErrorCode error) {
    FaultRule rule;
    rule.call = call;
    rule.path = path;
    rule.error = error;
    addRule(std::move(rule));
}

void FaultyFileSystem::failSuffix(FsCall call, const std::string& suffix, ErrorCode error) {
    FaultRule rule;
    rule.call = call;
    rule.path = suffix;
    rule.matchSuffix = true;
    rule.error = error;
    addRule(std::move(rule));
}

void FaultyFileSystem::failAfter(FsCall call, int successes, ErrorCode error) {
    FaultRule rule;
    rule.call = call;
    rule.skip = successes;
    rule.error = error;
    addRule(std::move(rule));
}

int FaultyFileSystem::callCount(FsCall call) const {
    int count = 0;
    for (const auto& [kind, path] : calls_) count += kind == call ? 1 : 0;
    return count;
}

int FaultyFileSystem::callCount(FsCall call, const std::string& path) const {
    int count = 0;
    for (const auto& [kind, calledPath] : calls_) count += kind == call && calledPath == path;
    return count;
}

std::optional<ErrorCode> FaultyFileSystem::enter(FsCall call, const std::string& path) {
    calls_.emplace_back(call, path);
    // Every matching rule counts the call, so rules stay independent; the
    // first one that fails it decides the error.
    std::optional<ErrorCode> fault;
    for (ActiveRule& active : rules_) {
        if (active.rule.call != call || !pathMatches(active.rule, path)) continue;
        const int index = active.matched++;
        const bool failing =
            index >= active.rule.skip &&
            (active.rule.times < 0 || index < active.rule.skip + active.rule.times);
        if (failing && !fault) fault = active.rule.error;
    }
    return fault;
}

ErrorCode FaultyFileSystem::listDirectory(const std::string& path,
                                          std::vector<DirectoryEntry>& entries) {
    entries.clear();
    if (auto fault = enter(FsCall::ListDirectory, path)) return *fault;
    const ErrorCode error = inner_.listDirectory(path, entries);
    if (error == kErrorSuccess && listingHook_) listingHook_(path, entries);
    return error;
}

std::unique_ptr<InputFile> FaultyFileSystem::openRead(const std::string& path, ErrorCode& error) {
    if (auto fault = enter(FsCall::OpenRead, path)) {
        error = *fault;
        return nullptr;
    }
    std::unique_ptr<InputFile> inner = inner_.openRead(path, error);
    if (!inner) return nullptr;
    return std::make_unique<FaultyInputFile>(*this, path, std::move(inner));
}

std::unique_ptr<InputFile> FaultyFileSystem::openListedFile(const std::string& path,
                                                            const DirectoryEntry& entry,
                                                            ErrorCode& error) {
    if (auto fault = enter(FsCall::OpenRead, path)) {
        error = *fault;
        return nullptr;
    }
    std::unique_ptr<InputFile> inner = inner_.openListedFile(path, entry, error);
    if (!inner) return nullptr;
    return std::make_unique<FaultyInputFile>(*this, path, std::move(inner));
}

FileFacts FaultyFileSystem::factsOf(const std::string& path, FileFacts facts) const {
    if (factsHook_) factsHook_(path, facts);
    return facts;
}

std::unique_ptr<OutputFile> FaultyFileSystem::openWrite(const std::string& path, CreateMode mode,
                                                        ErrorCode& error) {
    if (auto fault = enter(FsCall::OpenWrite, path)) {
        error = *fault;
        return nullptr;
    }
    std::unique_ptr<OutputFile> inner = inner_.openWrite(path, mode, error);
    if (!inner) return nullptr;
    return std::make_unique<FaultyOutputFile>(*this, path, std::move(inner));
}

ErrorCode FaultyFileSystem::renameReplace(const std::string& from, const std::string& to) {
    if (auto fault = enter(FsCall::RenameReplace, from)) return *fault;
    return inner_.renameReplace(from, to);
}

ErrorCode FaultyFileSystem::removeFile(const std::string& path) {
    if (auto fault = enter(FsCall::RemoveFile, path)) return *fault;
    return inner_.removeFile(path);
}

ErrorCode FaultyFileSystem::createDirectory(const std::string& path) {
    if (auto fault = enter(FsCall::CreateDirectory, path)) return *fault;
    return inner_.createDirectory(path);
}

ErrorCode FaultyFileSystem::copyFile(const std::string& source, const std::string& target,
                                     bool failIfExists) {
    if (auto fault = enter(FsCall::CopyFile, source)) return *fault;
    if (transferHook_) {
        if (auto fault = transferHook_(FsCall::CopyFile, source, target)) return *fault;
    }
    return inner_.copyFile(source, target, failIfExists);
}

ErrorCode FaultyFileSystem::moveFile(const std::string& source, const std::string& target,
                                     unsigned flags) {
    const FsCall call =
        (flags & kMoveReplaceExisting) != 0 ? FsCall::MoveFileReplace : FsCall::MoveFile;
    if (auto fault = enter(call, source)) return *fault;
    if (transferHook_) {
        if (auto fault = transferHook_(call, source, target)) return *fault;
    }
    return inner_.moveFile(source, target, flags);
}

ErrorCode FaultyFileSystem::freeSpace(const std::string& path, uint64_t& freeBytes) {
    freeBytes = 0;
    if (auto fault = enter(FsCall::FreeSpace, path)) return *fault;
    if (freeBytes_) {
        freeBytes = *freeBytes_;
        return kErrorSuccess;
    }
    return inner_.freeSpace(path, freeBytes);
}

std::string FaultyFileSystem::driveOf(const std::string& path) {
    return driveHook_ ? driveHook_(path) : inner_.driveOf(path);
}

bool FaultyFileSystem::identify(const std::string& path, FileIdentity& identity) {
    return inner_.identify(path, identity);
}

std::string FaultyFileSystem::resolveLinks(const std::string& path) {
    return inner_.resolveLinks(path);
}

bool FaultyFileSystem::fileStatus(const std::string& path, FileStatus& status) {
    return inner_.fileStatus(path, status);
}

ErrorCode FaultyFileSystem::setPermissions(const std::string& path, uint32_t permissions) {
    if (auto fault = enter(FsCall::SetPermissions, path)) return *fault;
    return inner_.setPermissions(path, permissions);
}

}  // namespace lumora::test
