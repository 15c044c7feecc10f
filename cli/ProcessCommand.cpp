#include <cstdio>
#include <string>

#include "app/CameraClockChange.h"
#include "app/SessionCommands.h"
#include "app/Workspace.h"
#include "cli/CliSupport.h"
#include "cli/ClockOptions.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "cli/ProcessRun.h"
#include "session/SessionLoad.h"

namespace lumora::cli {
namespace {

constexpr const char* kCommand = "process";

// Shows loading's messages, except the two failures the command words
// itself with the reason.
class LoadPrompter : public Prompter {
  public:
    explicit LoadPrompter(Prompter& inner) : inner_(inner) {}
    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override {
        // The message that the source was modified may go on with what changed.
        if (text.rfind(kSourceModifiedText, 0) == 0 || text == kFileCouldNotBeLoadedText) {
            return kAnswerOk;
        }
        return inner_.ask(text, caption, buttons, icon);
    }

  private:
    Prompter& inner_;
};

}  // namespace

int processCommand(const Arguments& args, const CommandContext& context) {
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {"--target", kClockOption}, parsed, problem)) {
        return usageError(kCommand, problem);
    }
    ProcessOptions options;
    std::string target;
    std::vector<ClockRequest> clocks;
    for (const Option& option : parsed.options) {
        if (takeProcessOption(option, options, problem)) {
            if (!problem.empty()) return usageError(kCommand, problem);
        } else if (option.name == "--target") {
            target = option.value;
        } else if (option.name == kClockOption) {
            ClockRequest clock;
            if (!parseClockRequest(option.value, clock, problem)) {
                return usageError(kCommand, problem);
            }
            clocks.push_back(clock);
        } else {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
    }
    if (parsed.operands.size() != 1) return usageError(kCommand, "give one session file");
    const std::string& sessionPath = parsed.operands[0];

    Console console(kCommand, context.out, context.err, context.errIsTerminal);
    console.setQuiet(options.quiet);
    console.setNulRecords(options.nulRecords);
    FailureWatch fileSystem(context.fileSystem);
    SessionData data;
    if (!readSessionForCommand(fileSystem, sessionPath, data, console)) return kExitFailure;
    if (target.empty()) target = data.values.targetText;
    if (target == kNotSelectedText) {
        return usageError(kCommand, "the session has no target; give --target DIR");
    }
    const std::optional<AnswerPolicy> policy = options.policy ? options.policy
                                               : context.inputIsTerminal
                                                   ? std::nullopt
                                                   : std::optional(AnswerPolicy::No);
    CliPrompter prompter(console, policy, &fileSystem, context.input);
    ProcessEnvironment env{console, fileSystem, prompter, policy};
    if (!targetFolderUsable(target, !options.dryRun, env)) return kExitFailure;

    Workspace workspace(fileSystem);
    // Sessions saved by organize account for a target inside the source.
    workspace.targetInsideSourceAllowed = true;
    LoadPrompter loadPrompter(prompter);
    TerminalProgress progress(console);
    fileSystem.setListingFailureHandler([&](const FailedCall& call) {
        console.error(describeFailure(call) + "; its pictures are left out");
    });
    const SessionResult loaded = loadSessionCommand(
        workspace, [&] { return std::optional<std::string>(sessionPath); }, loadPrompter, progress);
    fileSystem.setListingFailureHandler(nullptr);
    console.clearProgress();
    if (loaded == SessionResult::SourceModified) {
        console.error(sessionPath + ": " + kSourceModifiedText + " (" + data.values.sourceText +
                      " no longer holds the pictures the session was saved with; 'lumora-cli "
                      "session check " +
                      sessionPath + "' tells more)");
        return kExitFailure;
    }
    if (loaded != SessionResult::Done) {
        console.error(sessionPath + ": " + kFileCouldNotBeLoadedText);
        return kExitFailure;
    }
    if (!clocks.empty()) {
        // Over the session's own corrections; a change that would take
        // pictures out of their albums is asked about like the window does.
        CameraClocks corrected = workspace.clocks;
        if (!resolveClockRequests(clocks, workspace.pictures(), corrected, problem)) {
            console.error(problem);
            return kExitFailure;
        }
        if (!changeCameraClocks(workspace, corrected, prompter)) {
            console.error(
                "the camera clocks were not changed: pictures would have left their "
                "albums");
            return kExitFailure;
        }
    }
    return processIntoTarget(workspace, target, options, env);
}

int runProcess(const Arguments& args) {
    return processCommand(args, standardContext());
}

}  // namespace lumora::cli
