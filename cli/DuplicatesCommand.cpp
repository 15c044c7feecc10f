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
#include "cli/Options.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/DuplicateTexts.h"
#include "duplicates/SignatureAnalysis.h"
#include "platform/FileSystem.h"
#include "platform/Time.h"

namespace lumora::cli {
namespace {

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
    constexpr const char* kCommand = "duplicates";
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {}, parsed, problem)) return usageError(kCommand, problem);
    bool json = false;
    bool answerYes = false;
    bool quiet = false;
    for (const Option& option : parsed.options) {
        if (option.name == "--json") {
            json = true;
        } else if (option.name == "--yes" || option.name == "-y") {
            answerYes = true;
        } else if (option.name == "-q" || option.name == "--quiet") {
            quiet = true;
        } else {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
    }
    if (parsed.operands.size() != 1) return usageError(kCommand, "give one folder");

    Console console(kCommand);
    console.setQuiet(quiet);
    FailureWatch fileSystem(realFileSystem());
    CliPrompter prompter(console,
                         answerYes ? std::optional(AnswerPolicy::No) : questionPolicy(std::nullopt),
                         &fileSystem);
    TerminalProgress progress(console);
    const int code =
        printDuplicates(parsed.operands[0], json, fileSystem, prompter, progress, stdout, stderr);
    console.clearProgress();
    return code;
}

int printDuplicates(const std::string& source, bool json, FileSystem& fileSystem,
                    Prompter& prompter, ProgressSink& progress, std::FILE* out, std::FILE* err) {
    std::vector<DirectoryEntry> probe;
    if (ErrorCode error = fileSystem.listDirectory(source, probe); error != kErrorSuccess) {
        std::fprintf(err, "lumora-cli duplicates: %s\n",
                     folderProblem(fileSystem, source, error).c_str());
        return kExitFailure;
    }
    PictureCatalog catalog(fileSystem);
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
