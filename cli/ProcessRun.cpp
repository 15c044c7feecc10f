#include "cli/ProcessRun.h"
#include "cli/StopOnSignals.h"

#include <unistd.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/ProcessCommands.h"
#include "cli/ErrorWords.h"
#include "cli/SourceLeftovers.h"
#include "processing/Companions.h"
#include "processing/ProcessOption.h"

namespace lumora::cli {
namespace {

// One line for the whole run: pictures done of all, the percentage, the
// album and the file at hand. The window's last words ("Press 'Close
// Window' to exit.") never reach it.
class RunProgress {
  public:
    RunProgress(Console& console, int64_t total) : console_(console), total_(total) {}

    ProgressSink& upper() { return upper_; }
    ProgressSink& lower() { return lower_; }

  private:
    struct Upper : ProgressSink {
        explicit Upper(RunProgress& run) : owner(run) {}
        void setStatus(const std::string& text) override { owner.album_ = text; }
        RunProgress& owner;
    };
    struct Lower : ProgressSink {
        explicit Lower(RunProgress& run) : owner(run) {}
        void setStatus(const std::string& text) override {
            if (text == kCloseWindowText) return;
            owner.file_ = text;
            owner.draw();
        }
        void step() override {
            ++owner.done_;
            owner.draw();
        }
        RunProgress& owner;
    };

    void draw() {
        const int64_t percent = total_ > 0 ? done_ * 100 / total_ : 100;
        console_.showProgress(std::to_string(done_) + "/" + std::to_string(total_) + " " +
                              std::to_string(percent) + "% " + album_ + ": " + file_);
    }

