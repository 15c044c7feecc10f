#include "app/ClocksScreenshot.h"

#include <QComboBox>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "app/CCameraClocksDialog.h"
#include "app/CClockMatchDialog.h"
#include "app/CameraClockChange.h"
#include "platform/QtScreenshot.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

class QuietPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string&, Buttons buttons, Icon) override {
        std::fprintf(stderr, "lumora: %s\n", text.c_str());
        return decliningAnswer(buttons);
    }
};

bool shoot(QWidget& widget, const std::string& folder, const char* name) {
    const std::string path = (std::filesystem::path(folder) / name).string();
    if (!saveScreenshot(widget, path)) {
        std::fprintf(stderr, "lumora: %s: the picture could not be written\n", path.c_str());
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

// The dialog whose matching dialog is shot with a picture of each camera
// chosen, and then taken.
class ShootingClocksDialog : public CCameraClocksDialog {
  public:
    ShootingClocksDialog(Workspace& workspace, Prompter& prompter, ThumbnailSource thumbnails,
                         std::string folder)
        : CCameraClocksDialog(workspace, prompter, std::move(thumbnails)),
          folder_(std::move(folder)) {}
    int referenceIndex = 0;
    bool shot = false;

  protected:
    int runMatchDialog(QDialog& dialog) override {
        auto* own = dialog.findChild<ClockStrip*>(idName(res::kIdMatchOwnStrip));
        auto* camera = dialog.findChild<QComboBox*>(idName(res::kIdMatchReferenceCamera));
        auto* reference = dialog.findChild<ClockStrip*>(idName(res::kIdMatchReferenceStrip));
        if (own == nullptr || camera == nullptr || reference == nullptr) return QDialog::Rejected;
        camera->setCurrentIndex(referenceIndex);
        own->choose(0);
        reference->choose(std::max(0, reference->model()->rowCount() / 2));
        dialog.show();
        shot = shoot(dialog, folder_, "camera-clocks-match.png");
        dialog.accept();
        return dialog.result();
    }

  private:
    std::string folder_;
};

}  // namespace

bool writeCameraClocksScreenshots(const std::string& source, const std::string& folder) {
    Workspace workspace;
    QuietPrompter prompter;
    workspace.setSource(source, prompter, nullProgress());
    CameraClockTable table(workspace.pictures(), workspace.clocks);
    if (table.size() < 2) {
        std::fprintf(stderr, "lumora: %s: the camera clocks need two cameras\n", source.c_str());
        return false;
    }
    // The camera with the most pictures (over the shortest time) is taken
    // as right; the camera whose first picture comes nearest to its first
    // is corrected against it.
    size_t right = 0;
    const auto span = [&](size_t row) { return table.camera(row).last - table.camera(row).first; };
    for (size_t row = 1; row < table.size(); ++row) {
        const int count = table.camera(row).pictureCount;
        const int best = table.camera(right).pictureCount;
        if (count > best || (count == best && span(row) < span(right))) right = row;
    }
    const auto distance = [&](size_t row) {
        const uint64_t a = table.camera(row).first;
        const uint64_t b = table.camera(right).first;
        return a > b ? a - b : b - a;
    };
    size_t corrected = right == 0 ? 1 : 0;
    for (size_t row = 0; row < table.size(); ++row) {
        if (row != right && distance(row) < distance(corrected)) corrected = row;
    }

    FileSystem& fileSystem = workspace.catalog.fileSystem();
    ShootingClocksDialog dialog(
        workspace, prompter,
        [&fileSystem](const PictureEntry& picture) { return madeThumbnail(fileSystem, picture); },
        folder);
    // The match dialog lists the other cameras in table order.
    dialog.referenceIndex = static_cast<int>(right < corrected ? right : right - 1);
    auto* list = dialog.findChild<QTreeWidget*>(idName(res::kIdClockList));
    list->setCurrentItem(list->topLevelItem(static_cast<int>(corrected)));
    dialog.show();
    dialog.matchToPicture();
    const bool shotList = shoot(dialog, folder, "camera-clocks.png");
    return dialog.shot && shotList;
}

}  // namespace lumora
