#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace lumora::cli {

struct Option {
    std::string name;   // as given: "--by", "-q"
    std::string value;  // for an option that takes one
};

// A subcommand's arguments taken apart: the options, and the operands (the
// files and folders it works on). "--" ends the options, so that a file
// named "-x.jpg" can be given; "-" alone is an operand.
struct ParsedArguments {
    std::vector<Option> options;
    Arguments operands;
};

// Options named in valueOptions take the next argument as their value, or
// the text after "=" ("--by=day"). False with problem set when such an
// option has no value.
bool parseArguments(const Arguments& args, std::initializer_list<const char*> valueOptions,
                    ParsedArguments& parsed, std::string& problem);

// Whether args asks for the command's help: "--help" or "-h" before any "--".
bool asksForHelp(const Arguments& args);

// Prints "lumora-cli COMMAND: problem", the command's usage and where its
// help is, on standard error, and returns the usage exit code.
int usageError(const std::string& command, const std::string& problem);

}  // namespace lumora::cli
