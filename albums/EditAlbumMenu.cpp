#include "albums/CEditAlbumDialog.h"

#include "albums/CViewOptionsDialog.h"
#include "albums/FilmFilterHost.h"
#include "app/CAboutDialog.h"
#include "filters/CAdvancedFilterDialog.h"

// The menu's dialogs: View Options, the Advanced Filter window and About.

namespace lumora {

int CEditAlbumDialog::runDialog(QDialog& dialog) {
    return dialog.exec();
}

// The menu.

void CEditAlbumDialog::viewOptions() {
    CViewOptionsDialog dialog(workspace_.viewOptions, this);
    if (runDialog(dialog) == QDialog::Accepted && workspace_.viewOptions.viewOptionsChanged) {
        buildFilm();
    }
}

CAdvancedFilterDialog* CEditAlbumDialog::advancedFilter() const {
    return filter_;
}

void CEditAlbumDialog::advancedFilterTool() {
    // Its switches would change a processed album's filter and film.
    if (readOnly_) return;
    if (filter_) {
        filter_->raise();
        filter_->activateWindow();
        return;
    }
    if (!filterHost_) {
        filterHost_ = std::make_unique<FilmFilterHost>(workspace_.albums, workspace_.edit,
                                                       workspace_.film, [this] { buildFilm(); });
    }
    filter_ = new CAdvancedFilterDialog(*filterHost_, workspace_.filterValues, prompter_, this);
    // From closing on, the film build applies no filter.
    connect(filter_, &CAdvancedFilterDialog::closed, this, [this] { filter_ = nullptr; });
    filter_->openFor(workspace_.edit.editMode == 0);
}

void CEditAlbumDialog::about() {
    CAboutDialog dialog(this);
    runDialog(dialog);
}
}  // namespace lumora
