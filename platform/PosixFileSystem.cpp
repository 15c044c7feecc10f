#include "platform/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/RegularFile.h"

namespace lumora {
namespace {

bool parentMissing(const std::string& path) {
    const auto slash = path.find_last_of(kPathSeparator);
    if (slash == std::string::npos || slash == 0) return false;
    struct stat st {};
    return ::stat(path.substr(0, slash).c_str(), &st) != 0;
}

// What a listing tells of a name from its type alone. A link, or a name the
// file system lists without a type, is looked at: one statx, links followed.
// False when nothing usable is there (a dangling link, a vanished name).
bool describeEntry(int dirFd, const dirent& item, DirectoryEntry& entry) {
    unsigned char type = item.d_type;
    if (type == DT_UNKNOWN || type == DT_LNK) {
        struct statx own {};
        if (type == DT_UNKNOWN) {
            if (::statx(dirFd, item.d_name, AT_SYMLINK_NOFOLLOW | AT_STATX_SYNC_AS_STAT, STATX_TYPE,
                        &own) != 0) {
                return false;
            }
            entry.isSymbolicLink = S_ISLNK(own.stx_mode);
        } else {
            entry.isSymbolicLink = true;
        }
        struct statx target {};
        if (entry.isSymbolicLink) {
            if (::statx(dirFd, item.d_name, AT_STATX_SYNC_AS_STAT, STATX_TYPE, &target) != 0) {
                return false;
            }
        } else {
            target = own;
        }
        type = IFTODT(target.stx_mode);
    }
    entry.isDirectory = type == DT_DIR;
    // Only a link to a folder is marked: a link to a file is that file.
    if (!entry.isDirectory) entry.isSymbolicLink = false;
    entry.isSpecialFile = !entry.isDirectory && type != DT_REG;
    return true;
}

class PosixInputFile : public InputFile {
  public:
    PosixInputFile(int fd, const FileFacts& facts) : fd_(fd), facts_(facts) {}
    ~PosixInputFile() override { ::close(fd_); }

    size_t read(void* buffer, size_t size) override {
        auto* out = static_cast<char*>(buffer);
        size_t total = 0;
        while (total < size) {
            const ssize_t got = ::read(fd_, out + total, size - total);
            if (got < 0) {
                if (errno == EINTR) continue;
                error_ = errorFromErrno(errno, FileOperation::Read);
                break;
            }
            if (got == 0) break;
            total += static_cast<size_t>(got);
        }
        return total;
    }

    bool seek(uint64_t offset) override {
        if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
            error_ = errorFromErrno(errno, FileOperation::Read);
            return false;
        }
        return true;
    }

    ErrorCode error() const override { return error_; }
    FileFacts facts() const override { return facts_; }

  private:
    int fd_;
    FileFacts facts_;
    ErrorCode error_ = kErrorSuccess;
};

class PosixOutputFile : public OutputFile {
  public:
    explicit PosixOutputFile(int fd) : fd_(fd) {}
    ~PosixOutputFile() override {
        if (fd_ >= 0) ::close(fd_);
    }

    bool write(const void* data, size_t size) override {
        if (fd_ < 0) return fail(EBADF);
        const auto* in = static_cast<const char*>(data);
        size_t total = 0;
        while (total < size) {
            const ssize_t put = ::write(fd_, in + total, size - total);
            if (put < 0) {
                if (errno == EINTR) continue;
                return fail(errno);
            }
            total += static_cast<size_t>(put);
        }
        return true;
    }

    bool flush() override {
        if (fd_ < 0) return fail(EBADF);
        return ::fsync(fd_) == 0 || fail(errno);
    }

    bool close() override {
        if (fd_ < 0) return fail(EBADF);
        const int result = ::close(fd_);
        fd_ = -1;
        // The descriptor is gone even when close reports EINTR: never retry.
        return result == 0 || errno == EINTR || fail(errno);
    }

    ErrorCode error() const override { return error_; }

  private:
    bool fail(int errnoValue) {
        error_ = errorFromErrno(errnoValue, FileOperation::Write);
        return false;
    }

