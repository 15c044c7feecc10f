#include <cstdio>
#include <string>

#include "albums/PictureSort.h"
#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Options.h"
#include "filters/FilterValueLists.h"
#include "filters/ValueListReport.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora::cli {
namespace {

constexpr const char* kCommand = "values";

}  // namespace

// Scans DIR and prints the filter's value lists as the Advanced Filter dialog
// would fill its boxes from a film of all the listed pictures in date order.
int runValues(const Arguments& args) {
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {}, parsed, problem)) return usageError(kCommand, problem);
    bool quiet = false;
    for (const Option& option : parsed.options) {
        if (option.name != "-q" && option.name != "--quiet") {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
        quiet = true;
    }
    if (parsed.operands.size() != 1) return usageError(kCommand, "give one folder");
    const std::string& source = parsed.operands[0];

    Console console(kCommand);
    console.setQuiet(quiet);
    FailureWatch fileSystem(realFileSystem());
    if (!folderReadable(fileSystem, source, console)) return kExitFailure;
    CliPrompter prompter(console, questionPolicy(std::nullopt), &fileSystem);
    TerminalProgress progress(console);
    PictureCatalog catalog(fileSystem);
    const ScanOutcome outcome = runScanCommand(catalog, source, prompter, progress);
    console.clearProgress();
    if (!outcome.completed) {
        console.error("the scan was stopped");
        return kExitFailure;
    }

    PictureList& pictures = catalog.pictures();
    sortPictures(pictures, kSortByDate, false);
    FilterValueLists values;
    const CriterionFlags rebuildAll{};
    for (const PictureEntry& entry : pictures) {
        if (entry.exif) addToValueLists(values, *entry.exif, rebuildAll);
    }
    sortValueLists(values);
    const std::string report = valueListsReport(values);
    std::fwrite(report.data(), 1, report.size(), stdout);
    return kExitSuccess;
}

}  // namespace lumora::cli
