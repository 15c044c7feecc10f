#pragma once

#include <sys/types.h>

#include <string>

#include "platform/FileSystem.h"

namespace lumora {

// open(2) of a path that must be a regular file, without ever waiting: a
// FIFO named like a picture would otherwise hold the open (or the first read)
// until some writer comes, for ever if none does. Anything but a regular file
// (a folder, FIFO, socket or device) fails with EACCES, as Windows refuses to
// open such a name as a file. Returns the descriptor or -1 with errno set;
// facts, when given, gets the opened file's size and creation time.
//
// The descriptor keeps O_NONBLOCK, which changes nothing for a regular file:
// its reads and writes never wait anyway.
int openRegularFile(const std::string& path, int flags, mode_t mode = 0,
                    FileFacts* facts = nullptr);

// The same for a name that a listing of its folder has just shown as a
// regular file (or a link to one): opened at once, without the look at the
// name that openRegularFile takes first, and judged by what was opened.
int openListedRegularFile(const std::string& path, int flags, FileFacts* facts = nullptr);

}  // namespace lumora
