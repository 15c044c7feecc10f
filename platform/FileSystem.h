#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/WindowsError.h"

namespace lumora {

// Paths are joined with the separator of the system the build is for.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// One name in a folder and what kind of thing it is. Sizes and times are not
// listed: they come from the file once it is open (see InputFile::facts), so
// a listing costs no look at each file.
struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
    // A symbolic link to a folder: listed as a folder, but never descended
    // into, so that a link back up the tree cannot make a walk endless.
    bool isSymbolicLink = false;
    // A FIFO, socket or device (or a link to one): neither a folder nor a
    // file that can be read. Such a name is never opened.
    bool isSpecialFile = false;

    bool operator==(const DirectoryEntry&) const = default;
};

// What an open file says of itself, asked once when it was opened.
struct FileFacts {
    uint64_t size = 0;
    // FILETIME, UTC: the birth time where the file system records it, else
    // the modification time.
    uint64_t creationTime = 0;
};

// Which file a path reaches, links followed: two paths with equal identities
// name the same file or folder, however their texts differ.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

// What replacing a file must respect and keep of the file that is there.
struct FileStatus {
    // The file may be changed: its owner may write it (what Windows shows as
    // the read-only attribute being clear, which holds for every user, root
    // too) and the caller has write access to it.
    bool writable = false;
    uint32_t permissions = 0;  // its permission bits (07777)
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
    // The size and creation time of the file as it was when opened.
    virtual FileFacts facts() const = 0;
};

// A file open for writing, from its start. Closing without close() (when the
// object goes) drops any failure unseen, so writers that care call close().
class OutputFile {
  public:
    virtual ~OutputFile() = default;
    // Writes all size bytes; false with error() set when not all were written.
    virtual bool write(const void* data, size_t size) = 0;
    // Hands the written bytes to the disk, so that they survive a crash
    // before anything (a rename) relies on them.
    virtual bool flush() = 0;
    // False with error() set when closing reported a failure; the file is
    // closed either way, and later writes fail.
    virtual bool close() = 0;
    virtual ErrorCode error() const = 0;
};

enum class CreateMode {
    Always,  // truncates an existing file
    New,     // fails with kErrorFileExists when the file exists
    Append,  // keeps an existing file's bytes and writes after them; creates a missing one
};

// What tells one version of a file from another: which file it is and its
// size and modification time. A file edited, or another file put in its
// place, has a different stamp.
struct FileStamp {
    FileIdentity identity;
    uint64_t size = 0;
    int64_t modifiedNs = 0;  // nanoseconds since 1970-01-01 UTC

    bool operator==(const FileStamp&) const = default;
};

// Flags of FileSystem::moveFile, with the meanings of the Windows move flags.
inline constexpr unsigned kMoveReplaceExisting = 1;
inline constexpr unsigned kMoveCopyAllowed = 2;
// The "drive" of a path whose volume cannot be found.
inline constexpr const char* kNoDrive = "NONE";