    Console& console_;
    int64_t total_;
    int64_t done_ = 0;
    std::string album_;
    std::string file_;
    Upper upper_{*this};
    Lower lower_{*this};
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
        case FileOutcome::NoFreeSpace:
            return "free space check failed";
        case FileOutcome::Missing:
            return "missing";
        case FileOutcome::PairKept:
            return "pair kept at the source";
    }
    return "?";
}

// Why pictures did not arrive, for the last line: "2 skipped, 1 not
// reached", in the order of the outcomes.
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

void printUntransferred(const std::vector<UntransferredFile>& files, Console& console) {
    for (const UntransferredFile& file : files) {
        console.record({"untransferred", outcomeName(file.outcome), file.source, file.target});
    }
}

// Pictures an earlier, interrupted run had already placed.
std::string arrivedLine(size_t count, bool move) {
    return std::to_string(count) +
           (count == 1 ? " picture was already whole in its album folder: "
                       : " pictures were already whole in their album folders: ") +
           (move ? "only the source was removed" : "not copied again");
}

std::string parentFolder(const std::string& path) {
    const size_t slash = lastPathSeparator(path);
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string(1, kPathSeparator) : path.substr(0, slash);
}

// Every picture of the unprocessed albums, as refused by the free-space check.
std::vector<UntransferredFile> refusedForSpace(Workspace& workspace) {
    std::set<int32_t> open;
    for (const Album& album : workspace.albums) {
        if (!album.processed) open.insert(album.id);
    }
    std::vector<UntransferredFile> files;
    for (const PictureEntry& picture : workspace.pictures()) {
        if (open.count(picture.albumId) == 0) continue;
        files.push_back({picture.path, std::string(), picture.albumId, FileOutcome::NoFreeSpace});
    }
    return files;
}

// The error line that ends a run in which pictures (or companion files) did
// not arrive.
void reportNotTransferred(const std::vector<UntransferredFile>& files, int transferred,
                          Console& console, const char* what = "pictures") {
    const size_t missing = files.size();
    console.error(std::to_string(missing) + " of " +
                  std::to_string(missing + static_cast<size_t>(transferred)) + " " + what +
                  " were not transferred (" + untransferredReasons(files) + ")");
}

int64_t picturesToProcess(Workspace& workspace) {
    std::set<int32_t> open;
    for (const Album& album : workspace.albums) {
        if (!album.processed) open.insert(album.id);
    }
    int64_t count = 0;
    for (const PictureEntry& picture : workspace.pictures()) count += open.count(picture.albumId);
    return count;
}

// Files left in the source after a move, or that a previewed move would leave.
void printLeftovers(Workspace& workspace, const std::string& target, ProcessEnvironment& env,
                    const std::set<std::string>& moving, bool preview) {
    std::set<std::string> listed;
    for (const PictureEntry& picture : workspace.pictures()) listed.insert(picture.path);
    for (const PictureEntry& picture : workspace.removedPictures) listed.insert(picture.path);
    const SourceLeftovers leftovers =
        countSourceLeftovers(env.fileSystem, workspace.sourceText, target, listed, moving,
                             env.fileSystem.unreadableFiles());
    env.console.result(leftoversLine(leftovers, workspace.sourceText, preview));
}

int printPlan(Workspace& workspace, const ProcessReport& plan, const FreeSpaceCheck& check,
              const std::string& target, bool missingTarget, ProcessEnvironment& env) {
    Console& console = env.console;
    const bool move = workspace.moveMode == 1;
    int folders = 0;
    if (missingTarget && check.processEnabled) {
        console.record({"folder", target});
        ++folders;
    }
    for (const PlannedFolder& folder : plan.plannedFolders) {
        if (folder.exists || !check.processEnabled) continue;
        console.record({"folder", folder.path});
        ++folders;
    }
    std::vector<UntransferredFile> staying = plan.untransferred;
    std::vector<UntransferredFile> stayingCompanions = plan.untransferredCompanions;
    std::set<std::string> moving;
    int written = 0;
    int companionsWritten = 0;
    if (!check.processEnabled) {
        // The run would stop at the check: no folder, no transfer.
        staying = refusedForSpace(workspace);
        stayingCompanions.clear();
    }
    const std::vector<PlannedTransfer>& transfers = plan.plannedTransfers;
    // A picture's line and its companions' lines after it, as one pair.
    size_t pairEnd = 0;
    bool pairKept = false;      // a move that keeps the pair at its source
    bool pictureStays = false;  // its companions stay with it, unmentioned
    for (size_t index = 0; index < transfers.size(); ++index) {
        if (!check.processEnabled) break;
        const PlannedTransfer& transfer = transfers[index];
        if (!transfer.companion) {
            pairEnd = index + 1;
            while (pairEnd < transfers.size() && transfers[pairEnd].companion) ++pairEnd;
            pairKept = false;
            pictureStays = false;
            // A companion that would be skipped cannot follow its picture.
            for (size_t other = index + 1; move && other < pairEnd; ++other) {
                pairKept |= transfers[other].existing == ExistingTarget::Replaceable &&
                            env.policy == AnswerPolicy::No;
            }
        } else if (pictureStays) {
            continue;
        }
        std::vector<UntransferredFile>& stayList = transfer.companion ? stayingCompanions : staying;
        if (pairKept) {
            const bool skipped =
                transfer.companion && transfer.existing == ExistingTarget::Replaceable;
            stayList.push_back({transfer.source, transfer.target, transfer.albumId,
                                skipped ? FileOutcome::Skipped : FileOutcome::PairKept});
            continue;
        }
        const auto line = [&](const char* action) {
            console.record({action, transfer.source, transfer.target});
        };
        switch (transfer.existing) {
            case ExistingTarget::None:
                line(move ? "move" : "copy");
                break;
            case ExistingTarget::ItsOwnSource:
                line("in place");
                continue;
            case ExistingTarget::WholeCopy:
                // Placed whole by an earlier run: a move only removes the source.
                line("in place");
                if (move) moving.insert(transfer.source);
                continue;
            case ExistingTarget::Replaceable:
                if (env.policy == AnswerPolicy::Yes) {
                    line("replace");
                    break;
                }
                if (env.policy == AnswerPolicy::No) {
                    stayList.push_back(
                        {transfer.source, transfer.target, transfer.albumId, FileOutcome::Skipped});
                    pictureStays = !transfer.companion;
                    continue;
                }
                // Asked on a terminal, or the first question under --abort.
                line("exists");
                continue;
            case ExistingTarget::Protected:
                continue;
        }
        moving.insert(transfer.source);
        ++(transfer.companion ? companionsWritten : written);
    }
    for (const GivenUpAlbum& album : plan.forcedGiveUps) {
        console.error("album '" + album.name + "' would be given up: " + album.reason);
    }
    printUntransferred(staying, console);
    printUntransferred(stayingCompanions, console);
    const std::string companions =
        companionsWritten == 0 ? std::string()
                               : " and " + std::to_string(companionsWritten) + " companion files";
    console.result("Dry run: " + std::to_string(written) + " pictures" + companions + " would be " +
                   (move ? "moved" : "copied") + " and " + std::to_string(folders) +
                   " folders made under " + target + "; nothing was written.");
    if (move) printLeftovers(workspace, target, env, moving, true);
    if (!check.processEnabled) return kExitFailure;
    return staying.empty() && stayingCompanions.empty() ? kExitSuccess : kExitFailure;
}

}  // namespace

