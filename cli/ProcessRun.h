#pragma once

#include <optional>
#include <string>

#include "app/Workspace.h"
#include "cli/Commands.h"
#include "processing/AnswerPolicy.h"

namespace lumora::cli {

// The options `process` and `organize` share.
struct ProcessOptions {
    std::optional<AnswerPolicy> policy;  // none: ask on a terminal, else --no
    bool move = false;
};

// Takes --yes, --no, --abort and --move out of args. False (with a message on
// standard error) when more than one policy is given.
bool takeProcessOptions(Arguments& args, ProcessOptions& options, const char* command);

// Processes the workspace's albums into `target` as the "Process" button and
// the processing dialog do: the target checks, the free-space check, the run.
// Prints the summary line and every file left untransferred on standard
// output; returns the exit code.
int processIntoTarget(Workspace& workspace, const std::string& target,
                      const ProcessOptions& options, const char* command);

}  // namespace lumora::cli
