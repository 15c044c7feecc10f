#include "cli/ProcessRun.h"

#include <unistd.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ProcessCommands.h"
#include "cli/CliSupport.h"
#include "processing/ProcessOption.h"

namespace lumora::cli {
namespace {

// Answers by a policy, knowing from the engine what each question is about,
// and writes every question with its answer to standard error.
class ProcessPolicyPrompter : public Prompter, public QuestionListener {
  public:
    explicit ProcessPolicyPrompter(AnswerPolicy policy) : policy_(policy) {}

    void questionAbout(QuestionSubject subject) override { subject_ = subject; }

    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon /*icon*/) override {
        const int answer = policyAnswer(policy_, subject_, buttons);
        std::fprintf(stderr, "%s: %s [%s] -> %s\n", caption.c_str(), text.c_str(),
                     buttonsName(buttons), answerName(answer));
        subject_ = QuestionSubject::Album;
        return answer;
    }

  private:
    AnswerPolicy policy_;
    QuestionSubject subject_ = QuestionSubject::Album;
};

// The first status line: printed as a line of its own on a terminal.
class StatusLines : public ProgressSink {
  public:
    void setStatus(const std::string& text) override {
        if (enabled_ && !text.empty()) std::fprintf(stderr, "\r\033[K%s\n", text.c_str());
    }

  private:
    bool enabled_ = ::isatty(STDERR_FILENO) == 1;
};

const char* outcomeName(FileOutcome outcome) {
    switch (outcome) {
        case FileOutcome::Skipped:
            return "skipped";
        case FileOutcome::GivenUp:
            return "album given up";
        case FileOutcome::NotReached:
            return "not reached";
        case FileOutcome::TargetIsPicture:
            return "target is a picture";
        case FileOutcome::InvalidName:
            return "invalid name";
    }
    return "?";
}

// Why pictures did not arrive, for the last line: "2 skipped, 1 not
// reached", most common first in the order of the outcomes.
std::string untransferredReasons(const std::vector<UntransferredFile>& files) {
    std::map<FileOutcome, int> counts;
    for (const UntransferredFile& file : files) ++counts[file.outcome];
    std::string text;
    for (const auto& [outcome, count] : counts) {
        if (!text.empty()) text += ", ";
        text += std::to_string(count) + " " + outcomeName(outcome);
    }
    return text;
}

}  // namespace

bool takeProcessOptions(Arguments& args, ProcessOptions& options, const char* command) {
    Arguments rest;
    for (const std::string& arg : args) {
        std::optional<AnswerPolicy> policy;
        if (arg == "--yes")
            policy = AnswerPolicy::Yes;
        else if (arg == "--no")
            policy = AnswerPolicy::No;
        else if (arg == "--abort")
            policy = AnswerPolicy::Abort;
        else if (arg == "--move")
            options.move = true;
        else
            rest.push_back(arg);
        if (!policy) continue;
        if (options.policy && *options.policy != *policy) {
            std::fprintf(stderr, "lumora-cli %s: --yes, --no and --abort exclude each other\n",
                         command);
            return false;
        }
        options.policy = policy;
    }
    args = rest;
    return true;
}

int processIntoTarget(Workspace& workspace, const std::string& target,
                      const ProcessOptions& options, const char* command) {
    const bool askUser = !options.policy && standardInputIsTerminal();
    std::unique_ptr<Prompter> prompter;
    ProcessPolicyPrompter* policy = nullptr;
    if (askUser) {
        prompter = std::make_unique<TerminalPrompter>();
    } else {
        auto owned =
            std::make_unique<ProcessPolicyPrompter>(options.policy.value_or(AnswerPolicy::No));
        policy = owned.get();
        prompter = std::move(owned);
    }

    if (!workspace.selectTarget(target, *prompter)) return kExitFailure;
    if (options.move) {
        // The choice is fixed once an album is processed; the option says why.
        ProcessOption option(workspace.albums, workspace.moveMode, *prompter);
        if (!option.editable()) return kExitFailure;
        workspace.moveMode = 1;
    }
    if (startProcess(workspace, *prompter) != ProcessStart::OpenDialog) return kExitFailure;

    StatusLines upper;
    TerminalProgress lower;
    const ProcessDialogSinks sinks{upper, lower};
    const FreeSpaceCheck check = checkWorkspaceFreeSpace(workspace, *prompter, sinks, policy);
    if (!check.processEnabled) {
        lower.setStatus("");
        std::printf("%s\n%s\n", check.firstStatus.c_str(), check.secondStatus.c_str());
        bool allProcessed = true;
        for (const Album& album : workspace.albums) allProcessed = allProcessed && album.processed;
        return allProcessed ? kExitSuccess : kExitFailure;
    }
    const ProcessReport report = processWorkspaceAlbums(workspace, *prompter, sinks, policy);
    lower.setStatus("");

    std::printf("%s\n", report.summaryText.c_str());
    for (const UntransferredFile& file : report.untransferred) {
        std::printf("untransferred\t%s\t%s\t%s\n", outcomeName(file.outcome), file.source.c_str(),
                    file.target.c_str());
    }
    if (report.albumsFailed > 0) {
        std::fprintf(stderr, "lumora-cli %s: %d of %d albums were not processed\n", command,
                     report.albumsFailed, report.albumCount);
    }
    // A script may remove the source after a success: any picture that did
    // not arrive makes the run fail, whatever the albums' flags say.
    if (!report.untransferred.empty()) {
        const size_t missing = report.untransferred.size();
        std::fprintf(stderr, "lumora-cli %s: %zu of %zu pictures were not transferred (%s)\n",
                     command, missing, missing + static_cast<size_t>(report.filesTransferred),
                     untransferredReasons(report.untransferred).c_str());
        return kExitFailure;
    }
    return report.albumsFailed > 0 ? kExitFailure : kExitSuccess;
}

}  // namespace lumora::cli
