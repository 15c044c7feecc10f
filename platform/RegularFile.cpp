#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/Time.h"

namespace lumora {
namespace {

uint64_t fileTimeOf(const statx_timestamp& time) {
    const uint64_t base = unixToFileTime(time.tv_sec);
    return base == 0 ? 0 : base + time.tv_nsec / 100;
}

// Opens without waiting and keeps the descriptor only when it holds a
// regular file. One statx on the descriptor both judges the file and gives
// its facts.
int openAndCheck(const std::string& path, int flags, mode_t mode, FileFacts* facts) {
    // Should the name be a FIFO by now, O_NONBLOCK still returns at once (or
    // fails with ENXIO when writing and nobody reads), and the check below
    // sees what was really opened.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY, mode);
    if (fd < 0) {
        if (errno == ENXIO) errno = EACCES;
        return -1;
    }
    struct statx info {};
    const unsigned mask =
        facts != nullptr ? STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME : STATX_TYPE;
    if (::statx(fd, "", AT_EMPTY_PATH | AT_STATX_SYNC_AS_STAT, mask, &info) != 0 ||
        !S_ISREG(info.stx_mode)) {
        ::close(fd);
        errno = EACCES;
        return -1;
    }
    if (facts != nullptr) {
        facts->size = info.stx_size;
        facts->creationTime = (info.stx_mask & STATX_BTIME) != 0 ? fileTimeOf(info.stx_btime)
                                                                 : fileTimeOf(info.stx_mtime);
    }
    return fd;
}

}  // namespace

int openRegularFile(const std::string& path, int flags, mode_t mode, FileFacts* facts) {
    struct stat st {};
    // A name that is there but is no regular file is refused unopened: even
    // an open that does not wait would release a writer waiting on a FIFO.
    // With O_EXCL an existing name fails in the open itself, unopened too.
    if ((flags & O_EXCL) == 0 && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = EACCES;
        return -1;
    }
    return openAndCheck(path, flags, mode, facts);
}

int openListedRegularFile(const std::string& path, int flags, FileFacts* facts) {
    return openAndCheck(path, flags, 0, facts);
}

}  // namespace lumora
