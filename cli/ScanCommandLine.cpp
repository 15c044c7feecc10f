#include <cstdio>
#include <string>

#include "albums/CameraClock.h"
#include "albums/DateTimeText.h"
#include "albums/FilmLabel.h"
#include "catalog/LeftOutFile.h"
#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "cli/CliSupport.h"
#include "cli/ClockOptions.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora::cli {
namespace {

constexpr const char* kCommand = "scan";
constexpr int kDefaultDateFormat = 1;
constexpr int kDefaultTimeFormat = 1;

}  // namespace

int scanCommand(const Arguments& args, const CommandContext& context) {
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {kClockOption}, parsed, problem)) {
        return usageError(kCommand, problem);
    }
    std::vector<ClockRequest> clocks;
    bool answerYes = false;
    bool quiet = false;
    bool nulRecords = false;
    bool leftOut = false;
    for (const Option& option : parsed.options) {
        if (option.name == "--yes" || option.name == "-y") {
            answerYes = true;
        } else if (option.name == "-q" || option.name == "--quiet") {
            quiet = true;
        } else if (option.name == "-z") {
            nulRecords = true;
        } else if (option.name == "--left-out") {
            leftOut = true;
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
    if (parsed.operands.size() != 1) return usageError(kCommand, "give one folder");
    const std::string& source = parsed.operands[0];

    Console console(kCommand, context.out, context.err, context.errIsTerminal);
    console.setQuiet(quiet);
    console.setNulRecords(nulRecords);
    FailureWatch fileSystem(context.fileSystem);
    if (!folderReadable(fileSystem, source, console)) return kExitFailure;
    int unreadableFolders = 0;
    fileSystem.setListingFailureHandler([&](const FailedCall& call) {
        ++unreadableFolders;
        console.error(describeFailure(call) + "; its pictures are left out");
    });
    const std::optional<AnswerPolicy> policy =
        answerYes               ? std::optional(AnswerPolicy::No)
        : context.inputIsTerminal ? std::nullopt
                                  : std::optional(AnswerPolicy::No);
    CliPrompter prompter(console, policy, &fileSystem, context.input);
    TerminalProgress progress(console);
    PictureCatalog catalog(fileSystem);
    const ScanOutcome outcome = runScanCommand(catalog, source, prompter, progress);
    fileSystem.setListingFailureHandler(nullptr);
    console.clearProgress();

    CameraClocks corrections;
    if (!resolveClockRequests(clocks, catalog.pictures(), corrections, problem)) {
        console.error(problem);
        return kExitFailure;
    }
    applyCameraClocks(corrections, catalog.pictures());
    // A corrected time is marked as the film marks it.
    for (const PictureEntry& entry : catalog.pictures()) {
        console.record({entry.path, dateText(entry.dateTime, kDefaultDateFormat),
                        filmLabelTime(entry, kDefaultTimeFormat), entry.exif->CameraMake,
                        entry.exif->CameraModel});
    }
    if (leftOut) {
        for (const LeftOutFile& file : catalog.leftOut()) {
            console.record({"left-out", leftOutReasonText(file.reason), file.path});
        }
    }
    console.result(statusWithLeftOut(outcome));
    if (!outcome.warningText.empty()) console.result(outcome.warningText);
    if (!outcome.completed) {
        console.error("the scan was stopped");
        return kExitFailure;
    }
    // The list misses whatever could not be read: it is not the whole source.
    if (reportUnreadable(source, unreadableFolders, fileSystem.unreadableFiles().size(), console)) {
        return kExitFailure;
    }
    return kExitSuccess;
}

int runScan(const Arguments& args) {
    return scanCommand(args, standardContext());
}

}  // namespace lumora::cli
