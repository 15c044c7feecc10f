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

int runScan(const Arguments& args) {
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

    Console console(kCommand);
    console.setQuiet(quiet);
    console.setNulRecords(nulRecords);
    FailureWatch fileSystem(realFileSystem());
    if (!folderReadable(fileSystem, source, console)) return kExitFailure;
    fileSystem.setListingFailureHandler([&](const FailedCall& call) {
        console.error(describeFailure(call) + "; its pictures are left out");
    });
    CliPrompter prompter(console,
                         answerYes ? std::optional(AnswerPolicy::No) : questionPolicy(std::nullopt),
                         &fileSystem);
    TerminalProgress progress(console);
    PictureCatalog catalog(fileSystem);
    const ScanOutcome outcome = runScanCommand(catalog, source, prompter, progress);
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
    return kExitSuccess;
}

}  // namespace lumora::cli
