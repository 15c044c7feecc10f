#include "app/ChooserFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/Workspace.h"
#include "platform/FileSystem.h"
#ifdef _WIN32
#include "platform/WideText.h"
#endif

namespace lumora {
namespace {

bool isFolder(const std::string& path) {
    if (path.empty() || path == kNotSelectedText) return false;
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::string chooserStartFolder(Chooser chooser, const WorkFolders& folders) {
    const std::string* order[3] = {&folders.source, &folders.target, &folders.sessionFolder};
    if (chooser == Chooser::Target) {
        order[0] = &folders.target;
        order[1] = &folders.source;
    } else if (chooser == Chooser::Session) {
        order[0] = &folders.sessionFolder;
        order[1] = &folders.target;
        order[2] = &folders.source;
    }
    for (const std::string* candidate : order) {
        if (isFolder(*candidate)) return *candidate;
    }
    return isFolder(folders.home) ? folders.home : std::string(1, kPathSeparator);
}

std::string homeFolder() {
#ifdef _WIN32
    // Windows names the user's own folder USERPROFILE; HOME is seldom set.
    const wchar_t* home = _wgetenv(L"USERPROFILE");
    if (home != nullptr && *home != L'\0') return fromWide(home);
#else
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return std::string(home);
#endif
    return std::string(1, kPathSeparator);
}

std::string folderOf(const std::string& file) {
    const size_t slash = lastPathSeparator(file);
    if (slash == std::string::npos) return std::string();
    // The root keeps its separator: "/", and on Windows "C:\".
    const bool root = slash == 0 || (slash == 2 && file[1] == ':');
    return file.substr(0, root ? slash + 1 : slash);
}

}  // namespace lumora
