#include "platform/PosixFileSystem.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/RegularFile.h"
#include "platform/TemporaryName.h"

namespace lumora {
namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of(kPathSeparator);
    if (slash == std::string::npos) return ".";
    if (slash == 0) return std::string(1, kPathSeparator);
    return path.substr(0, slash);
}

bool folderMissing(const std::string& path) {
    return !exists(folderOf(path));
}

ErrorCode errorOf(int errnoValue, FileOperation operation, const std::string& path) {
    return errorFromErrno(errnoValue, operation, errnoValue == ENOENT && folderMissing(path));
}

// A rename that never replaces: renameat2 where the file system supports it,
// else a hard link (which fails on an existing name) and an unlink.
int renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return -1;
    if (::link(from.c_str(), to.c_str()) != 0) return -1;
    ::unlink(from.c_str());
    return 0;
}

int place(const std::string& from, const std::string& to, bool replace) {
    return replace ? ::rename(from.c_str(), to.c_str()) : renameNoReplace(from, to);
}

// Kernel copy where it works (no bytes through user space), else a plain
// read/write loop. Returns 0 or the errno of the failure.
int copyBytes(int in, int out) {
    bool kernel = true;
    std::vector<char> buffer;
    for (;;) {
        if (kernel) {
            const ssize_t done = ::copy_file_range(in, nullptr, out, nullptr, size_t{1} << 30, 0);
            if (done > 0) continue;
            if (done == 0) return 0;
            if (errno == EINTR) continue;
            if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP &&
                errno != EBADF) {
                return errno;
            }
            kernel = false;
            buffer.resize(size_t{1} << 20);
        }
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got == 0) return 0;
        if (got < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        ssize_t written = 0;
        while (written < got) {
            const ssize_t put =
                ::write(out, buffer.data() + written, static_cast<size_t>(got - written));
            if (put < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            written += put;
        }
    }
}

std::string temporaryBeside(const std::string& target) {
    return temporaryNameIn(folderOf(target));
}

// Writes the source's bytes, mode and modification time into a new file
// beside the target and names it `temporary`. With flush the bytes reach the
// disk and the copy's size is checked against the source's before returning.
ErrorCode copyToTemporary(const std::string& source, const std::string& target, bool flush,
                          std::string& temporary) {
    const int in = openRegularFile(source, O_RDONLY | O_CLOEXEC);
    if (in < 0) return errorOf(errno, FileOperation::Read, source);
    struct stat st {};
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return kErrorAccessDenied;
    }
    int out = -1;
    for (int attempt = 0; attempt < 100 && out < 0; ++attempt) {
        temporary = temporaryBeside(target);
        out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0 && errno != EEXIST) break;
    }
    if (out < 0) {
        const ErrorCode error = errorFromErrno(errno, FileOperation::CreateFile,
                                               errno == ENOENT && folderMissing(target));
        ::close(in);
        temporary.clear();
        return error;
    }
    int failure = copyBytes(in, out);
    if (failure == 0 && ::fchmod(out, st.st_mode & 07777) != 0) failure = errno;
    if (failure == 0) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::futimens(out, times) != 0) failure = errno;
    }
    if (failure == 0 && flush && ::fsync(out) != 0) failure = errno;
    if (failure == 0 && flush) {
        struct stat written {};
        if (::fstat(out, &written) != 0)
            failure = errno;
        else if (written.st_size != st.st_size)
            failure = EIO;
    }
    if (::close(out) != 0 && failure == 0 && errno != EINTR) failure = errno;
    ::close(in);
    if (failure != 0) {
        ::unlink(temporary.c_str());
        temporary.clear();
        return errorFromErrno(failure, FileOperation::Write);
    }
    return kErrorSuccess;
}

ErrorCode placeTemporary(const std::string& temporary, const std::string& target, bool replace,
                         FileOperation operation) {
    if (place(temporary, target, replace) == 0) return kErrorSuccess;
    const int saved = errno;
    ::unlink(temporary.c_str());
    return errorOf(saved, operation, target);
}

// The source goes only once a flushed copy of its full size holds the
// target name.
ErrorCode copyThenRemove(const std::string& source, const std::string& target, bool replace) {
    if (!replace && exists(target)) return kErrorAlreadyExists;
    std::string temporary;
    if (ErrorCode error = copyToTemporary(source, target, true, temporary)) return error;
    if (ErrorCode error = placeTemporary(temporary, target, replace, FileOperation::Move)) {
        return error;
    }
    // As on Windows, a source that cannot be removed stays: the move still
    // succeeded, and nothing is lost.
    ::unlink(source.c_str());
    return kErrorSuccess;
}

bool isSymbolicLink(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

}  // namespace

bool processHasEnded(long processId) {
    return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
}

ErrorCode PosixFileSystem::createDirectory(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) == 0) return kErrorSuccess;
    return errorOf(errno, FileOperation::CreateDirectory, path);
}

ErrorCode PosixFileSystem::removeEmptyDirectory(const std::string& path) {
    if (::rmdir(path.c_str()) == 0) return kErrorSuccess;
    return errorOf(errno, FileOperation::Other, path);
}

ErrorCode PosixFileSystem::copyFile(const std::string& source, const std::string& target,
                                    bool failIfExists) {
    // Saves copying a whole file only to find the name taken; the rename
    // below still refuses to replace a file that appears meanwhile.
    if (failIfExists && exists(target)) {
        return exists(source) ? kErrorFileExists : errorOf(ENOENT, FileOperation::Read, source);
    }
    std::string temporary;
    if (ErrorCode error = copyToTemporary(source, target, false, temporary)) return error;
    return placeTemporary(temporary, target, !failIfExists, FileOperation::CreateFile);
}

ErrorCode PosixFileSystem::moveFile(const std::string& source, const std::string& target,
                                    unsigned flags) {
    const bool replace = (flags & kMoveReplaceExisting) != 0;
    // Renaming a link would move the link and leave the picture behind: the
    // picture it reaches arrives as a real file, and only the link goes.
    if (isSymbolicLink(source)) return copyThenRemove(source, target, replace);
    if (place(source, target, replace) == 0) return kErrorSuccess;
    const int saved = errno;
    if (saved == ENOENT) {
        // Either end may be missing; the source decides first, as it is read first.
        return exists(source) ? errorFromErrno(ENOENT, FileOperation::Move, true)
                              : errorOf(ENOENT, FileOperation::Move, source);
    }
    if (saved != EXDEV) return errorFromErrno(saved, FileOperation::Move);
    if ((flags & kMoveCopyAllowed) == 0) return kErrorNotSameDevice;
    return copyThenRemove(source, target, replace);
}

}  // namespace lumora
