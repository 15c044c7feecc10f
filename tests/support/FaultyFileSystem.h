#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora::test {

// The calls a FaultyFileSystem can make fail. Read, Seek, Write, Flush and
// Close are calls on the files it opened.
enum class FsCall {
    ListDirectory,
    OpenRead,  // openRead and openListedFile
    Read,
    Seek,
    OpenWrite,
    Write,
    Flush,
    Close,
    RenameReplace,
    RemoveFile,
    CreateDirectory,
    CopyFile,
    MoveFile,         // a move without kMoveReplaceExisting
    MoveFileReplace,  // a move with kMoveReplaceExisting
    FreeSpace,
    SetPermissions
};

const char* fsCallName(FsCall call);
// Shows a call's name in the messages of failed test assertions.
inline void PrintTo(FsCall call, std::ostream* out) {
    *out << fsCallName(call);
}

// Which calls fail, and with what. A call matches when it is of the rule's
// kind and its path is the rule's (or ends with it, with matchSuffix; an
// empty path matches every path). The first `skip` matching calls succeed,
// the next `times` fail (-1: all of them).
struct FaultRule {
    FsCall call = FsCall::OpenRead;
    std::string path;
    bool matchSuffix = false;
    int skip = 0;
    int times = -1;
    ErrorCode error = kErrorReadFault;
};

// Wraps a file system, passes every call on unless a rule makes it fail, and
// counts the calls. Files it opens must not outlive it.
class FaultyFileSystem : public FileSystem {
  public:
    explicit FaultyFileSystem(FileSystem& inner = realFileSystem()) : inner_(inner) {}

    void addRule(FaultRule rule);
    // Every call of that kind for the path fails.
    void failPath(FsCall call, const std::string& path, ErrorCode error);
    // Every call of that kind whose path ends with the suffix fails.
    void failSuffix(FsCall call, const std::string& suffix, ErrorCode error);
    // The first `successes` calls of that kind succeed, every later one fails.
    void failAfter(FsCall call, int successes, ErrorCode error);
    void clearRules() { rules_.clear(); }

    // Lets a test change what a listing reports (sizes, creation times,
    // order) after the wrapped file system produced it.
    using ListingHook = std::function<void(const std::string& path, std::vector<DirectoryEntry>&)>;
    void setListingHook(ListingHook hook) { listingHook_ = std::move(hook); }
    // Lets a test change what the files it opens say of themselves (sizes,
    // creation times).
    using FactsHook = std::function<void(const std::string& path, FileFacts&)>;
    void setFactsHook(FactsHook hook) { factsHook_ = std::move(hook); }

    int callCount(FsCall call) const;
    int callCount(FsCall call, const std::string& path) const;
    // Every call in order, failed ones included.
    const std::vector<std::pair<FsCall, std::string>>& calls() const { return calls_; }

    ErrorCode listDirectory(const std::string& path, std::vector<DirectoryEntry>& entries) override;
    std::unique_ptr<InputFile> openRead(const std::string& path, ErrorCode& error) override;
    // Recorded and matched as an OpenRead call, like openRead.
    std::unique_ptr<InputFile> openListedFile(const std::string& path, const DirectoryEntry& entry,
                                              ErrorCode& error) override;
    std::unique_ptr<OutputFile> openWrite(const std::string& path, CreateMode mode,
                                          ErrorCode& error) override;
    // A rename is recorded and matched by its source path.
    ErrorCode renameReplace(const std::string& from, const std::string& to) override;
    ErrorCode removeFile(const std::string& path) override;
    ErrorCode createDirectory(const std::string& path) override;
    ErrorCode removeEmptyDirectory(const std::string& path) override {
        return inner_.removeEmptyDirectory(path);
    }
    // Copies and moves are recorded and matched by their source paths.
    ErrorCode copyFile(const std::string& source, const std::string& target,
                       bool failIfExists) override;
    ErrorCode moveFile(const std::string& source, const std::string& target,
                       unsigned flags) override;
    ErrorCode freeSpace(const std::string& path, uint64_t& freeBytes) override;
    std::string driveOf(const std::string& path) override;
    bool identify(const std::string& path, FileIdentity& identity) override;
    std::string resolveLinks(const std::string& path) override;
    bool stamp(const std::string& path, FileStamp& stamp) override {
        return inner_.stamp(path, stamp);
    }
    bool fileStatus(const std::string& path, FileStatus& status) override;
    ErrorCode setPermissions(const std::string& path, uint32_t permissions) override;

    // When set, a free-space query that no rule fails reports this figure.
    void setFreeBytes(std::optional<uint64_t> bytes) { freeBytes_ = bytes; }
    // When set, gives the drive of every path instead of the wrapped file system.
    void setDriveHook(std::function<std::string(const std::string&)> hook) {
        driveHook_ = std::move(hook);
    }
    // Asked before each copy or move that no rule fails; an error it returns
    // fails the call (a full disk, say) without touching the files.
    using TransferHook = std::function<std::optional<ErrorCode>(
        FsCall call, const std::string& source, const std::string& target)>;
    void setTransferHook(TransferHook hook) { transferHook_ = std::move(hook); }

    // Records the call and gives the error it must fail with, if any.
    std::optional<ErrorCode> enter(FsCall call, const std::string& path);
    // The facts of a file it opened, as the facts hook leaves them.
    FileFacts factsOf(const std::string& path, FileFacts facts) const;

  private:
    struct ActiveRule {
        FaultRule rule;
        int matched = 0;
    };

    FileSystem& inner_;
    std::vector<ActiveRule> rules_;
    std::vector<std::pair<FsCall, std::string>> calls_;
    ListingHook listingHook_;
    FactsHook factsHook_;
    std::optional<uint64_t> freeBytes_;
    std::function<std::string(const std::string&)> driveHook_;
    TransferHook transferHook_;
};

}  // namespace lumora::test
