#include "app/CMainDialog.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "app/MainWindowWidgets.h"
#include "app/ProgramInfo.h"
#include "platform/QtPrompter.h"
#include "platform/QtShell.h"
#include "platform/QtText.h"

namespace lumora {

CMainDialog::CMainDialog(Workspace& workspace, QWidget* parent)
    : CMainDialog(workspace, nullptr, nullptr, parent) {}

CMainDialog::CMainDialog(Workspace& workspace, Prompter& prompter, Shell& shell, QWidget* parent)
    : CMainDialog(workspace, &prompter, &shell, parent) {}

CMainDialog::CMainDialog(Workspace& workspace, Prompter* prompter, Shell* shell, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      ownPrompter_(prompter ? nullptr : std::make_unique<QtPrompter>(this)),
      ownShell_(shell ? nullptr : std::make_unique<QtShell>(this)),
      prompter_(prompter ? *prompter : *ownPrompter_),
      shell_(shell ? *shell : *ownShell_) {
    workspace_.remakeThumbnail = [this](const PictureEntry& picture, bool negative,
                                        RemakeReason reason) {
        return remakeFilmThumbnail(picture, negative, reason);
    };
    buildControls();
    buildMenus();
    initialise();
}

CMainDialog::~CMainDialog() {
    // The workspace may outlive the window; the thumbnails go with it.
    workspace_.remakeThumbnail = nullptr;
}

void CMainDialog::initialise() {
    deleteAlbum_->setEnabled(false);
    workspace_.dateFormat = 1;
    workspace_.timeFormat = 1;
    workspace_.excludeDuplicates = 0;
    summaryText_->setText(QStringLiteral("No albums created"));
    workspace_.albumMenusEnabled = false;
    saveSession_->setEnabled(false);
    workspace_.reset();
    filmImages_.clear();
    workspace_.sourceText = kNotSelectedText;
    showTexts();
}

void CMainDialog::showTexts() {
    sourceText_->setPath(pathToQString(workspace_.sourceText));
    targetText_->setPath(pathToQString(workspace_.targetText));
    statusText_->setText(toQString(workspace_.statusText));
    leftOutLink_->setVisible(!workspace_.catalog.leftOut().empty());
    startFromPositive_->setEnabled(workspace_.albumMenusEnabled);
    startFromNegative_->setEnabled(workspace_.albumMenusEnabled);
    searchDuplicates_->setEnabled(workspace_.albumMenusEnabled);
}

void CMainDialog::tell(const char* text, const char* caption) {
    prompter_.ask(text, caption, Buttons::Ok, Icon::None);
}

void CMainDialog::dropFilmImagesIfStale() {
    if (workspace_.filmBuilt == 0) filmImages_.clear();
}

int CMainDialog::runDialog(QDialog& dialog) {
    return dialog.exec();
}

// Leaving.

void CMainDialog::accept() {
    if (prompter_.ask("Are you sure?", "Confirm exit", Buttons::YesNo, Icon::None) == kAnswerYes) {
        QDialog::accept();
    }
}

void CMainDialog::reject() {
    if (prompter_.ask("Close Lumora?", kProgramName, Buttons::YesNo, Icon::None) == kAnswerYes) {
        QDialog::reject();
    }
}

}  // namespace lumora
