#include "fuzz/MemoryFileSystem.h"

#include <algorithm>
#include <cstring>

namespace lumora {

size_t MemoryInputFile::read(void* buffer, size_t size) {
    if (position_ >= size_) return 0;
    const size_t count = std::min<uint64_t>(size, size_ - position_);
    std::memcpy(buffer, data_ + position_, count);
    position_ += count;
    return count;
}

bool MemoryInputFile::seek(uint64_t offset) {
    position_ = offset;
    return true;
}

ErrorCode MemoryFileSystem::listDirectory(const std::string&,
                                          std::vector<DirectoryEntry>& entries) {
    entries.clear();
    return kErrorAccessDenied;
}

std::unique_ptr<InputFile> MemoryFileSystem::openRead(const std::string& path, ErrorCode& error) {
    if (path != path_) {
        error = kErrorFileNotFound;
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<MemoryInputFile>(data_, size_);
}

std::unique_ptr<InputFile> MemoryFileSystem::openListedFile(const std::string& path,
                                                            const DirectoryEntry&,
                                                            ErrorCode& error) {
    return openRead(path, error);
}

std::unique_ptr<OutputFile> MemoryFileSystem::openWrite(const std::string&, CreateMode,
                                                        ErrorCode& error) {
    error = kErrorAccessDenied;
    return nullptr;
}

ErrorCode MemoryFileSystem::renameReplace(const std::string&, const std::string&) {
    return kErrorAccessDenied;
}

ErrorCode MemoryFileSystem::removeFile(const std::string&) {
    return kErrorAccessDenied;
}

ErrorCode MemoryFileSystem::createDirectory(const std::string&) {
    return kErrorAccessDenied;
}

ErrorCode MemoryFileSystem::copyFile(const std::string&, const std::string&, bool) {
    return kErrorAccessDenied;
}

ErrorCode MemoryFileSystem::moveFile(const std::string&, const std::string&, unsigned) {
    return kErrorAccessDenied;
}

ErrorCode MemoryFileSystem::freeSpace(const std::string&, uint64_t& freeBytes) {
    freeBytes = 0;
    return kErrorAccessDenied;
}

std::string MemoryFileSystem::driveOf(const std::string&) {
    return kNoDrive;
}

bool MemoryFileSystem::identify(const std::string& path, FileIdentity& identity) {
    if (path != path_) return false;
    identity = FileIdentity{1, 1};
    return true;
}

std::string MemoryFileSystem::resolveLinks(const std::string& path) {
    return path;
}

// The one file can be read, not changed.
bool MemoryFileSystem::fileStatus(const std::string& path, FileStatus& status) {
    if (path != path_) return false;
    status = FileStatus{false, 0444};
    return true;
}

ErrorCode MemoryFileSystem::setPermissions(const std::string&, uint32_t) {
    return kErrorAccessDenied;
}

}  // namespace lumora
