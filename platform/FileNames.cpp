#include "platform/FileNames.h"

#include <cctype>
#include <cstring>

namespace lumora {
namespace {

// Device names that Windows reserves whatever the extension: "CON.jpg" is
// the console, not a file.
bool isDeviceName(const std::string& name) {
    static const char* const kDevices[] = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : kDevices) {
        if (stem == device) return true;
    }
    return false;
}

bool fitsWindows(const std::string& name) {
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::strchr("<>:\"/\\|?*", c) != nullptr) {
            return false;
        }
    }
    return name.back() != '.' && name.back() != ' ' && !isDeviceName(name);
}

}  // namespace

bool isPlainFileName(const std::string& name, NameRules rules) {
    if (name.empty() || name == "." || name == "..") return false;
    if (name.find('/') != std::string::npos || name.find('\0') != std::string::npos) return false;
    return rules == NameRules::Posix || fitsWindows(name);
}

}  // namespace lumora
