// The main window's "Save Session" and "Load Session".
#include <QListWidget>
#include <QPushButton>

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
    bool fileAsked = false;
    LabelProgress progress(statusText_);
    const SessionResult result = loadSessionCommand(
        workspace_,
        [this, &fileAsked] {
            fileAsked = true;
            // The reset after "Filters will be lost" shows before the dialog.
            dropFilmImagesIfStale();
            showTexts();
            refreshAlbumList();
            return shell_.openFileName("Load Session", kSessionFilterName, kSessionPattern);
        },
        prompter_, progress);
    if (result == SessionResult::Cancelled && !fileAsked) return;
    dropFilmImagesIfStale();
    deleteAlbum_->setEnabled(false);
    clearDetails();
    showTexts();
    refreshAlbumList();
}

void CMainDialog::loadSessionFile(const std::string& path) {
    LabelProgress progress(statusText_);
    loadSessionCommand(
        workspace_, [&path]() -> std::optional<std::string> { return path; }, prompter_, progress);
    dropFilmImagesIfStale();
    deleteAlbum_->setEnabled(false);
    clearDetails();
    showTexts();
    refreshAlbumList();
}

}  // namespace lumora
