#include <cstdio>
#include <string>

#include "app/SessionCommands.h"
#include "app/Workspace.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/ProcessRun.h"

namespace lumora::cli {
namespace {

int usage() {
    std::fprintf(stderr,
                 "Usage: lumora-cli process SESSION.lsn [--target DIR] [--move] "
                 "[--yes|--no|--abort]\n");
    return kExitUsage;
}

}  // namespace

int runProcess(const Arguments& arguments) {
    Arguments args = arguments;
    ProcessOptions options;
    if (!takeProcessOptions(args, options, "process")) return usage();
    std::string sessionPath;
    std::string target;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--target") {
            if (i + 1 >= args.size()) return usage();
            target = args[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli process: unknown option '%s'\n", arg.c_str());
            return usage();
        } else if (sessionPath.empty()) {
            sessionPath = arg;
        } else {
            return usage();
        }
    }
    if (sessionPath.empty()) return usage();

    Workspace workspace;
    // Loading asks nothing of a fresh workspace; its messages (a file that is
    // not sound, a source that changed, an unreadable picture) are shown and
    // answered OK.
    PolicyPrompter loadPrompter({kAnswerOk});
    TerminalProgress progress;
    const SessionResult loaded = loadSessionCommand(
        workspace, [&] { return std::optional<std::string>(sessionPath); }, loadPrompter, progress);
    progress.setStatus("");
    if (loaded != SessionResult::Done) {
        std::fprintf(stderr, "lumora-cli process: %s: the session could not be loaded\n",
                     sessionPath.c_str());
        return kExitFailure;
    }
    if (target.empty()) target = workspace.targetText;
    if (target == kNotSelectedText) {
        std::fprintf(stderr, "lumora-cli process: the session has no target; give --target DIR\n");
        return kExitUsage;
    }
    return processIntoTarget(workspace, target, options, "process");
}

}  // namespace lumora::cli
