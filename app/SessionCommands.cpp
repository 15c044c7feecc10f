#include "app/SessionCommands.h"

#include "albums/PictureSort.h"
#include "filters/CriterionText.h"
#include "session/EarlierSession.h"
#include "session/SessionLoad.h"
#include "session/SessionSave.h"

namespace lumora {
namespace {

void tell(Prompter& prompter, const char* text, const char* caption = "") {
    prompter.ask(text, caption, Buttons::Ok, Icon::None);
}

SessionValues valuesOf(const Workspace& workspace) {
    SessionValues values;
    values.dateFormat = workspace.dateFormat;
    values.timeFormat = workspace.timeFormat;
    values.excludeDuplicates = workspace.excludeDuplicates;
    values.sourceText = workspace.sourceText;
    values.targetText = workspace.targetText;
    values.duplicatesFound = workspace.duplicatesFound;
    values.picturesAtScan = workspace.picturesAtScan;
    values.freedBytes = workspace.freedBytes;
    return values;
}

}  // namespace

SessionResult saveSessionCommand(Workspace& workspace, const std::optional<std::string>& fileName,
                                 Prompter& prompter) {
    if (!fileName) {
        tell(prompter, kFileNotSavedText);
        return SessionResult::Cancelled;
    }
    ErrorCode error = kErrorSuccess;
    if (!saveSession(workspace.catalog.fileSystem(), *fileName, valuesOf(workspace),
                     workspace.albums, workspace.pictures(), workspace.removedPictures, error,
                     workspace.clocks)) {
        tell(prompter, kFileCouldNotBeSavedText);
        return SessionResult::Failed;
    }
    workspace.sessionFile = *fileName;
    return SessionResult::Done;
}

SessionResult loadSessionCommand(Workspace& workspace, const ChooseFile& chooseFile,
                                 Prompter& prompter, ProgressSink& progress) {
    // Nothing of the current work changes before the file was read, its
    // source rescanned and found to hold the session's pictures.
    const bool hadAlbums = !workspace.albums.empty();
    if (hadAlbums &&
        prompter.ask(kLoadQuestionText, "Warning", Buttons::OkCancel, Icon::None) != kAnswerOk) {
        return SessionResult::Cancelled;
    }
    const std::optional<std::string> fileName = chooseFile ? chooseFile() : std::nullopt;
    if (!fileName) {
        if (hadAlbums) tell(prompter, kFileNotLoadedText);
        return SessionResult::Cancelled;
    }

    SessionData data;
    ErrorCode error = kErrorSuccess;
    std::string problem;
    if (!readSessionFile(workspace.catalog.fileSystem(), *fileName, data, error, problem)) {
        tell(prompter, kFileCouldNotBeLoadedText);
        return SessionResult::Failed;
    }

    // The session's source is scanned aside, into a catalog of its own.
    const SessionValues& stored = data.values;
    PictureCatalog scanned(workspace.catalog.fileSystem());
    const ScanOutcome outcome = runScanCommand(scanned, stored.sourceText, prompter, progress);
    if (!outcome.warningText.empty()) tell(prompter, outcome.warningText.c_str());
    PictureList& pictures = scanned.pictures();
    sortPictures(pictures, kSortByDate, false);
    if (!sourceMatches(pictures, data)) {
        // The aside scan wrote its own status; the work's is shown again
        // behind the message.
        progress.setStatus(workspace.statusText);
        prompter.ask(sourceModifiedMessage(stored.sourceText, pictures, data), "Warning",
                     Buttons::Ok, Icon::None);
        return SessionResult::SourceModified;
    }
    if (!adaptEarlierSession(data, data.albums, pictures)) {
        progress.setStatus(workspace.statusText);
        prompter.ask(kEarlierSessionUnmatchedText, "Warning", Buttons::Ok, Icon::None);
        return SessionResult::SourceModified;
    }
    PictureList removed;
    applyPictureRecords(data.pictures, pictures, removed);
    // The records lie over the times the cameras wrote; the corrections
    // come after them.
    applyCameraClocks(data.clocks, pictures);
    applyCameraClocks(data.clocks, removed);
    // An earlier version's records came in the order of its own values.
    sortPictures(pictures, kSortByDate, false);
    sortPictures(removed, kSortByDate, false);

    workspace.adoptScan(scanned, outcome);
    workspace.removedPictures = std::move(removed);
    workspace.clocks = std::move(data.clocks);
    workspace.dateFormat = stored.dateFormat;
    workspace.timeFormat = stored.timeFormat;
    workspace.excludeDuplicates = stored.excludeDuplicates;
    workspace.sourceText = stored.sourceText;
    workspace.targetText = stored.targetText;
    workspace.albums = std::move(data.albums);
    workspace.duplicatesFound = stored.duplicatesFound;
    workspace.picturesAtScan = stored.picturesAtScan;
    workspace.freedBytes = stored.freedBytes;
    if (workspace.duplicatesFound != 0) {
        const int pictureCount = static_cast<int>(workspace.pictures().size());
        workspace.statusText = loadedDuplicatesStatusText(pictureCount, workspace.duplicatesFound,
                                                          workspace.picturesAtScan);
        progress.setStatus(workspace.statusText);
    }
    workspace.sessionFile = *fileName;
    return SessionResult::Done;
}

std::string sourceModifiedMessage(const std::string& sourceText, const PictureList& pictures,
                                  const SessionData& data) {
    // The session holds no paths: what it can tell are the number of its
    // pictures and their total size.
    const long saved = static_cast<long>(data.pictures.size());
    const long found = static_cast<long>(pictures.size());
    auto count = [](long n) { return std::to_string(n) + (n == 1 ? " picture" : " pictures"); };
    std::string change;
    if (found < saved) {
        change = count(saved - found) + (saved - found == 1 ? " is" : " are") + " missing";
    } else if (found > saved) {
        change = count(found - saved) + (found - saved == 1 ? " was" : " were") + " added";
    } else {
        // Sizes are whole bytes times 2^-20, summed exactly in the double.
        change = formatText(
            "a picture was resized or replaced (%.0f bytes now, %.0f bytes in the "
            "session)",
            totalMegabytes(pictures, false) * 1048576.0, data.totalSize * 1048576.0);
    }
    return std::string(kSourceModifiedText) + "\n" + sourceText + " holds " + count(found) +
           ", the session " + count(saved) + ": " + change + ".";
}

}  // namespace lumora
