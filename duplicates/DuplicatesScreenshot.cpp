#include "duplicates/DuplicatesScreenshot.h"

#include <QListWidget>
#include <cstdio>
#include <filesystem>

#include "app/Workspace.h"
#include "duplicates/CDuplicatesDialog.h"
#include "platform/QtScreenshot.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

// Nobody is there to answer: every question is printed and gets its first
// button.
class PrintingPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string& caption, Buttons buttons, Icon) override {
        std::printf("(%s) %s\n", caption.c_str(), text.c_str());
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? kAnswerYes
                                                                            : kAnswerOk;
    }
};

}  // namespace

bool writeDuplicatesScreenshot(const std::string& source, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    PrintingPrompter prompter;
    Workspace workspace;
    workspace.setSource(source, prompter, nullProgress());

    CDuplicatesDialog dialog(workspace, prompter);
    dialog.onAnalize();
    dialog.onCompare();
    auto* list = dialog.findChild<QListWidget*>(idName(res::kIdDuplicatesList));
    // Line 0 heads the first group; line 1 is the picture that stays.
    if (list == nullptr || list->count() < 3) {
        std::fprintf(stderr, "lumora: %s: no duplicates to show\n", source.c_str());
        return false;
    }
    list->setCurrentRow(1);

    const std::string path = (std::filesystem::path(folder) / "duplicates.png").string();
    if (!saveScreenshot(dialog, path)) {
        std::fprintf(stderr, "lumora: %s: the picture could not be written\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

}  // namespace lumora
