#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace {

using lumora::cli::Arguments;

struct Command {
    const char* name;
    const char* usage;
    const char* summary;
    int (*run)(const Arguments&);
};

const Command kCommands[] = {
    {"scan", "scan [--yes] DIR",
     "list the pictures the scan of DIR finds, with date, time and camera", lumora::cli::runScan},
    {"exif", "exif --json PATH...", "print the EXIF values of JPEG files, one JSON object per line",
     lumora::cli::runExif},
    {"samples",
     "samples [--count N] [--camera-size | --size WxH] [--no-thumbnails] [--flat] [--distinct] "
     "[--seed S] DIR",
     "write the generated sample pictures into DIR", lumora::cli::runSamples},
    {"thumbnail", "thumbnail FILE OUT.bmp [--negative]",
     "write the 160 x 120 film thumbnail of one picture as a BMP file", lumora::cli::runThumbnail},
    {"thumbnails", "thumbnails [--negative] [--workers N] DIR OUTDIR",
     "write the film thumbnail of every picture the scan of DIR lists", lumora::cli::runThumbnails},
    {"info", "info FILE", "print the Picture Info lines of one picture", lumora::cli::runInfo},
    {"values", "values DIR", "print the advanced filter's value lists over the pictures of DIR",
     lumora::cli::runValues},
    {"session", "session show|check FILE",
     "show every value of a session file, or check that it loads against its source today",
     lumora::cli::runSession},
    {"duplicates", "duplicates [--json] [--yes] DIR",
     "analyse and compare the pictures of DIR and list the duplicates in groups",
     lumora::cli::runDuplicates},
    {"process", "process SESSION.lsn [--target DIR] [--move] [--yes|--no|--abort]",
     "copy or move the albums of a session into their folders", lumora::cli::runProcess},
    {"organize", "organize SRC TARGET [--by day|month] [--move] [--yes|--no|--abort]",
     "put the pictures of SRC into one album folder per day or month under TARGET",
     lumora::cli::runOrganize},
};

void printHelp(std::FILE* out) {
    std::fprintf(out,
                 "Usage: lumora-cli COMMAND [OPTIONS] [ARGUMENTS]\n\n"
                 "Lumora organises camera pictures into albums by date and time.\n\n"
                 "Commands:\n");
    for (const Command& command : kCommands) {
        // A long usage gets its summary on a line of its own, so the column holds.
        if (std::strlen(command.usage) > 44) {
            std::fprintf(out, "  %s\n  %-44s %s\n", command.usage, "", command.summary);
        } else {
            std::fprintf(out, "  %-44s %s\n", command.usage, command.summary);
        }
    }
    std::fprintf(out,
                 "\nOptions:\n  --help     show this help\n  --version  show the version\n"
                 "\n'lumora-cli COMMAND --help' shows the usage of one command.\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printHelp(stderr);
        return lumora::cli::kExitUsage;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h" || first == "help") {
        printHelp(stdout);
        return lumora::cli::kExitSuccess;
    }
    if (first == "--version") {
        std::printf("lumora-cli %s\n", LUMORA_VERSION);
        return lumora::cli::kExitSuccess;
    }
    for (const Command& command : kCommands) {
        if (first != command.name) continue;
        Arguments args(argv + 2, argv + argc);
        for (const std::string& arg : args) {
            if (arg == "--help" || arg == "-h") {
                std::printf("Usage: lumora-cli %s\n  %s\n", command.usage, command.summary);
                return lumora::cli::kExitSuccess;
            }
        }
        return command.run(args);
    }
    std::fprintf(stderr, "lumora-cli: unknown command '%s' (see lumora-cli --help)\n",
                 first.c_str());
    return lumora::cli::kExitUsage;
}
