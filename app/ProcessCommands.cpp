#include "app/ProcessCommands.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "processing/RunJournal.h"

namespace lumora {

ProcessStart startProcess(Workspace& workspace, Prompter& prompter) {
    if (workspace.albums.empty()) {
        prompter.ask(kNoAlbumsText, "", Buttons::Ok, Icon::None);
        return ProcessStart::Stop;
    }
    if (workspace.targetText == kNotSelectedText) {
        if (prompter.ask(kSelectTargetNowText, kSelectTargetCaption, Buttons::YesNo,
                         Icon::Question) != kAnswerYes) {
            return ProcessStart::Stop;
        }
        if (workspace.sourceText == kNotSelectedText) {
            prompter.ask("Please select source directory first!", kSelectTargetCaption, Buttons::Ok,
                         Icon::Error);
            return ProcessStart::Stop;
        }
        return ProcessStart::BrowseForTarget;
    }
    // A target kept from a session is checked as a chosen one is.
    if (workspace.refuseSourceAsTarget(workspace.targetText, prompter)) return ProcessStart::Stop;
    workspace.targetDirectory = workspace.targetText;
    return ProcessStart::OpenDialog;
}

bool processTargetChosen(Workspace& workspace, const std::optional<std::string>& folder,
                         Prompter& prompter) {
    if (!folder) return false;
    workspace.selectTarget(*folder, prompter);
    return true;
}

FreeSpaceCheck checkWorkspaceFreeSpace(Workspace& workspace, Prompter& prompter,
                                       const ProcessDialogSinks& sinks,
                                       QuestionListener* listener) {
    return checkFreeSpace(workspace.albums, workspace.pictures(), workspace.targetDirectory,
                          workspace.moveMode, workspace.catalog.fileSystem(), prompter, sinks.upper,
                          sinks.lower, listener, workspace.bringCompanions);
}

namespace {

ProcessReport runWorkspaceAlbums(Workspace& workspace, Prompter& prompter,
                                 const ProcessDialogSinks& sinks, QuestionListener* listener,
                                 bool planOnly, const StopRequest* stop) {
    ProcessSettings settings;
    settings.targetDirectory = workspace.targetDirectory;
    settings.moveMode = workspace.moveMode;
    settings.dateFormat = workspace.dateFormat;
    settings.timeFormat = workspace.timeFormat;
    settings.planOnly = planOnly;
    settings.bringCompanions = workspace.bringCompanions;
    ProcessServices services{
        workspace.catalog.fileSystem(), prompter, sinks.upper, sinks.lower, listener, stop};
    if (planOnly) return processAlbums(workspace.albums, workspace.pictures(), settings, services);

    // Every run keeps a journal in its target, the way back. The benchmark
    // turns it off to measure what it costs.
    std::unique_ptr<RunJournal> journal;
    std::vector<int32_t> unprocessed;
    if (std::getenv("LUMORA_NO_JOURNAL") == nullptr) {
        JournalSetup setup{
            workspace.targetDirectory, workspace.sessionFile, workspace.moveMode, {}};
        for (const Album& album : workspace.albums) {
            if (album.processed) continue;
            setup.albums.emplace_back(album.id, album.name);
            unprocessed.push_back(album.id);
        }
        journal = std::make_unique<RunJournal>(workspace.catalog.fileSystem(), std::move(setup));
        services.journal = journal.get();
    }
    ProcessReport report =
        processAlbums(workspace.albums, workspace.pictures(), settings, services);
    workspace.lastJournal.clear();
    workspace.journalProblem.clear();
    if (journal) {
        std::vector<int32_t> processedNow;
        for (const Album& album : workspace.albums) {
            if (album.processed &&
                std::find(unprocessed.begin(), unprocessed.end(), album.id) != unprocessed.end()) {
                processedNow.push_back(album.id);
            }
        }
        journal->finish(processedNow);
        workspace.lastJournal = journal->path();
        workspace.journalProblem = journal->problem();
    }
    return report;
}

}  // namespace

ProcessReport processWorkspaceAlbums(Workspace& workspace, Prompter& prompter,
                                     const ProcessDialogSinks& sinks, QuestionListener* listener,
                                     const StopRequest* stop) {
    return runWorkspaceAlbums(workspace, prompter, sinks, listener, false, stop);
}

ProcessReport planWorkspaceAlbums(Workspace& workspace, Prompter& prompter,
                                  const ProcessDialogSinks& sinks) {
    return runWorkspaceAlbums(workspace, prompter, sinks, nullptr, true, nullptr);
}

}  // namespace lumora
