#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "albums/DateTimeText.h"
#include "albums/Megabytes.h"
#include "albums/PictureSort.h"
#include "app/CameraClockChange.h"
#include "app/SessionCommands.h"
#include "app/Workspace.h"
#include "cli/CliSupport.h"
#include "cli/ClockOptions.h"
#include "cli/Commands.h"
#include "cli/ErrorWords.h"
#include "cli/Options.h"
#include "cli/ProcessRun.h"
#include "cli/SessionFileTarget.h"

namespace lumora::cli {
namespace {

constexpr const char* kCommand = "organize";

// The album name of a picture: its date in date format 1 without the
// brackets, cut to the month when grouping by month.
std::string groupName(uint64_t dateTime, bool byMonth) {
    std::string text = dateText(dateTime, 1);
    text = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string();
    return byMonth ? text.substr(0, 7) : text;
}

// One album per calendar day (or month) of the pictures, which are in date
// order, each going into a sub-folder of its name directly under the target.
void makeDateAlbums(Workspace& workspace, bool byMonth, bool cameraModel) {
    Album* album = nullptr;
    std::string current;
    for (PictureEntry& picture : workspace.pictures()) {
        const std::string name = groupName(picture.dateTime, byMonth);
        if (album == nullptr || name != current) {
            album = &appendNewAlbum(workspace.albums);
            album->name = name;
            album->directoryName = std::string(1, kPathSeparator);
            album->addCameraModel = cameraModel ? 1 : 0;
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

// Takes the pictures below the target out of the list when the target lies
// inside the source: they are the results of an earlier run, and organising
// them again would copy the copies on every run. Returns them.
PictureList leaveOutTarget(Workspace& workspace, const std::string& target) {
    FileSystem& fileSystem = workspace.catalog.fileSystem();
    std::vector<std::string> inside;
    for (const std::string& folder : workspace.catalog.directories()) {
        if (sameFile(fileSystem, folder, target)) inside.push_back(folder + kPathSeparator);
    }
    PictureList leftOut;
    if (inside.empty()) return leftOut;
    PictureList kept;
    for (PictureEntry& picture : workspace.pictures()) {
        const bool below =
            std::any_of(inside.begin(), inside.end(), [&](const std::string& prefix) {
                return picture.path.compare(0, prefix.size(), prefix) == 0;
            });
        (below ? leftOut : kept).push_back(std::move(picture));
    }
    workspace.pictures() = std::move(kept);
    return leftOut;
}

// Answers nothing and shows nothing: the command says itself what failed.
class SilentPrompter : public Prompter {
  public:
    int ask(const std::string&, const std::string&, Buttons, Icon) override { return kAnswerOk; }
};

// Writes the albums through the window's "Save Session". The pictures left
// out because they lie in a target inside the source go in as removed
// pictures: loading rescans the whole source, and must find every picture
// it holds among the session's records, but they join no album.
bool saveAlbumsAsSession(Workspace& workspace, PictureList leftOut, const std::string& file,
                         ProcessEnvironment& env) {
    PictureList everyPicture = workspace.pictures();
    everyPicture.insert(everyPicture.end(), leftOut.begin(), leftOut.end());
    everyPicture.insert(everyPicture.end(), workspace.removedPictures.begin(),
                        workspace.removedPictures.end());
    if (!sessionFileMayBeWritten(file, everyPicture, env)) return false;
    for (PictureEntry& picture : leftOut) {
        picture.isRemoved = 1;
        picture.albumId = 0;
        workspace.removedPictures.push_back(std::move(picture));
    }
    SilentPrompter silent;
    env.fileSystem.takeLastFailure();
    if (saveSessionCommand(workspace, file, silent) != SessionResult::Done) {
        const std::optional<FailedCall> failure = env.fileSystem.takeLastFailure();
        env.console.error(file + ": " + kFileCouldNotBeSavedText +
                          (failure ? " (" + describeFailure(*failure) + ")" : std::string()));
        return false;
    }
    env.console.result("Session saved to " + file + ": " + std::to_string(workspace.albums.size()) +
                       " albums of " + std::to_string(workspace.pictures().size()) +
                       " pictures. Open it in the window, or run 'lumora-cli process " + file +
                       "'.");
    return true;
}

struct OrganizeRequest {
    ProcessOptions options;
    bool byMonth = false;
    bool cameraModel = false;  // " [model]" ends every new name
    std::string sessionFile;
    std::string source;
    std::string target;
    std::vector<ClockRequest> clocks;  // cameras whose clocks were wrong
};

// The target: made when missing (its parent must exist), or only noted as
// to be made by a preview. False after an error line.
bool prepareTarget(const OrganizeRequest& request, ProcessEnvironment& env, bool& missing) {
    FileIdentity identity;
    missing = !env.fileSystem.identify(request.target, identity);
    const bool preview = request.options.dryRun;
    if (missing) {
        if (preview) {
            const size_t slash = lastPathSeparator(request.target);
            const std::string parent = slash == std::string::npos ? "."
                                       : slash == 0               ? "/"
                                                                  : request.target.substr(0, slash);
            std::vector<DirectoryEntry> entries;
            if (env.fileSystem.listDirectory(parent, entries) != kErrorSuccess) {
                env.fileSystem.takeLastFailure();
                env.console.error(request.target +
                                  ": cannot be made: " + describeError(kErrorPathNotFound));
                return false;
            }
            return true;
        }
        const ErrorCode error = env.fileSystem.createDirectory(request.target);
        env.fileSystem.takeLastFailure();
        if (error != kErrorSuccess) {
            env.console.error(request.target +
                              ": cannot create the folder: " + describeError(error));
            return false;
        }
        missing = false;
    }
    return targetFolderUsable(request.target, !preview, env);
}

int organize(OrganizeRequest request, const CommandContext& context) {
    Console console(kCommand, context.out, context.err, context.errIsTerminal);
    console.setQuiet(request.options.quiet);
    console.setNulRecords(request.options.nulRecords);
    FailureWatch fileSystem(context.fileSystem);
    if (!request.sessionFile.empty()) {
        // A session is opened later, from anywhere: its folders are kept
        // as full paths.
        request.source = fullPath(request.source);
        request.target = fullPath(request.target);
    }
    const std::optional<AnswerPolicy> policy = request.options.policy ? request.options.policy
                                               : context.inputIsTerminal
                                                   ? std::nullopt
                                                   : std::optional(AnswerPolicy::No);
    CliPrompter prompter(console, policy, &fileSystem, context.input);
    ProcessEnvironment env{console, fileSystem, prompter, policy};

    if (!folderReadable(fileSystem, request.source, console)) return kExitFailure;
    // Refused before anything is made or written in it.
    if (sameFile(fileSystem, request.source, request.target)) {
        console.error(request.target + ": " + kSameAsSourceText);
        return kExitFailure;
    }
    bool missingTarget = false;
    if (!prepareTarget(request, env, missingTarget)) return kExitFailure;
    std::string problem;

    Workspace workspace(fileSystem);
    // Its pictures are left out of the albums below (leaveOutTarget), and a
    // saved session lists them as removed.
    workspace.targetInsideSourceAllowed = true;
    int unreadableFolders = 0;
    fileSystem.setListingFailureHandler([&](const FailedCall& call) {
        ++unreadableFolders;
        console.error(describeFailure(call) + "; its pictures are left out");
    });
    TerminalProgress progress(console);
    const ScanOutcome scanned = workspace.setSource(request.source, prompter, progress);
    fileSystem.setListingFailureHandler(nullptr);
    console.clearProgress();
    if (!scanned.completed) {
        console.error("the scan was stopped");
        return kExitFailure;
    }
    console.notice(scanned.statusText);
    const size_t unreadableFiles = fileSystem.unreadableFiles().size();
    const auto withUnreadable = [&](int code) {
        return reportUnreadable(request.source, unreadableFolders, unreadableFiles, console)
                   ? kExitFailure
                   : code;
    };
    PictureList leftOut = leaveOutTarget(workspace, request.target);
    if (workspace.pictures().empty()) {
        console.error(request.source + ": " + kNoPicturesStatusText);
        return withUnreadable(kExitFailure);
    }
    CameraClocks clocks;
    if (!resolveClockRequests(request.clocks, workspace.pictures(), clocks, problem)) {
        console.error(problem);
        return withUnreadable(kExitFailure);
    }
    // The numbers in the names follow the times the cameras wrote, so that a
    // corrected clock changes the names of its own camera's pictures only.
    sortPictures(workspace.pictures(), kSortByDate, false);
    workspace.assignPictureIds();
    // No album exists yet: nothing can be asked. The pictures are sorted by
    // their corrected times again.
    changeCameraClocks(workspace, clocks, prompter);
    makeDateAlbums(workspace, request.byMonth, request.cameraModel);

    if (!request.sessionFile.empty()) {
        if (!workspace.selectTarget(request.target, prompter)) return kExitFailure;
        if (!saveAlbumsAsSession(workspace, std::move(leftOut), request.sessionFile, env)) {
            return kExitFailure;
        }
        if (!request.options.dryRun) return withUnreadable(kExitSuccess);
    }
    return withUnreadable(
        processIntoTarget(workspace, request.target, request.options, env, missingTarget));
}

}  // namespace

int organizeCommand(const Arguments& args, const CommandContext& context) {
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {"--by", "--save-session", kClockOption}, parsed, problem)) {
        return usageError(kCommand, problem);
    }
    OrganizeRequest request;
    for (const Option& option : parsed.options) {
        if (takeProcessOption(option, request.options, problem)) {
            if (!problem.empty()) return usageError(kCommand, problem);
        } else if (option.name == "--by") {
            if (option.value != "day" && option.value != "month") {
                return usageError(kCommand, "--by takes day or month");
            }
            request.byMonth = option.value == "month";
        } else if (option.name == kClockOption) {
            ClockRequest clock;
            if (!parseClockRequest(option.value, clock, problem)) {
                return usageError(kCommand, problem);
            }
            request.clocks.push_back(clock);
        } else if (option.name == "--camera-model") {
            request.cameraModel = true;
        } else if (option.name == "--save-session") {
            if (option.value.empty()) return usageError(kCommand, "--save-session needs a file");
            request.sessionFile = option.value;
        } else {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
    }
    if (parsed.operands.size() != 2) return usageError(kCommand, "give SRC and TARGET");
    request.source = parsed.operands[0];
    request.target = parsed.operands[1];
    return organize(request, context);
}

int runOrganize(const Arguments& args) {
    return organizeCommand(args, standardContext());
}

}  // namespace lumora::cli
