#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "albums/DateTimeText.h"
#include "albums/Megabytes.h"
#include "albums/PictureSort.h"
#include "app/Workspace.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/ProcessRun.h"

namespace lumora::cli {
namespace {

int usage() {
    std::fprintf(stderr,
                 "Usage: lumora-cli organize SRC TARGET [--by day|month] [--move] "
                 "[--yes|--no|--abort]\n");
    return kExitUsage;
}

// The album name of a picture: its date in date format 1 without the
// brackets, cut to the month when grouping by month.
std::string groupName(uint64_t dateTime, bool byMonth, const Clock& clock) {
    std::string text = dateText(dateTime, 1, clock);
    text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
    return byMonth ? text.substr(0, 7) : text;
}

// One album per calendar day (or month) of the pictures, which are in date
// order, each going into a sub-folder of its name directly under the target.
void makeDateAlbums(Workspace& workspace, bool byMonth) {
    Album* album = nullptr;
    std::string current;
    for (PictureEntry& picture : workspace.pictures()) {
        const std::string name = groupName(picture.dateTime, byMonth, workspace.clock());
        if (album == nullptr || name != current) {
            album = &appendNewAlbum(workspace.albums);
            album->name = name;
            album->directoryName = std::string(1, kPathSeparator);
            album->unsaved = 0;
            album->startKey = album->startTime = picture.dateTime;
            current = name;
        }
        picture.albumId = album->id;
        album->endKey = album->endTime = picture.dateTime;
        ++album->pictureCount;
        album->sizeMB += megabytesOf(picture.fileSize);
    }
}

// Leaves out the pictures below the target when the target lies inside the
// source: they are the results of an earlier run, and organising them again
// would copy the copies on every run.
void leaveOutTarget(Workspace& workspace, const std::string& target) {
    FileSystem& fileSystem = workspace.catalog.fileSystem();
    std::vector<std::string> inside;
    for (const std::string& folder : workspace.catalog.directories()) {
        if (sameFile(fileSystem, folder, target)) inside.push_back(folder + kPathSeparator);
    }
    if (inside.empty()) return;
    std::erase_if(workspace.pictures(), [&](const PictureEntry& picture) {
        return std::any_of(inside.begin(), inside.end(), [&](const std::string& prefix) {
            return picture.path.compare(0, prefix.size(), prefix) == 0;
        });
    });
}

}  // namespace

int runOrganize(const Arguments& arguments) {
    Arguments args = arguments;
    ProcessOptions options;
    if (!takeProcessOptions(args, options, "organize")) return usage();
    bool byMonth = false;
    Arguments folders;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--by") {
            if (i + 1 >= args.size()) return usage();
            const std::string& unit = args[++i];
            if (unit != "day" && unit != "month") {
                std::fprintf(stderr, "lumora-cli organize: --by takes day or month\n");
                return usage();
            }
            byMonth = unit == "month";
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli organize: unknown option '%s'\n", arg.c_str());
            return usage();
        } else {
            folders.push_back(arg);
        }
    }
    if (folders.size() != 2) return usage();
    const std::string& source = folders[0];
    const std::string& target = folders[1];

    Workspace workspace;
    FileSystem& fileSystem = workspace.catalog.fileSystem();
    std::vector<DirectoryEntry> probe;
    if (ErrorCode error = fileSystem.listDirectory(source, probe); error != kErrorSuccess) {
        std::fprintf(stderr, "lumora-cli organize: %s: cannot read the folder (error %u)\n",
                     source.c_str(), error);
        return kExitFailure;
    }
    // The target itself is made when missing; its parent must exist.
    if (ErrorCode error = fileSystem.createDirectory(target);
        error != kErrorSuccess && error != kErrorAlreadyExists) {
        std::fprintf(stderr, "lumora-cli organize: %s: cannot create the folder (error %u)\n",
                     target.c_str(), error);
        return kExitFailure;
    }

    // An unreadable picture is skipped, as `scan` does without a terminal.
    PolicyPrompter scanPrompter({kAnswerOk});
    TerminalProgress progress;
    const ScanOutcome scanned = workspace.setSource(source, scanPrompter, progress);
    progress.setStatus("");
    if (!scanned.completed) return kExitFailure;
    leaveOutTarget(workspace, target);
    if (workspace.pictures().empty()) {
        std::printf("%s\n", scanned.statusText.c_str());
        return kExitFailure;
    }
    sortPictures(workspace.pictures(), kSortByDate, false);
    workspace.assignPictureIds();
    makeDateAlbums(workspace, byMonth);
    return processIntoTarget(workspace, target, options, "organize");
}

}  // namespace lumora::cli
