#pragma once

#include <optional>
#include <string>

#include "app/Workspace.h"
#include "cli/CliSupport.h"
#include "cli/Console.h"
#include "cli/FailureWatch.h"
#include "cli/Options.h"
#include "processing/AnswerPolicy.h"

namespace lumora::cli {

// The options `process` and `organize` share.
struct ProcessOptions {
    std::optional<AnswerPolicy> policy;  // as given; none: ask on a terminal, else --no
    bool move = false;
    bool companions = true;  // --no-companions leaves them at the source
    bool dryRun = false;
    bool quiet = false;
    bool nulRecords = false;  // -z
};

// Takes --yes, --no, --abort, --move, --no-companions, --dry-run, -q/--quiet
// and -z. False when
// the option is none of them; problem is set when it contradicts an earlier
// one.
bool takeProcessOption(const Option& option, ProcessOptions& options, std::string& problem);

// What a processing command works with: one console, the watched file
// system under its workspace, and the prompter that answers.
struct ProcessEnvironment {
    Console& console;
    FailureWatch& fileSystem;
    CliPrompter& prompter;
    std::optional<AnswerPolicy> policy;  // the one questions are answered by; none: asked
};

// Whether target is a folder the run can work in; otherwise one error line
// that names it and says why. A preview writes nothing, so only a real run
// tries whether a file can be made in it.
bool targetFolderUsable(const std::string& target, bool tryWriting, ProcessEnvironment& env);

// Processes the workspace's albums into `target` as the "Process" button and
// the processing dialog do: the target checks, the free-space check, the
// run; or, with dryRun, the same run as a preview. Prints the results on
// standard output; returns the exit code. missingTarget: a preview of a
// target that a real run would make first.
int processIntoTarget(Workspace& workspace, const std::string& target,
                      const ProcessOptions& options, ProcessEnvironment& env,
                      bool missingTarget = false);

}  // namespace lumora::cli
