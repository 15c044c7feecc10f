#include "cli/FailureWatch.h"

#include "cli/ErrorWords.h"

namespace lumora::cli {

std::string describeFailure(const FailedCall& call) {
    const std::string why = describeError(call.error);
    switch (call.kind) {
        case FailedCall::Kind::ListFolder:
            return call.path + ": cannot read the folder: " + why;
        case FailedCall::Kind::ReadFile:
            return call.path + ": cannot read the file: " + why;
        case FailedCall::Kind::WriteFile:
            return call.path + ": cannot write the file: " + why;
        case FailedCall::Kind::MakeFolder:
            return call.path + ": cannot create the folder: " + why;
        case FailedCall::Kind::Copy:
            return "cannot copy " + call.path + " to " + call.target + ": " + why;
        case FailedCall::Kind::Move:
            return "cannot move " + call.path + " to " + call.target + ": " + why;
        case FailedCall::Kind::FreeSpace:
            return call.path + ": cannot find the free space of its disk: " + why;
        case FailedCall::Kind::Other:
            break;
    }
    return call.path + ": " + why;
}

bool isAlreadyThere(const FailedCall& call) {
    return call.error == kErrorFileExists || call.error == kErrorAlreadyExists;
}

std::optional<FailedCall> FailureWatch::takeLastFailure() {
    std::optional<FailedCall> failure = std::move(last_);
    last_.reset();
    return failure;
}

ErrorCode FailureWatch::note(ErrorCode error, FailedCall::Kind kind, const std::string& path,
                             const std::string& target) {
    if (error != kErrorSuccess) last_ = FailedCall{kind, path, target, error};
    return error;
}

ErrorCode FailureWatch::listDirectory(const std::string& path,
                                      std::vector<DirectoryEntry>& entries) {
    const ErrorCode error = inner_.listDirectory(path, entries);
    if (error != kErrorSuccess && listingFailure_) {
        listingFailure_(FailedCall{FailedCall::Kind::ListFolder, path, std::string(), error});
    }
    return note(error, FailedCall::Kind::ListFolder, path);
}

std::unique_ptr<InputFile> FailureWatch::openRead(const std::string& path, ErrorCode& error) {
    return noteOpened(inner_.openRead(path, error), path, error);
}

std::unique_ptr<InputFile> FailureWatch::openListedFile(const std::string& path,
                                                        const DirectoryEntry& entry,
                                                        ErrorCode& error) {
    return noteOpened(inner_.openListedFile(path, entry, error), path, error);
}

std::unique_ptr<InputFile> FailureWatch::noteOpened(std::unique_ptr<InputFile> file,
                                                    const std::string& path, ErrorCode error) {
    if (!file) {
        note(error, FailedCall::Kind::ReadFile, path);
        unreadable_.insert(path);
    }
    return file;
}

std::unique_ptr<OutputFile> FailureWatch::openWrite(const std::string& path, CreateMode mode,
                                                    ErrorCode& error) {
    auto file = inner_.openWrite(path, mode, error);
    if (!file) note(error, FailedCall::Kind::WriteFile, path);
    return file;
}

ErrorCode FailureWatch::renameReplace(const std::string& from, const std::string& to) {
    return note(inner_.renameReplace(from, to), FailedCall::Kind::Move, from, to);
}

ErrorCode FailureWatch::removeFile(const std::string& path) {
    return note(inner_.removeFile(path), FailedCall::Kind::Other, path);
}

ErrorCode FailureWatch::createDirectory(const std::string& path) {
    return note(inner_.createDirectory(path), FailedCall::Kind::MakeFolder, path);
}

ErrorCode FailureWatch::copyFile(const std::string& source, const std::string& target,
                                 bool failIfExists) {
    return note(inner_.copyFile(source, target, failIfExists), FailedCall::Kind::Copy, source,
                target);
}

ErrorCode FailureWatch::moveFile(const std::string& source, const std::string& target,
                                 unsigned flags) {
    return note(inner_.moveFile(source, target, flags), FailedCall::Kind::Move, source, target);
}

ErrorCode FailureWatch::freeSpace(const std::string& path, uint64_t& freeBytes) {
    return note(inner_.freeSpace(path, freeBytes), FailedCall::Kind::FreeSpace, path);
}

ErrorCode FailureWatch::setPermissions(const std::string& path, uint32_t permissions) {
    return note(inner_.setPermissions(path, permissions), FailedCall::Kind::Other, path);
}

}  // namespace lumora::cli
