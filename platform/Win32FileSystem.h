#pragma once

#include "platform/FileSystem.h"

namespace lumora {

// The file system through the Win32 API: wide-character calls, the error
// codes of GetLastError as they come, file identity from the volume serial
// number and the file index.
class Win32FileSystem : public FileSystem {
  public:
    ErrorCode listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override;
    std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) override;
    std::unique_ptr<InputFile> openListedFile(const std::string& path, const DirectoryEntry& entry,
                                              ErrorCode& error) override;
    std::unique_ptr<OutputFile> openWrite(const std::string& path, CreateMode mode,
                                          ErrorCode& error) override;
    ErrorCode renameReplace(const std::string& from, const std::string& to) override;
    ErrorCode removeFile(const std::string& path) override;
    ErrorCode createDirectory(const std::string& path) override;
    ErrorCode removeEmptyDirectory(const std::string& path) override;
    ErrorCode copyFile(const std::string& source, const std::string& target,
                       bool failIfExists) override;
    ErrorCode moveFile(const std::string& source, const std::string& target,
                       unsigned flags) override;
    ErrorCode freeSpace(const std::string& path, uint64_t& freeBytes) override;
    std::string driveOf(const std::string& path) override;
    bool identify(const std::string& path, FileIdentity& identity) override;
    bool stamp(const std::string& path, FileStamp& stamp) override;
    std::string resolveLinks(const std::string& path) override;
    bool fileStatus(const std::string& path, FileStatus& status) override;
    ErrorCode setPermissions(const std::string& path, uint32_t permissions) override;
};

}  // namespace lumora
