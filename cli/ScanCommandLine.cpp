#include <cstdio>
#include <memory>
#include <string>

#include "albums/DateTimeText.h"
#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora::cli {
namespace {

constexpr int kDefaultDateFormat = 1;
constexpr int kDefaultTimeFormat = 1;

int usage() {
    std::fprintf(stderr, "Usage: lumora-cli scan [--yes] DIR\n");
    return kExitUsage;
}

}  // namespace

int runScan(const Arguments& args) {
    bool answerYes = false;
    std::string source;
    for (const std::string& arg : args) {
        if (arg == "--yes" || arg == "-y") {
            answerYes = true;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli scan: unknown option '%s'\n", arg.c_str());
            return usage();
        } else if (source.empty()) {
            source = arg;
        } else {
            return usage();
        }
    }
    if (source.empty()) return usage();

    FileSystem& fileSystem = realFileSystem();
    std::vector<DirectoryEntry> probe;
    if (ErrorCode error = fileSystem.listDirectory(source, probe); error != kErrorSuccess) {
        std::fprintf(stderr, "lumora-cli scan: %s: cannot read the folder (error %u)\n",
                     source.c_str(), error);
        return kExitFailure;
    }
    probe.clear();

    const std::unique_ptr<Prompter> prompter = scanQuestionPrompter(answerYes);
    TerminalProgress progress;
    const Clock& clock = systemClock();
    PictureCatalog catalog(fileSystem, clock);
    const ScanOutcome outcome = runScanCommand(catalog, source, *prompter, progress);
    progress.setStatus("");

    for (const PictureEntry& entry : catalog.pictures()) {
        std::printf("%s\t%s\t%s\t%s\t%s\n", entry.path.c_str(),
                    dateText(entry.dateTime, kDefaultDateFormat, clock).c_str(),
                    timeText(entry.dateTime, kDefaultTimeFormat, clock).c_str(),
                    entry.exif->CameraMake, entry.exif->CameraModel);
    }
    std::printf("%s\n", outcome.statusText.c_str());
    if (!outcome.warningText.empty()) std::printf("%s\n", outcome.warningText.c_str());
    if (!outcome.completed) {
        std::fprintf(stderr, "lumora-cli scan: the scan was stopped\n");
        return kExitFailure;
    }
    return kExitSuccess;
}

}  // namespace lumora::cli
