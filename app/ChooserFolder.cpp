#include "app/ChooserFolder.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/Workspace.h"

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
    return isFolder(folders.home) ? folders.home : std::string("/");
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr && *home != '\0' ? std::string(home) : std::string("/");
}

std::string folderOf(const std::string& file) {
    const size_t slash = file.find_last_of('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : file.substr(0, slash);
}

}  // namespace lumora
