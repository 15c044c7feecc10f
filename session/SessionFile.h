#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora {

// Larger files are not session files of this program (a million pictures
// take 280 MB) and are refused before they fill the memory.
inline constexpr size_t kMaxSessionFileBytes = size_t{1} << 30;

// Reads the whole file. False with error set when it cannot be opened or
// read, or when it is larger than maxBytes (kErrorNotEnoughMemory).
bool readWholeFile(FileSystem& fileSystem, const std::string& path, std::vector<uint8_t>& bytes,
                   ErrorCode& error, size_t maxBytes = kMaxSessionFileBytes);

// Writes a file so that a failure never leaves a half-written file under its
// name: the bytes go to a new file beside it, are flushed, and the new file
// is renamed over the old one. On failure the temporary file is removed, the
// old file is as it was, and error says what failed.
//
// A symbolic link is followed: the file it leads to is replaced and the link
// stays. An existing file that may not be written (see FileStatus) is refused
// with kErrorAccessDenied before anything is created; otherwise its
// replacement gets its permission bits, set before any byte is written.
class ReplacingFileWriter {
  public:
    ReplacingFileWriter(FileSystem& fileSystem, std::string path);
    ReplacingFileWriter(const ReplacingFileWriter&) = delete;
    ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;
    // Removes the temporary file when commit was not reached.
    ~ReplacingFileWriter();

    // Creates the temporary file; false when it cannot be created.
    bool open();
    // Writes, flushes, closes and renames into place.
    bool commit(const std::vector<uint8_t>& bytes);

    ErrorCode error() const { return error_; }
    // The file that is replaced: the path with its links followed.
    const std::string& targetPath() const { return targetPath_; }
    const std::string& temporaryPath() const { return temporaryPath_; }

  private:
    bool fail(ErrorCode error);
    bool createTemporary();

    FileSystem& fileSystem_;
    std::string path_;
    std::string targetPath_;
    std::string temporaryPath_;
    std::unique_ptr<OutputFile> file_;
    bool committed_ = false;
    ErrorCode error_ = kErrorSuccess;
};

}  // namespace lumora
