#include "app/ProcessCommands.h"

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
    const ProcessServices services{
        workspace.catalog.fileSystem(), prompter, sinks.upper, sinks.lower, listener, stop};
    return processAlbums(workspace.albums, workspace.pictures(), settings, services);
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
