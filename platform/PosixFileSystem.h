#pragma once

#include "platform/FileSystem.h"

namespace lumora {

class PosixFileSystem : public FileSystem {
public:
    ErrorCode listDirectory(const std::string& path,
                            std::vector<DirectoryEntry>& entries) override;
    std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) override;
};

}  // namespace lumora
