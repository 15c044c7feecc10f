#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "albums/PictureSort.h"
#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "filters/FilterValueLists.h"
#include "filters/ValueListReport.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora::cli {
namespace {

int usage() {
    std::fprintf(stderr, "Usage: lumora-cli values DIR\n");
    return kExitUsage;
}

}  // namespace

// Scans DIR and prints the filter's value lists as the Advanced Filter dialog
// would fill its boxes from a film of all the listed pictures in date order.
int runValues(const Arguments& args) {
    std::string source;
    for (const std::string& arg : args) {
        if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli values: unknown option '%s'\n", arg.c_str());
            return usage();
        }
        if (!source.empty()) return usage();
        source = arg;
    }
    if (source.empty()) return usage();

    FileSystem& fileSystem = realFileSystem();
    std::vector<DirectoryEntry> probe;
    if (ErrorCode error = fileSystem.listDirectory(source, probe); error != kErrorSuccess) {
        std::fprintf(stderr, "lumora-cli values: %s: cannot read the folder (error %u)\n",
                     source.c_str(), error);
        return kExitFailure;
    }
    probe.clear();

    const std::unique_ptr<Prompter> prompter = scanQuestionPrompter(false);
    TerminalProgress progress;
    PictureCatalog catalog(fileSystem, systemClock());
    const ScanOutcome outcome = runScanCommand(catalog, source, *prompter, progress);
    progress.setStatus("");
    if (!outcome.completed) {
        std::fprintf(stderr, "lumora-cli values: the scan was stopped\n");
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
