#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "platform/FileSystem.h"

namespace lumora::cli {
namespace {

struct Command {
    const char* name;
    int (*run)(const Arguments&);
};

const Command kCommands[] = {
    {"scan", runScan},
    {"exif", runExif},
    {"samples", runSamples},
    {"thumbnail", runThumbnail},
    {"thumbnails", runThumbnails},
    {"info", runInfo},
    {"values", runValues},
    {"session", runSession},
    {"duplicates", runDuplicates},
    {"process", runProcess},
    {"organize", runOrganize},
    {"undo", runUndo},
};

}  // namespace

CommandContext standardContext() {
    CommandContext context{realFileSystem()};
    context.inputIsTerminal = ::isatty(STDIN_FILENO) == 1;
    context.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
    return context;
}

int runCommandLine(const Arguments& args, const char* version) {
    if (args.empty()) {
        printProgramHelp(stderr);
        return kExitUsage;
    }
    const std::string& first = args[0];
    if (first == "--help" || first == "-h" || first == "help") {
        printProgramHelp(stdout);
        return kExitSuccess;
    }
    if (first == "--version") {
        std::printf("lumora-cli %s\n", version);
        return kExitSuccess;
    }
    for (const Command& command : kCommands) {
        if (first != command.name) continue;
        const Arguments rest(args.begin() + 1, args.end());
        if (asksForHelp(rest)) {
            printCommandHelp(*findCommandHelp(command.name), stdout);
            return kExitSuccess;
        }
        return command.run(rest);
    }
    std::fprintf(stderr, "lumora-cli: unknown command '%s' ('lumora-cli --help' lists them)\n",
                 first.c_str());
    return kExitUsage;
}

}  // namespace lumora::cli
