#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lumora {

int openRegularFile(const std::string& path, int flags, mode_t mode) {
    struct stat st {};
    // A name that is there but is no regular file is refused unopened: even
    // an open that does not wait would release a writer waiting on a FIFO.
    // With O_EXCL an existing name fails in the open itself, unopened too.
    if ((flags & O_EXCL) == 0 && ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        errno = EACCES;
        return -1;
    }
    // Should the name turn into a FIFO after the check, O_NONBLOCK still
    // returns at once (or fails with ENXIO when writing and nobody reads),
    // and the check below sees what was really opened.
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY, mode);
    if (fd < 0) {
        if (errno == ENXIO) errno = EACCES;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        errno = EACCES;
        return -1;
    }
    // Reads and writes of a regular file never wait anyway; the file keeps
    // the usual blocking mode so that no caller has to know of the flag.
    const int status = ::fcntl(fd, F_GETFL);
    if (status >= 0) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    return fd;
}

}  // namespace lumora