bool takeProcessOption(const Option& option, ProcessOptions& options, std::string& problem) {
    std::optional<AnswerPolicy> policy;
    if (option.name == "--yes") {
        policy = AnswerPolicy::Yes;
    } else if (option.name == "--no") {
        policy = AnswerPolicy::No;
    } else if (option.name == "--abort") {
        policy = AnswerPolicy::Abort;
    } else if (option.name == "--move") {
        options.move = true;
    } else if (option.name == "--no-companions") {
        options.companions = false;
    } else if (option.name == "--dry-run") {
        options.dryRun = true;
    } else if (option.name == "-q" || option.name == "--quiet") {
        options.quiet = true;
    } else if (option.name == "-z") {
        options.nulRecords = true;
    } else {
        return false;
    }
    if (policy) {
        if (options.policy && *options.policy != *policy) {
            problem = "--yes, --no and --abort exclude each other";
        }
        options.policy = policy;
    }
    return true;
}

bool targetFolderUsable(const std::string& target, bool tryWriting, ProcessEnvironment& env) {
    FileSystem& fileSystem = env.fileSystem;
    const bool readable = folderReadable(fileSystem, target, env.console);
    env.fileSystem.takeLastFailure();
    if (!readable) return false;
    if (!tryWriting) return true;
    // Folders cannot be asked whether they take new files (permission bits
    // do not bind root, a read-only mount shows none): a file made and
    // removed again tells, before the first album would fail.
    const std::string probe =
        joinPath(target, ".lumora-write-check-" + std::to_string(static_cast<long>(::getpid())));
    ErrorCode writeError = kErrorSuccess;
    auto file = fileSystem.openWrite(probe, CreateMode::New, writeError);
    if (file && !file->close()) writeError = file->error();
    file.reset();
    if (writeError == kErrorSuccess) fileSystem.removeFile(probe);
    env.fileSystem.takeLastFailure();
    if (writeError != kErrorSuccess) {
        env.console.error(target + ": cannot write into the folder: " + describeError(writeError));
        return false;
    }
    return true;
}

