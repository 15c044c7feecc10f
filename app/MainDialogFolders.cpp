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
    // Nothing changes until a folder is chosen.
    if (!workspace_.confirmSourceChange(prompter_)) return;
    startChooserFor(Chooser::Source);
    const std::optional<std::string> folder = shell_.browseForFolder(kSelectTargetBrowserTitle);
    if (!folder) return;
    useSource(*folder);
}

void CMainDialog::useSource(const std::string& path) {
    filmImages_.clear();
    // The folder shows while it is scanned and while the scan asks.
    sourceText_->setPath(pathToQString(path));
    // The scan runs here, on the window's thread; the status line repaints
    // after every update while clicks and keys wait.
    LabelProgress progress(statusText_);
    workspace_.setSource(path, prompter_, progress);
    showTexts();
    refreshAlbumList();
}

void CMainDialog::selectTarget() {
    if (workspace_.sourceText == kNotSelectedText) {
        // Refused with "Please select source directory first!" before any
        // browser opens.
        workspace_.selectTarget(std::string(), prompter_);
        return;
    }
    startChooserFor(Chooser::Target);
    const std::optional<std::string> folder = shell_.browseForFolder(kSelectTargetBrowserTitle);
    if (!folder) return;
    useTarget(*folder);
}

void CMainDialog::startChooserFor(Chooser chooser) {
    shell_.setStartFolder(chooserStartFolder(
        chooser, WorkFolders{workspace_.sourceText, workspace_.targetText, sessionFolder_,
                             homeFolder()}));
}

void CMainDialog::useTarget(const std::string& path) {
    workspace_.selectTarget(path, prompter_);
    showTexts();
    showAlbumDetails();  // the album root and path follow the target
}

}  // namespace lumora
