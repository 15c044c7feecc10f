#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace lumora {
class FileSystem;
}

namespace lumora::cli {

// Exit codes of every subcommand.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
// A processing run ended by Ctrl+C or SIGTERM (128 + SIGINT, as shells report it).
inline constexpr int kExitInterrupted = 130;

using Arguments = std::vector<std::string>;

// Where a command works: the file system, its streams, and whether standard
// input and standard error are terminals (questions are asked only on one,
// the progress line is drawn only on one).
struct CommandContext {
    FileSystem& fileSystem;
    std::FILE* out = stdout;
    std::FILE* err = stderr;
    std::FILE* input = stdin;
    bool inputIsTerminal = false;
    bool errIsTerminal = false;
};

// The machine's file system and standard streams.
CommandContext standardContext();

// The whole command line after the program's name; the exit code.
int runCommandLine(const Arguments& args, const char* version);

// Each subcommand gets the arguments after its name.
int runScan(const Arguments& args);
int runExif(const Arguments& args);
int runSamples(const Arguments& args);
int runThumbnail(const Arguments& args);
int runThumbnails(const Arguments& args);
int runInfo(const Arguments& args);
int runValues(const Arguments& args);
int runSession(const Arguments& args);
int runDuplicates(const Arguments& args);
int runProcess(const Arguments& args);
int runOrganize(const Arguments& args);
int runUndo(const Arguments& args);

int scanCommand(const Arguments& args, const CommandContext& context);
int organizeCommand(const Arguments& args, const CommandContext& context);
int processCommand(const Arguments& args, const CommandContext& context);
int undoCommand(const Arguments& args, const CommandContext& context);

}  // namespace lumora::cli
