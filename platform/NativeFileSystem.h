#pragma once

// The file system class of the machine the build is for, for code (tests)
// that builds on it rather than going through realFileSystem().
#ifdef _WIN32
#include "platform/Win32FileSystem.h"

namespace lumora {
using NativeFileSystem = Win32FileSystem;
}
#else
#include "platform/PosixFileSystem.h"

namespace lumora {
using NativeFileSystem = PosixFileSystem;
}
#endif
