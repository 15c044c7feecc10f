#pragma once

#include <sys/types.h>

#include <string>

namespace lumora {

// open(2) of a path that must be a regular file, without ever waiting: a
// FIFO named like a picture would otherwise hold the open (or the first read)
// until some writer comes, for ever if none does. Anything but a regular file
// (a folder, FIFO, socket or device) fails with EACCES, as Windows refuses to
// open such a name as a file. Returns the descriptor, in blocking mode, or -1
// with errno set.
int openRegularFile(const std::string& path, int flags, mode_t mode = 0);

}  // namespace lumora
