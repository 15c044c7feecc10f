#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace lumora::cli {

struct OptionHelp {
    const char* names;  // "-q, --quiet"
    const char* text;
};

// What `lumora-cli COMMAND --help` shows.
struct CommandHelp {
    const char* name;
    const char* usage;    // after "lumora-cli "
    const char* summary;  // one line, for the list of commands
    const char* description;
    std::vector<OptionHelp> options;
};

const std::vector<CommandHelp>& commandHelps();
const CommandHelp* findCommandHelp(const std::string& name);
void printCommandHelp(const CommandHelp& help, std::FILE* out);
// The program's help: every command with its summary.
void printProgramHelp(std::FILE* out);

}  // namespace lumora::cli
