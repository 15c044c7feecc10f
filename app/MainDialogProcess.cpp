// The main window's "Process" button and the Options and Utilities menus.
#include "albums/CTimeFormatDialog.h"
#include "app/CMainDialog.h"
#include "app/CUndoDialog.h"
#include "app/DuplicateCommands.h"
#include "app/ProcessCommands.h"
#include "app/UndoCommands.h"
#include "duplicates/CDuplicatesDialog.h"
#include "processing/CAlbumsProcessingDialog.h"
#include "processing/CProcessOptionDialog.h"

namespace lumora {

void CMainDialog::process() {
    for (;;) {
        switch (startProcess(workspace_, prompter_)) {
            case ProcessStart::Stop:
                return;
            case ProcessStart::BrowseForTarget: {
                startChooserFor(Chooser::Target);
                const std::optional<std::string> folder =
                    shell_.browseForFolder(kSelectTargetBrowserTitle);
                const bool again = processTargetChosen(workspace_, folder, prompter_);
                showTexts();
                showAlbumDetails();
                if (!again) return;
                break;  // with a target chosen the processing dialog opens
            }
            case ProcessStart::OpenDialog: {
                CAlbumsProcessingDialog dialog(workspace_, prompter_, this);
                runDialog(dialog);
                refreshAlbumList();
                return;
            }
        }
    }
}

void CMainDialog::undoLastProcessing() {
    const std::string journal = journalToUndo(workspace_);
    if (journal.empty()) {
        tell(kNoJournalText, kUndoCaption);
        return;
    }
    CUndoDialog dialog(workspace_, journal, prompter_, this);
    runDialog(dialog);
    refreshAlbumList();
}

void CMainDialog::processOption() {
    CProcessOptionDialog dialog(workspace_.albums, workspace_.moveMode, workspace_.bringCompanions,
                                prompter_, this);
    runDialog(dialog);
}

void CMainDialog::timeFormat() {
    CTimeFormatDialog dialog(workspace_.dateFormat, workspace_.timeFormat, workspace_.clock(),
                             this);
    if (runDialog(dialog) != QDialog::Accepted) return;
    workspace_.dateFormat = dialog.dateFormat();
    workspace_.timeFormat = dialog.timeFormat();
    refreshAlbumList();
}

void CMainDialog::searchForDuplicates() {
    openDuplicatesDialog();
    finishDuplicateSearch(workspace_);
    dropFilmImagesIfStale();
    showTexts();
    refreshAlbumList();
}

void CMainDialog::openDuplicatesDialog() {
    CDuplicatesDialog dialog(workspace_, prompter_, this);
    runDialog(dialog);
}

}  // namespace lumora
