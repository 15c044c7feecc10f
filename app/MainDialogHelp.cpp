// The main window's Help menu: the help document, the homepage and the About box.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/CAboutDialog.h"
#include "app/CLeftOutDialog.h"
#include "app/CMainDialog.h"
#include "app/HelpWindow.h"
#include "app/ProgramInfo.h"
#include "platform/FileSystem.h"

namespace lumora {
namespace {

constexpr const char* kPathNotFoundText = "Path not found. Please restart Lumora.";
constexpr const char* kHomepageCaption = "Lumora - Visit Homepage";
// With no web browser the homepage cannot be shown at all.
constexpr const char* kNoBrowserForHomepageText =
    "No web browser was found to open the homepage. Please visit %s with a web browser.";

}  // namespace

void CMainDialog::helpManual() {
    // The help folder is looked for under the folder the program was started
    // in, as its desktop entry starts it.
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    const std::string folder = current + kPathSeparator + "help" + kPathSeparator;
    const int result = shell_.open("help.htm", folder);
    if (result == kShellFileNotFound || result == kShellPathNotFound) {
        tell(kPathNotFoundText);
    } else if (result == kShellNoAssociation) {
        // No program for the document: the window shows it itself.
        showHelpWindow(folder + "help.htm");
    }
}

void CMainDialog::showHelpWindow(const std::string& path) {
    if (!helpWindow_) helpWindow_ = new HelpWindow(this);
    if (!helpWindow_->showDocument(path)) {
        tell(kPathNotFoundText);
        return;
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void CMainDialog::homepage() {
    if (prompter_.ask("You must be connected to Internet before continue!", kHomepageCaption,
                      Buttons::OkCancel, Icon::None) != kAnswerOk) {
        return;
    }
    if (shell_.open(kHomepageAddress, std::string()) == kShellNoAssociation) {
        char text[256];
        std::snprintf(text, sizeof text, kNoBrowserForHomepageText, kHomepageAddress);
        tell(text, kHomepageCaption);
    }
}

void CMainDialog::about() {
    CAboutDialog dialog(this);
    runDialog(dialog);
}

void CMainDialog::filesLeftOut() {
    CLeftOutDialog dialog(workspace_.catalog.leftOut(), this);
    runDialog(dialog);
}

}  // namespace lumora
