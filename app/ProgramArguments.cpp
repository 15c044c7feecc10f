#include "app/ProgramArguments.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/FileSystem.h"

namespace lumora {
namespace {

// "--name VALUE" or "--name=VALUE": the value, taken from the next argument
// when needed. False when there is none.
bool takeValue(const std::vector<std::string>& arguments, size_t& i, const std::string& name,
               std::string& value, std::string& error) {
    const std::string& argument = arguments[i];
    if (argument.size() > name.size() && argument.compare(0, name.size(), name) == 0 &&
        argument[name.size()] == '=') {
        value = argument.substr(name.size() + 1);
    } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
    } else {
        error = name + " needs a folder";
        return false;
    }
    if (value.empty()) {
        error = name + " needs a folder";
        return false;
    }
    return true;
}

bool isOption(const std::string& argument, const std::string& name) {
    return argument == name || argument.rfind(name + "=", 0) == 0;
}

}  // namespace

bool parseProgramArguments(const std::vector<std::string>& arguments, ProgramArguments& parsed,
                           std::string& error) {
    parsed = ProgramArguments{};
    error.clear();
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            parsed.help = true;
        } else if (argument == "--version") {
            parsed.version = true;
        } else if (isOption(argument, "--source")) {
            if (!takeValue(arguments, i, "--source", parsed.source, error)) return false;
        } else if (isOption(argument, "--target")) {
            if (!takeValue(arguments, i, "--target", parsed.target, error)) return false;
        } else if (isOption(argument, "--screenshots")) {
            if (!takeValue(arguments, i, "--screenshots", parsed.screenshotsDir, error)) {
                return false;
            }
        } else if (!argument.empty() && argument[0] == '-' && argument != "-") {
            error = "unknown option '" + argument + "'";
            return false;
        } else if (!parsed.session.empty()) {
            error = "only one session file can be loaded";
            return false;
        } else {
            parsed.session = argument;
        }
    }
    if (parsed.help || parsed.version) return true;
    // The window chooses a target only once a source is chosen, and a session
    // brings both folders of its own.
    if (!parsed.target.empty() && parsed.source.empty()) {
        error = "--target needs --source";
        return false;
    }
    if (!parsed.session.empty() && !parsed.source.empty()) {
        error = "a session file brings its own folders: give either SESSION.lsn or --source";
        return false;
    }
    if (!parsed.screenshotsDir.empty() && parsed.source.empty()) {
        error = "--screenshots needs --source";
        return false;
    }
    return true;
}

std::string wholeFolderPath(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path whole = std::filesystem::absolute(folder, error);
    if (error) return folder;
    std::string path = whole.lexically_normal().string();
    // The root keeps its separator ("/", or "C:\\" on Windows, where "C:"
    // alone would be the drive's current folder).
    const size_t root = std::max<size_t>(whole.root_path().string().size(), 1);
    while (path.size() > root && isPathSeparator(path.back())) path.pop_back();
    return path;
}

std::string programUsageText() {
    return "Usage: lumora [--source DIR [--target DIR]] [SESSION.lsn]\n"
           "\n"
           "Lumora organises camera pictures into albums by date and time.\n"
           "\n"
           "  --source DIR       open the window with DIR chosen as source and scanned\n"
           "  --target DIR       choose DIR as target (after the source)\n"
           "  SESSION.lsn        open the window with this session loaded\n"
           "  --screenshots DIR  write PNG pictures of the window and its dialogs over\n"
           "                     the source's pictures into DIR, then end\n"
           "  --help             show this help\n"
           "  --version          show the version\n";
}

bool checkProgramPaths(ProgramArguments& arguments, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code code;
    for (std::string* folder : {&arguments.source, &arguments.target}) {
        if (folder->empty()) continue;
        if (!fs::is_directory(*folder, code)) {
            error = *folder + (fs::exists(*folder, code) ? ": not a folder" : ": no such folder");
            return false;
        }
        *folder = wholeFolderPath(*folder);
    }
    if (!arguments.session.empty() && !fs::is_regular_file(arguments.session, code)) {
        error = arguments.session + ": no such file";
        return false;
    }
    return true;
}

}  // namespace lumora
