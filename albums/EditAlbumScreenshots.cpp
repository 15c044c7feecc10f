#include "albums/EditAlbumScreenshots.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <cstdio>
#include <filesystem>

#include "albums/CEditAlbumDialog.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "platform/QtScreenshot.h"

namespace lumora {
namespace {

bool shoot(QWidget& widget, const std::string& folder, const char* name) {
    const std::string path = (std::filesystem::path(folder) / name).string();
    if (saveScreenshot(widget, path)) {
        std::printf("%s\n", path.c_str());
        return true;
    }
    std::fprintf(stderr, "lumora: %s: the picture could not be written\n", path.c_str());
    return false;
}

void toggle(CEditAlbumDialog& dialog, int row) {
    if (row >= dialog.filmModel()->rowCount()) return;
    dialog.film()->selectRow(row);
    dialog.filmDoubleClicked();
}

}  // namespace

bool startScreenshotAlbum(const std::string& source, const std::string& folder,
                          Workspace& workspace, Prompter& prompter) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    workspace.setSource(source, prompter, nullProgress());
    if (workspace.startNewAlbum(0, prompter)) return true;
    std::fprintf(stderr, "lumora: %s: no album can be made of these pictures\n", source.c_str());
    return false;
}

bool writeEditAlbumScreenshots(const std::string& source, const std::string& folder) {
    ScreenshotPrompter prompter;
    Workspace workspace;
    std::vector<QImage> filmImages;
    if (!startScreenshotAlbum(source, folder, workspace, prompter)) return false;
    bool written = true;
    {
        CEditAlbumDialog dialog(workspace, filmImages, prompter);
        dialog.firstPaint();
        toggle(dialog, 1);
        toggle(dialog, 4);
        dialog.film()->selectRow(2);
        dialog.filmClicked();
        // A custom name being typed for the selected picture.
        dialog.film()->edit(dialog.filmModel()->index(2));
        if (auto* editor = dialog.film()->findChild<QLineEdit*>()) {
            editor->setText(QStringLiteral("Harbour at dawn"));
        }
        written = shoot(dialog, folder, "edit-album.png") && written;
        // The album ends at the middle of the film, so the next one has
        // pictures left.
        dialog.film()->selectRow(dialog.filmModel()->rowCount() / 2);
        dialog.setEndDate();
        dialog.saveAlbum();
        workspace.finishAlbumDialog(dialog.end(), prompter);
    }
    if (!workspace.startNewAlbum(1, prompter)) return false;
    {
        CEditAlbumDialog dialog(workspace, filmImages, prompter);
        dialog.firstPaint();
        for (int row : {0, 2, 3}) toggle(dialog, row);
        dialog.film()->selectRow(3);
        dialog.filmClicked();
        written = shoot(dialog, folder, "edit-album-negative.png") && written;
        dialog.discard();
        workspace.finishAlbumDialog(dialog.end(), prompter);
    }
    return written;
}

}  // namespace lumora