// Everything that touches the disk goes through a FileSystem, so that tests
// can make any call fail. Failures give Windows error codes.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // The entries of a folder without "." and "..", in the order NTFS lists
    // them (see sortDirectoryEntries). A symbolic link is listed as what it
    // points at; one that points nowhere is left out. A folder that cannot be
    // read gives an error and no entries.
    virtual ErrorCode listDirectory(const std::string& path,
                                    std::vector<DirectoryEntry>& entries) = 0;

    // Null with the error set when the file cannot be opened. Only regular
    // files open: a folder, FIFO or device fails with kErrorAccessDenied at
    // once, never waiting for a writer.
    virtual std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) = 0;

    // As openRead, for a name that listDirectory has just given as entry:
    // the listing already told what it is, so a folder, FIFO, socket or
    // device fails at once, untouched, and any other name is opened without
    // a look first. What was opened is judged all the same: a name replaced
    // by a FIFO since the listing is refused, never waited on.
    virtual std::unique_ptr<InputFile> openListedFile(const std::string& path,
                                                      const DirectoryEntry& entry,
                                                      ErrorCode& error) = 0;

    // Null with the error set when the file cannot be created or opened. An
    // existing name that is no regular file fails as in openRead.
    virtual std::unique_ptr<OutputFile> openWrite(const std::string& path, CreateMode mode,
                                                  ErrorCode& error) = 0;

    // Renames a file within one volume, replacing an existing file of the new
    // name in one step: a reader sees the old file or the new one, never a mix.
    virtual ErrorCode renameReplace(const std::string& from, const std::string& to) = 0;

    virtual ErrorCode removeFile(const std::string& path) = 0;

    // Creates one folder; its parent must exist. A folder or file of that
    // name already there fails with kErrorAlreadyExists.
    virtual ErrorCode createDirectory(const std::string& path) = 0;

    // Removes a folder only when it is empty; one that holds anything stays
    // and the call fails. File systems that cannot do it leave every folder.
    virtual ErrorCode removeEmptyDirectory(const std::string&) { return kErrorAccessDenied; }

    // Copies the bytes and the modification time. The copy is written under a
    // temporary name beside the target and renamed into place, so the target
    // name never holds a partial copy. With failIfExists an existing target
    // fails with kErrorFileExists and is left untouched.
    virtual ErrorCode copyFile(const std::string& source, const std::string& target,
                               bool failIfExists) = 0;

    // Moves a file (flags: kMoveReplaceExisting, kMoveCopyAllowed). Without
    // kMoveReplaceExisting an existing target fails with kErrorAlreadyExists
    // and is left untouched. Onto another volume the move fails with
    // kErrorNotSameDevice unless kMoveCopyAllowed is given; then the file is
    // copied, flushed and checked before the source is removed.
    virtual ErrorCode moveFile(const std::string& source, const std::string& target,
                               unsigned flags) = 0;

    // The bytes available to the caller on the volume that holds path.
    virtual ErrorCode freeSpace(const std::string& path, uint64_t& freeBytes) = 0;

    // The volume that holds the path (or its nearest existing parent): its
    // mount point, or "NONE" when none can be found.
    virtual std::string driveOf(const std::string& path) = 0;

    // The identity of the file or folder at path, links followed; false when
    // nothing is there.
    virtual bool identify(const std::string& path, FileIdentity& identity) = 0;

    // The name a write to path reaches: while the name is a symbolic link it
    // is replaced by the link's target (a relative target read from the
    // link's folder). The last name need not exist. A loop of links ends
    // after a fixed number of steps, on a link that then fails to open.
    virtual std::string resolveLinks(const std::string& path) = 0;

    // The stamp of the file at path, links not followed; false when nothing
    // is there or it is no regular file. File systems that cannot tell give
    // false.
    virtual bool stamp(const std::string&, FileStamp&) { return false; }

    // The status of the file at path, links followed; false when nothing is
    // there.
    virtual bool fileStatus(const std::string& path, FileStatus& status) = 0;

    // Sets the permission bits (07777) of the file at path.
    virtual ErrorCode setPermissions(const std::string& path, uint32_t permissions) = 0;
};

// The file system of the machine.
FileSystem& realFileSystem();

// Names ordered with ASCII letters upper-cased, ties by the names' bytes.
void sortDirectoryEntries(std::vector<DirectoryEntry>& entries);

// The "*.jpg" pattern of a directory search: names ending in ".jpg" in any
// letter case.
bool matchesJpgPattern(const std::string& name);

std::string joinPath(const std::string& directory, const std::string& name);

// Whether c separates the names of a path: kPathSeparator, and on Windows,
// which takes both, '/' as well.
bool isPathSeparator(char c);
// Where the last separator of path is, or std::string::npos.
size_t lastPathSeparator(const std::string& path);
// The folder that holds path: "." for a bare name, the root for a name in it.
std::string parentFolderOf(const std::string& path);
// The path from the root, the same from every current folder: a relative
// one is taken from the current folder. On Windows the system completes it
// (the drive of "\\pictures" or "C:pictures", "." and ".." resolved, every
// separator a backslash).
std::string fullPath(const std::string& path);

// Whether two paths reach the same file or folder; paths that reach nothing
// are compared as texts.
bool sameFile(FileSystem& fileSystem, const std::string& a, const std::string& b);

// Whether a name is one that copies and moves give their unfinished files
// and that no running program of ours is still writing: a leftover of an
// interrupted run, safe to remove.
bool isLeftoverTemporaryName(const std::string& name);

// Reads size bytes at offset; false (with error set) unless all were read.
bool readFileRange(FileSystem& fileSystem, const std::string& path, uint64_t offset, size_t size,
                   std::vector<uint8_t>& bytes, ErrorCode& error);

}  // namespace lumora
