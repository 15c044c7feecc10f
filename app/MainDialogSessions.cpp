// The main window's "Save Session" and "Load Session".
#include "app/CMainDialog.h"
#include "app/SessionCommands.h"
#include "platform/QtProgress.h"

namespace lumora {
namespace {

constexpr const char* kSessionFilterName = "Lumora session";
constexpr const char* kSessionPattern = "*.lsn";
constexpr const char* kSessionExtension = "lsn";

}  // namespace

void CMainDialog::saveSession() {
    startChooserFor(Chooser::Session);
    const std::optional<std::string> file =
        shell_.saveFileName("Save as", kSessionFilterName, kSessionPattern, kSessionExtension);
    if (file) sessionFolder_ = folderOf(*file);
    saveSessionCommand(workspace_, file, prompter_);
}

void CMainDialog::loadSession() {
    LabelProgress progress(statusText_);
    loadSessionCommand(
        workspace_,
        [this] {
            // Asked for after the question about the albums and the reset
            // it brings; the session's folder still leads.
            startChooserFor(Chooser::Session);
            std::optional<std::string> file =
                shell_.openFileName("Load Session", kSessionFilterName, kSessionPattern);
            if (file) sessionFolder_ = folderOf(*file);
            return file;
        },
        prompter_, progress);
    showWorkAfterLoad();
}

void CMainDialog::loadSessionFile(const std::string& path) {
    LabelProgress progress(statusText_);
    sessionFolder_ = folderOf(path);
    loadSessionCommand(
        workspace_, [&path]() -> std::optional<std::string> { return path; }, prompter_, progress);
    showWorkAfterLoad();
}

// A load that failed changed nothing, but its scan wrote the status line.
void CMainDialog::showWorkAfterLoad() {
    dropFilmImagesIfStale();
    showTexts();
    refreshAlbumList();
}

}  // namespace lumora
