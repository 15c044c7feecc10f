#include "cli/DuplicatesCommand.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "catalog/PictureCatalog.h"
#include "catalog/ScanCommand.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/ExifJson.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/DuplicateTexts.h"
#include "duplicates/SignatureAnalysis.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora::cli {
namespace {

int usage() {
    std::fprintf(stderr, "Usage: lumora-cli duplicates [--json] [--yes] DIR\n");
    return kExitUsage;
}

// The groups of the comparison's lines, each one JSON object on one line:
// {"group":1,"pictures":["the picture that stays","a duplicate",...]}.
void printJsonGroups(const std::vector<std::string>& lines, std::FILE* out) {
    std::string group;
    int number = 0;
    const auto flush = [&] {
        if (number != 0) {
            std::fprintf(out, "{\"group\":%d,\"pictures\":[%s]}\n", number, group.c_str());
        }
    };
    for (const std::string& line : lines) {
        if (line == groupHeaderLine(number + 1)) {
            flush();
            ++number;
            group.clear();
            continue;
        }
        if (!group.empty()) group += ',';
        group += jsonString(line);
    }
    flush();
}

}  // namespace

int runDuplicates(const Arguments& args) {
    bool json = false;
    bool answerYes = false;
    std::string source;
    for (const std::string& arg : args) {
        if (arg == "--json") {
            json = true;
        } else if (arg == "--yes" || arg == "-y") {
            answerYes = true;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli duplicates: unknown option '%s'\n", arg.c_str());
            return usage();
        } else if (source.empty()) {
            source = arg;
        } else {
            return usage();
        }
    }
    if (source.empty()) return usage();

    const std::unique_ptr<Prompter> prompter = scanQuestionPrompter(answerYes);
    TerminalProgress progress;
    return printDuplicates(source, json, realFileSystem(), *prompter, progress, stdout, stderr);
}

int printDuplicates(const std::string& source, bool json, FileSystem& fileSystem,
                    Prompter& prompter, ProgressSink& progress, std::FILE* out, std::FILE* err) {
    std::vector<DirectoryEntry> probe;
    if (ErrorCode error = fileSystem.listDirectory(source, probe); error != kErrorSuccess) {
        std::fprintf(err, "lumora-cli duplicates: %s: cannot read the folder (error %u)\n",
                     source.c_str(), error);
        return kExitFailure;
    }
    PictureCatalog catalog(fileSystem, systemClock());
    const ScanOutcome outcome = runScanCommand(catalog, source, prompter, progress);
    if (!outcome.completed) {
        progress.setStatus("");
        std::fprintf(err, "lumora-cli duplicates: the scan was stopped\n");
        return kExitFailure;
    }
    analysePictures(catalog.pictures(), progress, fileSystem, defaultAnalysisHelpers());
    std::vector<std::string> lines;
    const int found = findDuplicates(catalog.pictures(), lines, progress);
    progress.setStatus("");

    if (json) {
        printJsonGroups(lines, out);
    } else {
        for (const std::string& line : lines) std::fprintf(out, "%s\n", line.c_str());
        std::fprintf(out, "%s\n", searchFinishedText(found).c_str());
    }
    return kExitSuccess;
}

}  // namespace lumora::cli
