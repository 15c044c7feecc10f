// The main window's folder commands: the source that is scanned and the
// target that processing fills.
#include <QPushButton>

#include "app/CMainDialog.h"
#include "app/MainWindowWidgets.h"
#include "app/ProcessCommands.h"
#include "platform/QtProgress.h"
#include "platform/QtText.h"

namespace lumora {

void CMainDialog::selectSource() {
    const bool hadAlbums = !workspace_.albums.empty();
    if (!workspace_.prepareSourceChange(prompter_)) return;
    if (hadAlbums) {
        refreshAlbumList();
        deleteAlbum_->setEnabled(false);
        clearDetails();
        filmImages_.clear();
    }
    const std::optional<std::string> folder = shell_.browseForFolder(kSelectTargetBrowserTitle);
    if (!folder) return;
    useSource(*folder);
}

void CMainDialog::useSource(const std::string& path) {
    filmImages_.clear();
    deleteAlbum_->setEnabled(false);
    clearDetails();
    // The folder shows while it is scanned and while the scan asks.
    sourceText_->setPath(pathToQString(path));
    // The scan runs here, on the window's thread; the status line repaints
    // after every update while clicks and keys wait.
    LabelProgress progress(statusText_);
    workspace_.setSource(path, prompter_, progress);
    showTexts();
}

void CMainDialog::selectTarget() {
    if (workspace_.sourceText == kNotSelectedText) {
        // Refused with "Please select source directory first!" before any
        // browser opens.
        workspace_.selectTarget(std::string(), prompter_);
        return;
    }
    const std::optional<std::string> folder = shell_.browseForFolder(kSelectTargetBrowserTitle);
    if (!folder) return;
    useTarget(*folder);
}

void CMainDialog::useTarget(const std::string& path) {
    workspace_.selectTarget(path, prompter_);
    showTexts();
}

}  // namespace lumora
