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

bool writeDuplicatesScreenshot(const std::string& source, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    ScreenshotPrompter prompter;
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
