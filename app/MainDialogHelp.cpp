// The main window's Help menu: the help document, the homepage and the About box.
#include <filesystem>
#include <system_error>

#include "app/CAboutDialog.h"
#include "app/CMainDialog.h"
#include "app/ProgramInfo.h"
#include "platform/FileSystem.h"

namespace lumora {
namespace {

constexpr const char* kPathNotFoundText = "Path not found. Please restart Lumora.";
constexpr const char* kNoAssociationText =
    "There is no application associated with the given file name extension. Please install "
    "Internet Explorer or other web browser.";

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
        tell(kNoAssociationText);
    }
}

void CMainDialog::homepage() {
    if (prompter_.ask("You must be connected to Internet before continue!",
                      "Lumora - Visit Homepage", Buttons::OkCancel, Icon::None) != kAnswerOk) {
        return;
    }
    shell_.open(kHomepageAddress, std::string());
}

void CMainDialog::about() {
    CAboutDialog dialog(this);
    runDialog(dialog);
}

}  // namespace lumora
