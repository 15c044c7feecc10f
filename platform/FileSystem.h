#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowsError.h"

namespace lumora {

inline constexpr char kPathSeparator = '/';

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    // A symbolic link to a folder: listed as a folder, but never descended
    // into, so that a link back up the tree cannot make a walk endless.
    bool isSymbolicLink = false;
    uint64_t size = 0;
    // FILETIME, UTC: the birth time where the file system records it, else
    // the modification time.
    uint64_t creationTime = 0;

    bool operator==(const DirectoryEntry&) const = default;
};

// A file open for reading. Reads are sequential from the start unless seek
// moves the position.
class InputFile {
public:
    virtual ~InputFile() = default;
    // Reads up to size bytes; returns how many were read. A short count means
    // the end of the file, or a failure when error() is not 0.
    virtual size_t read(void* buffer, size_t size) = 0;
    virtual bool seek(uint64_t offset) = 0;
    virtual ErrorCode error() const = 0;
};

// Everything that touches the disk goes through a FileSystem, so that tests
// can make any call fail. Failures give Windows error codes.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The entries of a folder without "." and "..", in the order NTFS lists
    // them (see sortDirectoryEntries). A folder that cannot be read gives an
    // error and no entries.
    virtual ErrorCode listDirectory(const std::string& path,
                                    std::vector<DirectoryEntry>& entries) = 0;

    // Null with the error set when the file cannot be opened.
    virtual std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) = 0;
};

// The file system of the machine.
FileSystem& realFileSystem();

// Names ordered with ASCII letters upper-cased, ties by the names' bytes.
void sortDirectoryEntries(std::vector<DirectoryEntry>& entries);

// The "*.jpg" pattern of a directory search: names ending in ".jpg" in any
// letter case.
bool matchesJpgPattern(const std::string& name);

std::string joinPath(const std::string& directory, const std::string& name);

// Reads size bytes at offset; false (with error set) unless all were read.
bool readFileRange(FileSystem& fileSystem, const std::string& path, uint64_t offset, size_t size,
                   std::vector<uint8_t>& bytes, ErrorCode& error);

}  // namespace lumora
