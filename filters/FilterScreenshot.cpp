#include "filters/FilterScreenshot.h"

#include <cstdio>
#include <filesystem>

#include "albums/CEditAlbumDialog.h"
#include "albums/EditAlbumScreenshots.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "filters/CAdvancedFilterDialog.h"
#include "platform/QtScreenshot.h"

namespace lumora {
namespace {

// The first range with two or more values, its Max moved one entry down.
void chooseRange(CAdvancedFilterDialog& filter) {
    for (FilterCriterion criterion : kAllCriteria) {
        if (!isRange(criterion)) continue;
        const CriterionGroup& group = filter.panel().group(criterion);
        if (group.checked && group.max.entries.size() >= 2) {
            filter.panel().choose(criterion, ComboRole::Max, 1);
            return;
        }
    }
}

// The last checked criterion is left out, so that a black lamp shows.
void leaveOneOut(CAdvancedFilterDialog& filter) {
    for (auto it = kAllCriteria.rbegin(); it != kAllCriteria.rend(); ++it) {
        if (*it == FilterCriterion::Camera || !filter.panel().group(*it).checked) continue;
        filter.panel().toggleCheck(*it, false);
        return;
    }
}

bool shoot(CAdvancedFilterDialog& filter, const std::string& folder, const char* name) {
    filter.showState();
    const std::string path = (std::filesystem::path(folder) / name).string();
    const bool written = saveScreenshot(filter, path);
    if (written) {
        std::printf("%s\n", path.c_str());
    } else {
        std::fprintf(stderr, "lumora: %s: the picture could not be written\n", path.c_str());
    }
    return written;
}

}  // namespace

bool writeFilterScreenshot(const std::string& source, const std::string& folder) {
    ScreenshotPrompter prompter;
    Workspace workspace;
    std::vector<QImage> filmImages;
    if (!startScreenshotAlbum(source, folder, workspace, prompter)) return false;
    CEditAlbumDialog dialog(workspace, filmImages, prompter);
    dialog.firstPaint();
    // The filter acts on pictures inside the album's range: the whole film.
    const int rows = dialog.filmModel()->rowCount();
    if (rows > 0) {
        dialog.film()->selectRow(0);
        dialog.setStartDate();
        dialog.film()->selectRow(dialog.filmModel()->rowCount() - 1);
        dialog.setEndDate();
    }
    dialog.advancedFilterTool();
    CAdvancedFilterDialog* filter = dialog.advancedFilter();
    if (!filter) return false;
    filter->panel().toggleMaster(true);
    chooseRange(*filter);
    leaveOneOut(*filter);
    bool written = shoot(*filter, folder, "advanced-filter.png");

    // A camera chosen too, then the window closed and opened again: the
    // refresh at opening shows the stored choices.
    if (filter->panel().make().entries.size() > 1) {
        filter->panel().choose(FilterCriterion::Camera, ComboRole::Make, 1);
    }
    filter->close();
    dialog.advancedFilterTool();
    filter = dialog.advancedFilter();
    if (!filter) return false;
    written = shoot(*filter, folder, "advanced-filter-reopened.png") && written;
    filter->close();
    dialog.discard();
    workspace.finishAlbumDialog(dialog.end(), prompter);
    return written;
}

}  // namespace lumora