int processIntoTarget(Workspace& workspace, const std::string& target,
                      const ProcessOptions& options, ProcessEnvironment& env, bool missingTarget) {
    Console& console = env.console;
    CliPrompter& prompter = env.prompter;
    if (workspace.albums.empty()) {
        console.error(kNoAlbumsText);
        return kExitFailure;
    }
    if (!workspace.selectTarget(target, prompter)) return kExitFailure;
    if (options.move) {
        // The choice is fixed once an album is processed; the option says why.
        ProcessOption option(workspace.albums, workspace.moveMode, prompter);
        if (!option.editable()) return kExitFailure;
        workspace.moveMode = 1;
    }
    if (startProcess(workspace, prompter) != ProcessStart::OpenDialog) return kExitFailure;
    workspace.bringCompanions = options.companions;

    ProgressSink quietSink;
    // A preview of a target still to be made asks its parent's volume.
    const std::string spaceFolder = missingTarget ? parentFolder(target) : target;
    const FreeSpaceCheck check = checkFreeSpace(
        workspace.albums, workspace.pictures(), spaceFolder, workspace.moveMode, env.fileSystem,
        prompter, quietSink, quietSink, &prompter, workspace.bringCompanions);
    if (options.dryRun) {
        console.result(check.firstStatus);
        if (!check.processEnabled) console.result(check.secondStatus);
        const ProcessReport plan =
            planWorkspaceAlbums(workspace, prompter, ProcessDialogSinks{quietSink, quietSink});
        return printPlan(workspace, plan, check, target, missingTarget, env);
    }
    if (!check.processEnabled) {
        console.result(check.firstStatus);
        console.result(check.secondStatus);
        const std::vector<UntransferredFile> refused = refusedForSpace(workspace);
        printUntransferred(refused, console);
        if (refused.empty()) return kExitSuccess;  // every album is processed already
        reportNotTransferred(refused, 0, console);
        return kExitFailure;
    }
    console.notice(check.firstStatus);

    RunProgress progress(console, picturesToProcess(workspace));
    const ProcessReport report = [&] {
        const StopOnSignals signals;
        return processWorkspaceAlbums(workspace, prompter,
                                      ProcessDialogSinks{progress.upper(), progress.lower()},
                                      &prompter, &signals.request());
    }();
    console.clearProgress();
    if (workspace.lastJournal.empty() && !workspace.journalProblem.empty()) {
        console.error("no journal of this run, it cannot be undone: " + workspace.journalProblem);
    }

    // "Operation canceled by user!" is not true when no album was given up
    // by an answer: the messages that left no choice say why instead.
    const bool noneByAnswer =
        report.albumsFailed > 0 &&
        report.forcedGiveUps.size() == static_cast<size_t>(report.albumsFailed);
    if (report.summaryText == kCanceledByUserText && noneByAnswer) {
        console.result("No album was created: " + report.forcedGiveUps.front().reason);
    } else {
        console.result(report.summaryText);
    }
    const std::string companions =
        companionSummarySuffix(report.companionsTransferred, workspace.moveMode == 1);
    if (!companions.empty()) console.result(companions.substr(1));
    if (!report.arrived.empty())
        console.result(arrivedLine(report.arrived.size(), workspace.moveMode == 1));
    printUntransferred(report.untransferred, console);
    printUntransferred(report.untransferredCompanions, console);
    for (const SplitPair& split : report.splitPairs) {
        console.error(split.picture + ": stays at the target without its companion " +
                      split.companion + ", as a file now stands at " + split.blocked);
    }
    if (workspace.moveMode == 1) printLeftovers(workspace, target, env, {}, false);
    for (const ChangedPicture& changed : report.changedSinceScan) {
        console.error(changed.source + ": changed since the scan (" +
                      std::to_string(changed.scannedSize) + " bytes then, " +
                      std::to_string(changed.size) + " bytes now); transferred as it is now");
    }
    // The picture arrived, but the card still holds it: a script that
    // trusts the move must hear of every one.
    for (const KeptSource& kept : report.keptSources) {
        console.error(kept.source + ": cannot remove the source: " + describeError(kept.error));
    }
    if (!report.keptSources.empty()) {
        console.error(std::to_string(report.keptSources.size()) + " of " +
                      std::to_string(report.filesTransferred) +
                      " moved pictures could not be removed from the source");
    }
    if (report.albumsFailed > 0) {
        console.error(std::to_string(report.albumsFailed) + " of " +
                      std::to_string(report.albumCount) + " albums were not processed");
    }
    // A script may remove the source after a success: any picture or
    // companion file that did not arrive makes the run fail, whatever the
    // albums' flags say.
    if (!report.untransferredCompanions.empty()) {
        reportNotTransferred(report.untransferredCompanions, report.companionsTransferred, console,
                             "companion files");
    }
    if (!report.untransferred.empty()) {
        reportNotTransferred(report.untransferred, report.filesTransferred, console);
        return report.stopped ? kExitInterrupted : kExitFailure;
    }
    if (!report.untransferredCompanions.empty() || !report.splitPairs.empty()) {
        return report.stopped ? kExitInterrupted : kExitFailure;
    }
    if (report.stopped) return kExitInterrupted;
    return report.albumsFailed > 0 || !report.keptSources.empty() ? kExitFailure : kExitSuccess;
}

}  // namespace lumora::cli
