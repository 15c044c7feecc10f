#include <string>

#include "app/UndoCommands.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "processing/RunJournal.h"

namespace lumora::cli {
namespace {

constexpr const char* kCommand = "undo";

struct UndoRequest {
    std::string place;  // a target folder or a journal
    std::string forget;
    bool dryRun = false;
    bool yes = false;
    bool sessionToo = false;
    bool quiet = false;
};

bool isFolder(FileSystem& fileSystem, const std::string& path) {
    std::vector<DirectoryEntry> entries;
    return fileSystem.listDirectory(path, entries) == kErrorSuccess;
}

// Asked on a terminal; --yes answers Yes, and without a terminal the answer is No.
bool confirmed(const std::string& question, const UndoRequest& request, Console& console,
               const CommandContext& context) {
    std::optional<AnswerPolicy> policy;
    if (request.yes) {
        policy = AnswerPolicy::Yes;
    } else if (!context.inputIsTerminal) {
        policy = AnswerPolicy::Abort;  // answers No
    }
    CliPrompter prompter(console, policy, nullptr, context.input);
    return prompter.ask(question, kUndoCaption, Buttons::YesNo, Icon::Question) == kAnswerYes;
}

int forget(const UndoRequest& request, Console& console, const CommandContext& context) {
    if (!confirmed(forgetQuestionText(request.forget), request, console, context)) {
        console.error("nothing was forgotten");
        return kExitFailure;
    }
    std::string problem;
    if (!forgetJournal(context.fileSystem, request.forget, problem)) {
        console.error(problem);
        return kExitFailure;
    }
    console.result("forgotten: " + request.forget);
    return kExitSuccess;
}

// The session the journal names: its marks cleared with --session-too,
// else said to still mark the albums.
bool followSession(const RunJournalContents& journal, const UndoRequest& request, Console& console,
                   FileSystem& fileSystem) {
    std::vector<int32_t> marked;
    const std::string session = sessionStillMarking(fileSystem, journal, marked);
    if (session.empty()) return true;
    const std::string albums =
        std::to_string(marked.size()) + (marked.size() == 1 ? " album" : " albums");
    if (!request.sessionToo) {
        console.notice(session + " still marks " + albums +
                       " of the run processed; 'lumora-cli undo --session-too' clears the marks");
        return true;
    }
    if (request.dryRun) {
        console.result("clear processed marks: " + albums + " in " + session);
        return true;
    }
    int cleared = 0;
    std::string problem;
    if (!clearProcessedMarks(fileSystem, session, albumsOfRun(journal), cleared, problem)) {
        console.error(problem);
        return false;
    }
    console.result("processed marks cleared: " + std::to_string(cleared) +
                   (cleared == 1 ? " album in " : " albums in ") + session);
    return true;
}

int undo(const UndoRequest& request, Console& console, const CommandContext& context) {
    FileSystem& fileSystem = context.fileSystem;
    std::string journal = request.place;
    if (isFolder(fileSystem, request.place)) {
        journal = latestJournal(fileSystem, request.place);
        if (journal.empty()) {
            console.error(request.place + ": " + kNoJournalText);
            return kExitFailure;
        }
    }
    const UndoPlan plan = planUndo(fileSystem, journal);
    if (!plan.refusal.empty()) {
        console.error(plan.refusal);
        return kExitFailure;
    }
    if (plan.alreadyUndone) {
        console.result(alreadyUndoneText(journal));
        return followSession(plan.journal, request, console, fileSystem) ? kExitSuccess
                                                                         : kExitFailure;
    }
    console.notice("journal: " + journal);
    if (request.dryRun) {
        for (const UndoStep& step : plan.steps) console.result(describeUndoStep(step));
        console.result("would undo: " + undoCountsText(countPlan(plan)));
        followSession(plan.journal, request, console, fileSystem);
        return kExitSuccess;
    }
    if (!confirmed(undoQuestionText(plan), request, console, context)) {
        console.error("nothing was undone");
        return kExitFailure;
    }
    const UndoResult result = executeUndo(fileSystem, plan);
    // The same lines as the preview's, each as it went.
    for (const UndoStep& step : result.steps) console.result(describeUndoStep(step));
    if (!result.left.empty()) {
        console.error(std::to_string(result.left.size()) +
                      " left as they were; the 'leave' lines say why");
    }
    if (!result.problem.empty()) console.error(result.problem);
    console.result("undone: " + undoCountsText(result));
    const bool sessionFollowed = followSession(plan.journal, request, console, fileSystem);
    return result.left.empty() && result.problem.empty() && sessionFollowed ? kExitSuccess
                                                                            : kExitFailure;
}

}  // namespace

int undoCommand(const Arguments& args, const CommandContext& context) {
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {"--forget"}, parsed, problem)) return usageError(kCommand, problem);
    UndoRequest request;
    for (const Option& option : parsed.options) {
        if (option.name == "--dry-run") {
            request.dryRun = true;
        } else if (option.name == "--yes") {
            request.yes = true;
        } else if (option.name == "--session-too") {
            request.sessionToo = true;
        } else if (option.name == "-q" || option.name == "--quiet") {
            request.quiet = true;
        } else if (option.name == "--forget") {
            request.forget = option.value;
        } else {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
    }
    Console console(kCommand, context.out, context.err, context.errIsTerminal);
    console.setQuiet(request.quiet);
    if (!request.forget.empty()) {
        if (!parsed.operands.empty() || request.dryRun || request.sessionToo)
            return usageError(kCommand, "--forget takes the journal alone");
        return forget(request, console, context);
    }
    if (parsed.operands.size() != 1)
        return usageError(kCommand, "give one target folder or journal");
    request.place = parsed.operands[0];
    return undo(request, console, context);
}

int runUndo(const Arguments& args) {
    return undoCommand(args, standardContext());
}

}  // namespace lumora::cli
