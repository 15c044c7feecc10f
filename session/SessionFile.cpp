#include "session/SessionFile.h"

#include <algorithm>

namespace lumora {
namespace {

constexpr size_t kReadChunkBytes = 64 * 1024;
constexpr size_t kWriteChunkBytes = 64 * 1024;
// Names tried for the temporary file before giving up; one is taken only
// when an earlier save was interrupted or two saves run at once.
constexpr int kTemporaryNames = 100;

std::string temporaryName(const std::string& path, int attempt) {
    std::string name = path + ".saving";
    if (attempt > 0) name += std::to_string(attempt);
    return name;
}

}  // namespace

bool readWholeFile(FileSystem& fileSystem, const std::string& path, std::vector<uint8_t>& bytes,
                   ErrorCode& error, size_t maxBytes) {
    bytes.clear();
    auto file = fileSystem.openRead(path, error);
    if (!file) return false;
    // Grows with what is actually read, never with what a size claims.
    std::vector<uint8_t> content;
    for (;;) {
        const size_t at = content.size();
        if (at > maxBytes) {
            error = kErrorNotEnoughMemory;
            return false;
        }
        content.resize(at + kReadChunkBytes);
        const size_t got = file->read(content.data() + at, kReadChunkBytes);
        content.resize(at + got);
        if (file->error() != kErrorSuccess) {
            error = file->error();
            return false;
        }
        if (got < kReadChunkBytes) break;
    }
    if (content.size() > maxBytes) {
        error = kErrorNotEnoughMemory;
        return false;
    }
    bytes = std::move(content);
    error = kErrorSuccess;
    return true;
}

ReplacingFileWriter::ReplacingFileWriter(FileSystem& fileSystem, std::string path)
    : fileSystem_(fileSystem), path_(std::move(path)) {}

ReplacingFileWriter::~ReplacingFileWriter() {
    if (committed_ || temporaryPath_.empty()) return;
    file_.reset();
    fileSystem_.removeFile(temporaryPath_);
}

bool ReplacingFileWriter::fail(ErrorCode error) {
    error_ = error != kErrorSuccess ? error : kErrorWriteFault;
    return false;
}

bool ReplacingFileWriter::open() {
    targetPath_ = fileSystem_.resolveLinks(path_);
    FileStatus existing;
    const bool exists = fileSystem_.fileStatus(targetPath_, existing);
    if (exists && !existing.writable) return fail(kErrorAccessDenied);
    if (!createTemporary()) return false;
    if (exists) {
        if (ErrorCode error = fileSystem_.setPermissions(temporaryPath_, existing.permissions);
            error != kErrorSuccess) {
            file_.reset();  // the destructor removes the temporary file
            return fail(error);
        }
    }
    return true;
}

bool ReplacingFileWriter::createTemporary() {
    for (int attempt = 0; attempt < kTemporaryNames; ++attempt) {
        const std::string name = temporaryName(targetPath_, attempt);
        ErrorCode error = kErrorSuccess;
        file_ = fileSystem_.openWrite(name, CreateMode::New, error);
        if (file_) {
            temporaryPath_ = name;
            return true;
        }
        if (error != kErrorFileExists) return fail(error);
    }
    return fail(kErrorFileExists);
}

bool ReplacingFileWriter::commit(const std::vector<uint8_t>& bytes) {
    if (!file_) return fail(error_);
    for (size_t at = 0; at < bytes.size(); at += kWriteChunkBytes) {
        const size_t size = std::min(kWriteChunkBytes, bytes.size() - at);
        if (!file_->write(bytes.data() + at, size)) return fail(file_->error());
    }
    if (!file_->flush()) return fail(file_->error());
    if (!file_->close()) return fail(file_->error());
    file_.reset();
    if (ErrorCode error = fileSystem_.renameReplace(temporaryPath_, targetPath_);
        error != kErrorSuccess) {
        return fail(error);
    }
    committed_ = true;
    return true;
}

}  // namespace lumora