    int fd_;
    ErrorCode error_ = kErrorSuccess;
};

// The file for a descriptor just opened, or null with the error of the open.
std::unique_ptr<InputFile> inputFile(const std::string& path, int fd, const FileFacts& facts,
                                     ErrorCode& error) {
    if (fd < 0) {
        error = errorFromErrno(errno, FileOperation::Read, errno == ENOENT && parentMissing(path));
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<PosixInputFile>(fd, facts);
}

}  // namespace

ErrorCode PosixFileSystem::listDirectory(const std::string& path,
                                         std::vector<DirectoryEntry>& entries) {
    entries.clear();
    const int dirFd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // The folder searched is itself on the path of the search (Windows
    // searches "folder\\*"): a missing one is a path not found.
    if (dirFd < 0) return errorFromErrno(errno, FileOperation::Other, true);
    DIR* dir = ::fdopendir(dirFd);
    if (dir == nullptr) {
        const int saved = errno;
        ::close(dirFd);
        return errorFromErrno(saved, FileOperation::Other);
    }
    while (dirent* item = ::readdir(dir)) {
        if (std::strcmp(item->d_name, ".") == 0 || std::strcmp(item->d_name, "..") == 0) continue;
        DirectoryEntry entry;
        if (!describeEntry(dirFd, *item, entry)) continue;
        entry.name = item->d_name;
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    sortDirectoryEntries(entries);
    return kErrorSuccess;
}

std::unique_ptr<InputFile> PosixFileSystem::openRead(const std::string& path, ErrorCode& error) {
    FileFacts facts;
    const int fd = openRegularFile(path, O_RDONLY | O_CLOEXEC, 0, &facts);
    return inputFile(path, fd, facts, error);
}

std::unique_ptr<InputFile> PosixFileSystem::openListedFile(const std::string& path,
                                                           const DirectoryEntry& entry,
                                                           ErrorCode& error) {
    if (entry.isDirectory || entry.isSpecialFile) {
        error = kErrorAccessDenied;
        return nullptr;
    }
    FileFacts facts;
    const int fd = openListedRegularFile(path, O_RDONLY | O_CLOEXEC, &facts);
    return inputFile(path, fd, facts, error);
}

std::unique_ptr<OutputFile> PosixFileSystem::openWrite(const std::string& path, CreateMode mode,
                                                       ErrorCode& error) {
    const int flags = O_WRONLY | O_CREAT | O_CLOEXEC |
                      (mode == CreateMode::New      ? O_EXCL
                       : mode == CreateMode::Append ? O_APPEND
                                                    : O_TRUNC);
    const int fd = openRegularFile(path, flags, 0666);
    if (fd < 0) {
        error = errorFromErrno(errno, FileOperation::CreateFile,
                               errno == ENOENT && parentMissing(path));
        return nullptr;
    }
    error = kErrorSuccess;
    return std::make_unique<PosixOutputFile>(fd);
}

ErrorCode PosixFileSystem::renameReplace(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) == 0) return kErrorSuccess;
    const int saved = errno;
    return errorFromErrno(saved, FileOperation::Other, saved == ENOENT && parentMissing(to));
}

ErrorCode PosixFileSystem::removeFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return kErrorSuccess;
    const int saved = errno;
    return errorFromErrno(saved, FileOperation::Other, saved == ENOENT && parentMissing(path));
}

bool PosixFileSystem::identify(const std::string& path, FileIdentity& identity) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    identity = FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    return true;
}

bool PosixFileSystem::stamp(const std::string& path, FileStamp& stamp) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp.identity =
        FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    stamp.size = static_cast<uint64_t>(st.st_size);
    stamp.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

std::string PosixFileSystem::resolveLinks(const std::string& path) {
    // As many links as the system itself follows in one path.
    constexpr int kMaxLinks = 40;
    std::string current = path;
    for (int step = 0; step < kMaxLinks; ++step) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(static_cast<size_t>(st.st_size) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        // A link that changed under us or cannot be read is left to fail later.
        if (length <= 0 || static_cast<size_t>(length) >= target.size()) return current;
        target.resize(static_cast<size_t>(length));
        if (target[0] != kPathSeparator) {
            const size_t slash = current.find_last_of(kPathSeparator);
            if (slash != std::string::npos) target = current.substr(0, slash + 1) + target;
        }
        current = target;
    }
    return current;
}

bool PosixFileSystem::fileStatus(const std::string& path, FileStatus& status) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return false;
    status.permissions = static_cast<uint32_t>(st.st_mode & 07777);
    // Root passes the access check whatever the bits; the owner's write bit
    // stops it all the same, as the read-only attribute does on Windows.
    status.writable =
        (st.st_mode & S_IWUSR) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
    return true;
}

ErrorCode PosixFileSystem::setPermissions(const std::string& path, uint32_t permissions) {
    if (::chmod(path.c_str(), static_cast<mode_t>(permissions & 07777)) == 0) return kErrorSuccess;
    const int saved = errno;
    return errorFromErrno(saved, FileOperation::Other, saved == ENOENT && parentMissing(path));
}

FileSystem& realFileSystem() {
    static PosixFileSystem fileSystem;
    return fileSystem;
}

}  // namespace lumora
