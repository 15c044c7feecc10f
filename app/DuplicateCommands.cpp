#include "app/DuplicateCommands.h"

#include "duplicates/DuplicateRemoval.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/DuplicateTexts.h"

namespace lumora {

int analyseDuplicates(Workspace& workspace, ProgressSink& progress, int helpers) {
    return analysePictures(workspace.pictures(), progress, workspace.catalog.fileSystem(), helpers);
}

int compareDuplicates(Workspace& workspace, std::vector<std::string>& lines,
                      ProgressSink& progress) {
    const int found = findDuplicates(workspace.pictures(), lines, progress);
    if (found != 0 && workspace.duplicatesFound == 0) workspace.duplicatesFound = found;
    return found;
}

bool removeSelectedDuplicate(Workspace& workspace, const std::string& line,
                             std::vector<std::string>& lines, Prompter& prompter,
                             ProgressSink& progress) {
    const int removed =
        workspace.pictures().empty()
            ? 0
            : removePicturesWithPath(workspace.pictures(), line, workspace.removedPictures,
                                     workspace.freedBytes);
    if (removed == 0) {
        prompter.ask(kItemNotRemovedText, "", Buttons::Ok, Icon::None);
        return false;
    }
    compareDuplicates(workspace, lines, progress);
    return true;
}

int markedDuplicateCount(const Workspace& workspace) {
    int marked = 0;
    for (const PictureEntry& picture : workspace.catalog.pictures()) {
        if (picture.isDuplicate != 0) ++marked;
    }
    return marked;
}

void acceptDuplicates(Workspace& workspace, bool exclude, Prompter& prompter) {
    workspace.excludeDuplicates = exclude ? 1 : 0;
    if (workspace.excludeDuplicates != 0) {
        removeMarkedDuplicates(workspace.pictures(), workspace.removedPictures,
                               workspace.freedBytes);
    }
    workspace.filmBuilt = 0;
    if (workspace.freedBytes != 0.0f) {
        const int64_t removed =
            static_cast<int64_t>(workspace.picturesAtScan) - workspace.catalog.pictureCount();
        prompter.ask(spaceFreedText(removed, workspace.freedBytes), "", Buttons::Ok, Icon::None);
    }
}

void finishDuplicateSearch(Workspace& workspace) {
    const std::string summary = duplicatesSummaryText(
        workspace.catalog.pictureCount(), workspace.picturesAtScan, workspace.duplicatesFound);
    if (!summary.empty()) workspace.statusText = summary;
    recountAlbums(workspace.albums, workspace.pictures());
}

}  // namespace lumora
