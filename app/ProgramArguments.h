#pragma once

#include <string>
#include <vector>

namespace lumora {

// What the command line of the program `lumora` asks for.
struct ProgramArguments {
    std::string source;          // --source DIR: chosen and scanned at start
    std::string target;          // --target DIR: chosen after the source
    std::string session;         // SESSION.lsn: loaded at start
    std::string screenshotsDir;  // --screenshots DIR: write the window's pictures, then end
    bool help = false;
    bool version = false;
};

// Reads the arguments after the program name (Qt's own options already
// taken out). False on a usage error, with error saying why in one line.
bool parseProgramArguments(const std::vector<std::string>& arguments, ProgramArguments& parsed,
                           std::string& error);

// A folder given on the command line as the folder browser gives one: a
// whole path, without "." parts or a trailing separator, so that a session
// saved from the window loads from any folder.
std::string wholeFolderPath(const std::string& folder);

// The folders and the session must be there before a window opens for
// them: false with error saying which is not, and whether it is missing or
// something else by that name (a file, a pipe). The folders become whole
// paths.
bool checkProgramPaths(ProgramArguments& arguments, std::string& error);

// The text of `lumora --help`.
std::string programUsageText();

}  // namespace lumora
