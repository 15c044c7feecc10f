#pragma once

#include <string>

#include "cli/Commands.h"
#include "platform/FileSystem.h"

namespace lumora::test {

// What a command printed and returned.
struct CliRun {
    int code = -1;
    std::string out;
    std::string err;
};

using CliCommand = int (*)(const cli::Arguments&, const cli::CommandContext&);

// Runs a command in-process over fileSystem, its output caught. terminal:
// standard input and standard error count as terminals (questions are then
// asked, answered from input, and the progress line is drawn).
CliRun runCli(CliCommand command, const cli::Arguments& args,
              FileSystem& fileSystem = realFileSystem(), bool terminal = false,
              const std::string& input = std::string());

// The lines of a text, without their line breaks.
std::vector<std::string> linesOf(const std::string& text);

}  // namespace lumora::test
