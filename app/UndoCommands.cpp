#include "app/UndoCommands.h"

#include <algorithm>

namespace lumora {

std::string journalToUndo(Workspace& workspace) {
    FileSystem& fileSystem = workspace.catalog.fileSystem();
    FileStamp stamp;
    if (!workspace.lastJournal.empty() && fileSystem.stamp(workspace.lastJournal, stamp))
        return workspace.lastJournal;
    if (workspace.targetText == kNotSelectedText) return std::string();
    return latestJournal(fileSystem, workspace.targetText);
}

AlbumNames albumsOfRun(const RunJournalContents& journal) {
    if (!journal.ended) return journal.albums;
    AlbumNames albums;
    for (const auto& album : journal.albums) {
        if (std::find(journal.processedAlbums.begin(), journal.processedAlbums.end(),
                      album.first) != journal.processedAlbums.end()) {
            albums.push_back(album);
        }
    }
    return albums;
}

std::string undoQuestionText(const UndoPlan& plan) {
    const RunJournalContents& run = plan.journal;
    return "Undo the run of " + run.started + " (" + (run.moveMode == 1 ? "move" : "copy") +
           " into " + run.target + ")? It will: " + undoCountsText(countPlan(plan)) + ".";
}

std::string alreadyUndoneText(const std::string& journal) {
    return "This run was undone already (" + journal + "); nothing is done.";
}

std::string forgetQuestionText(const std::string& journal) {
    return "Forget " + journal +
           "? The journal and the files its replaces set aside are deleted; the run can no "
           "longer be undone.";
}

int unprocessRunAlbums(Workspace& workspace, const RunJournalContents& journal) {
    int count = 0;
    for (const auto& [id, name] : albumsOfRun(journal)) {
        for (Album& album : workspace.albums) {
            if (album.id == id && album.name == name && album.processed) {
                album.processed = 0;
                ++count;
            }
        }
    }
    return count;
}

std::string sessionStillMarking(FileSystem& fileSystem, const RunJournalContents& journal,
                                std::vector<int32_t>& marked) {
    marked.clear();
    if (journal.sessionFile.empty()) return std::string();
    std::string problem;
    if (!processedInSession(fileSystem, journal.sessionFile, albumsOfRun(journal), marked,
                            problem) ||
        marked.empty()) {
        return std::string();
    }
    return journal.sessionFile;
}

}  // namespace lumora
