#include "app/SessionCommands.h"

#include "albums/PictureSort.h"
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
                     workspace.albums, workspace.pictures(), workspace.removedPictures, error)) {
        tell(prompter, kFileCouldNotBeSavedText);
        return SessionResult::Failed;
    }
    return SessionResult::Done;
}

SessionResult loadSessionCommand(Workspace& workspace, const ChooseFile& chooseFile,
                                 Prompter& prompter, ProgressSink& progress) {
    const bool hadAlbums = !workspace.albums.empty();
    if (hadAlbums) {
        if (prompter.ask(kLoadQuestionText, "Warning", Buttons::OkCancel, Icon::None) !=
            kAnswerOk) {
            return SessionResult::Cancelled;
        }
        workspace.reset();
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

    const SessionValues& stored = data.values;
    workspace.dateFormat = stored.dateFormat;
    workspace.timeFormat = stored.timeFormat;
    workspace.excludeDuplicates = stored.excludeDuplicates;
    workspace.sourceText = stored.sourceText;
    workspace.scan(workspace.sourceText, prompter, progress);
    workspace.targetText = stored.targetText;
    workspace.albums = std::move(data.albums);
    workspace.duplicatesFound = stored.duplicatesFound;
    workspace.picturesAtScan = stored.picturesAtScan;
    workspace.freedBytes = stored.freedBytes;

    PictureList& pictures = workspace.pictures();
    sortPictures(pictures, kSortByDate, false);
    const bool matches = sourceMatches(pictures, data);
    if (!matches || !adaptEarlierSession(data, workspace.albums, pictures)) {
        prompter.ask(matches ? kEarlierSessionUnmatchedText : kSourceModifiedText, "Warning",
                     Buttons::Ok, Icon::None);
        workspace.albums.clear();
        workspace.catalog.clearPictures();
        workspace.catalog.clearDirectories();
        return SessionResult::SourceModified;
    }
    applyPictureRecords(data.pictures, pictures, workspace.removedPictures);
    if (workspace.duplicatesFound != 0) {
        workspace.statusText = loadedDuplicatesStatusText(
            static_cast<int>(pictures.size()), workspace.duplicatesFound, workspace.picturesAtScan);
        progress.setStatus(workspace.statusText);
    }
    return SessionResult::Done;
}

}  // namespace lumora
