#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora {

// A file held in memory, read the way the disk one is: short reads at the
// end, seeks anywhere (a seek past the end succeeds and the next read gives
// nothing, as on the disk).
class MemoryInputFile final : public InputFile {
  public:
    MemoryInputFile(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    size_t read(void* buffer, size_t size) override;
    bool seek(uint64_t offset) override;
    ErrorCode error() const override { return kErrorSuccess; }
    FileFacts facts() const override { return FileFacts{size_, 0}; }

  private:
    const uint8_t* data_;
    size_t size_;
    uint64_t position_ = 0;
};

// A read-only file system of one file, so that the readers of whole pictures
// (the scan, the thumbnail routine) can be driven from bytes in memory. Every
// other call fails with access denied.
class MemoryFileSystem final : public FileSystem {
  public:
    MemoryFileSystem(std::string path, const uint8_t* data, size_t size)
        : path_(std::move(path)), data_(data), size_(size) {}

    ErrorCode listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override;
    std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) override;
    std::unique_ptr<InputFile> openListedFile(const std::string& path, const DirectoryEntry& entry,
                                              ErrorCode& error) override;
    std::unique_ptr<OutputFile> openWrite(const std::string& path, CreateMode mode,
                                          ErrorCode& error) override;
    ErrorCode renameReplace(const std::string& from, const std::string& to) override;
    ErrorCode removeFile(const std::string& path) override;
    ErrorCode createDirectory(const std::string& path) override;
    ErrorCode copyFile(const std::string& source, const std::string& target,
                       bool failIfExists) override;
    ErrorCode moveFile(const std::string& source, const std::string& target,
                       unsigned flags) override;
    ErrorCode freeSpace(const std::string& path, uint64_t& freeBytes) override;
    std::string driveOf(const std::string& path) override;
    bool identify(const std::string& path, FileIdentity& identity) override;
    std::string resolveLinks(const std::string& path) override;
    bool fileStatus(const std::string& path, FileStatus& status) override;
    ErrorCode setPermissions(const std::string& path, uint32_t permissions) override;

  private:
    std::string path_;
    const uint8_t* data_;
    size_t size_;
};

}  // namespace lumora
