#include "cli/Options.h"

#include <cstdio>
#include <cstring>

#include "cli/CommandHelp.h"

namespace lumora::cli {

bool parseArguments(const Arguments& args, std::initializer_list<const char*> valueOptions,
                    ParsedArguments& parsed, std::string& problem) {
    const auto takesValue = [&](const std::string& name) {
        for (const char* option : valueOptions) {
            if (name == option) return true;
        }
        return false;
    };
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
        if (equals != std::string::npos && takesValue(arg.substr(0, equals))) {
            parsed.options.push_back({arg.substr(0, equals), arg.substr(equals + 1)});
            continue;
        }
        if (takesValue(arg)) {
            if (i + 1 >= args.size()) {
                problem = arg + " needs a value";
                return false;
            }
            parsed.options.push_back({arg, args[++i]});
            continue;
        }
        parsed.options.push_back({arg, std::string()});
    }
    return true;
}

bool asksForHelp(const Arguments& args) {
    for (const std::string& arg : args) {
        if (arg == "--") return false;
        if (arg == "--help" || arg == "-h") return true;
    }
    return false;
}

int usageError(const std::string& command, const std::string& problem) {
    std::fprintf(stderr, "lumora-cli %s: %s\n", command.c_str(), problem.c_str());
    if (const CommandHelp* help = findCommandHelp(command)) {
        std::fprintf(stderr, "Usage: lumora-cli %s\n", help->usage);
    }
    std::fprintf(stderr, "'lumora-cli %s --help' tells more.\n", command.c_str());
    return kExitUsage;
}

}  // namespace lumora::cli
