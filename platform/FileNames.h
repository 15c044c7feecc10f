#pragma once

#include <cstddef>
#include <string>

namespace lumora {

// Which file systems' rules a name must satisfy.
enum class NameRules {
    Posix,    // no separator, no NUL
    Windows,  // also none of <>:"/\|?*, no control character, no trailing
              // dot or space, no device name (CON, NUL, COM1, ...)
};

#ifdef _WIN32
inline constexpr NameRules kPlatformNameRules = NameRules::Windows;
#else
inline constexpr NameRules kPlatformNameRules = NameRules::Posix;
#endif

// Whether a text names exactly one entry inside a folder: not empty, not "."
// or "..", and nothing the file system would read as a path or refuse. Names
// that come from session files and dialogs pass here before anything is
// created from them, so that nothing is ever written outside the target.
bool isPlainFileName(const std::string& name, NameRules rules = kPlatformNameRules);

// The longest name, in bytes, the file systems pictures go to take for one
// entry of a folder (NAME_MAX of Linux file systems).
inline constexpr size_t kLongestNameBytes = 255;

}  // namespace lumora
