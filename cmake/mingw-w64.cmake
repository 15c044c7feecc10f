# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads
# flavour, which has std::thread and std::mutex). Used by scripts/windows-build
# and scripts/windows-test for Lumora, libjpeg-turbo and Qt alike.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

# Libraries, headers and packages come only from the mingw sysroot and from the
# roots the caller adds with -DCMAKE_FIND_ROOT_PATH=<prefix> (the cache folder
# with libjpeg-turbo and Qt built for Windows), never from the build machine's
# own /usr; programs such as Qt's moc and uic do run on the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
