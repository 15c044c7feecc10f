#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>

#include "platform/FileSystem.h"

namespace lumora::cli {

// One call of the file system that failed.
struct FailedCall {
    enum class Kind { ListFolder, ReadFile, WriteFile, MakeFolder, Copy, Move, FreeSpace, Other };
    Kind kind = Kind::Other;
    std::string path;    // the file or folder, or the source of a copy or move
    std::string target;  // the target of a copy or move
    ErrorCode error = kErrorSuccess;
};

// The failure in one line of words that names the file and folder it is
// about: "cannot copy A to B: read-only file system".
std::string describeFailure(const FailedCall& call);

// Whether the failure only says that something of the name is already
// there, which the program's own question says itself.
bool isAlreadyThere(const FailedCall& call);

// Passes every call on to a file system and keeps the last one that failed,
// so that the terminal can say which file a question of the program is
// about and why, in words. The program reports each failure right after the
// call that failed, so the last failure is the one a question is about.
class FailureWatch : public FileSystem {
  public:
    explicit FailureWatch(FileSystem& inner) : inner_(inner) {}

    // The last failure not taken yet; taking it forgets it.
    std::optional<FailedCall> takeLastFailure();
    // Every file that could not be opened for reading.
    const std::set<std::string>& unreadableFiles() const { return unreadable_; }
    // Called at once for every folder that cannot be listed, while set: a
    // scan leaves such a folder out without a question.
    void setListingFailureHandler(std::function<void(const FailedCall&)> handler) {
        listingFailure_ = std::move(handler);
    }

    ErrorCode listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override;
    std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) override;
    std::unique_ptr<InputFile> openListedFile(const std::string& path, const DirectoryEntry& entry,
                                              ErrorCode& error) override;
    std::unique_ptr<OutputFile> openWrite(const std::string& path, CreateMode mode,
                                          ErrorCode& error) override;
    ErrorCode renameReplace(const std::string& from, const std::string& to) override;
    ErrorCode removeFile(const std::string& path) override;
    ErrorCode createDirectory(const std::string& path) override;
    ErrorCode removeEmptyDirectory(const std::string& path) override {
        return inner_.removeEmptyDirectory(path);
    }
    ErrorCode copyFile(const std::string& source, const std::string& target,
                       bool failIfExists) override;
    ErrorCode moveFile(const std::string& source, const std::string& target,
                       unsigned flags) override;
    ErrorCode freeSpace(const std::string& path, uint64_t& freeBytes) override;
    std::string driveOf(const std::string& path) override { return inner_.driveOf(path); }
    bool identify(const std::string& path, FileIdentity& identity) override {
        return inner_.identify(path, identity);
    }
    std::string resolveLinks(const std::string& path) override { return inner_.resolveLinks(path); }
    bool stamp(const std::string& path, FileStamp& stamp) override {
        return inner_.stamp(path, stamp);
    }
    bool fileStatus(const std::string& path, FileStatus& status) override {
        return inner_.fileStatus(path, status);
    }
    ErrorCode setPermissions(const std::string& path, uint32_t permissions) override;

  private:
    ErrorCode note(ErrorCode error, FailedCall::Kind kind, const std::string& path,
                   const std::string& target = std::string());
    std::unique_ptr<InputFile> noteOpened(std::unique_ptr<InputFile> file, const std::string& path,
                                          ErrorCode error);

    FileSystem& inner_;
    std::optional<FailedCall> last_;
    std::set<std::string> unreadable_;
    std::function<void(const FailedCall&)> listingFailure_;
};

}  // namespace lumora::cli
