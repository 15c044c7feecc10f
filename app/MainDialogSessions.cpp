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
    const std::optional<std::string> file =
        shell_.saveFileName("Save as", kSessionFilterName, kSessionPattern, kSessionExtension);
    saveSessionCommand(workspace_, file, prompter_);
}

void CMainDialog::loadSession() {
    LabelProgress progress(statusText_);
    loadSessionCommand(
        workspace_,
        [this] { return shell_.openFileName("Load Session", kSessionFilterName, kSessionPattern); },
        prompter_, progress);
    showWorkAfterLoad();
}

void CMainDialog::loadSessionFile(const std::string& path) {
    LabelProgress progress(statusText_);
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
