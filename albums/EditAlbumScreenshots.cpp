#include "albums/EditAlbumScreenshots.h"

#include <QCoreApplication>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdlib.h>
#include <string>

#include "albums/CEditAlbumDialog.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "platform/QtScreenshot.h"
#include "platform/TemporaryFolder.h"
#include "samples/ExifBlockWriter.h"
#include "samples/JpegFileWriter.h"
#include "samples/UprightScene.h"

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

// The dialog at the size it opens with, placed on a 1366 x 768 screen under
// a title bar and above a desktop panel as a window manager would show it, so
// the picture tells whether the whole window fits.
bool shootOnSmallScreen(CEditAlbumDialog& dialog, const std::string& folder, const char* name) {
    constexpr int kScreenWidth = 1366;
    constexpr int kScreenHeight = 768;
    constexpr int kPanelHeight = 32;
    constexpr int kTitleBarHeight = 30;
    dialog.show();
    for (int round = 0; round < 3; ++round) QCoreApplication::processEvents();
    const QPixmap window = dialog.grab();
    QImage screen(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    screen.fill(QColor(58, 110, 165));
    QPainter painter(&screen);
    painter.fillRect(0, kScreenHeight - kPanelHeight, kScreenWidth, kPanelHeight,
                     QColor(30, 30, 30));
    const int x = std::max(0, (kScreenWidth - window.width()) / 2);
    const int y =
        std::max(0, (kScreenHeight - kPanelHeight - kTitleBarHeight - window.height()) / 2);
    painter.fillRect(x, y, window.width(), kTitleBarHeight, QColor(70, 70, 70));
    painter.setPen(Qt::white);
    painter.drawText(QRect(x, y, window.width(), kTitleBarHeight), Qt::AlignCenter,
                     dialog.windowTitle());
    painter.drawPixmap(x, y + kTitleBarHeight, window);
    painter.end();
    const std::string path = (std::filesystem::path(folder) / name).string();
    if (screen.save(QString::fromStdString(path), "PNG")) {
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

// A picture of the upright scene as a camera holding the orientation writes
// it, with its embedded thumbnail.
std::vector<uint8_t> orientedPicture(int orientation) {
    samples::ExifBlockSpec block;
    block.ifd0.push_back(samples::asciiEntry(0x010F, "Lumora"));
    block.ifd0.push_back(samples::asciiEntry(0x0110, "Orientation " + std::to_string(orientation)));
    block.ifd0.push_back(samples::shortEntry(0x0112, static_cast<uint16_t>(orientation)));
    block.exifIfd.push_back(samples::undefinedEntry(0x9000, {'0', '2', '2', '0'}));
    block.exifIfd.push_back(samples::asciiEntry(
        0x9003, "2021:06:01 1" + std::to_string(orientation) + ":00:00"));
    block.thumbnail = samples::encodeOrientedScene(160, 120, orientation);
    return samples::buildJpegFile(samples::encodeOrientedScene(640, 480, orientation),
                                  {samples::buildExifSegment(block)});
}

bool writeUprightFilmScreenshot(const std::string& folder) {
    std::error_code error;
    std::string source =
        (std::filesystem::temp_directory_path(error) / "lumora-upright-XXXXXX").string();
    if (!makeTemporaryFolder(source)) {
        std::fprintf(stderr, "lumora: no temporary folder for the upright film\n");
        return false;
    }
    for (int orientation = 1; orientation <= 8; ++orientation) {
        samples::writeFile(source + "/turned" + std::to_string(orientation) + ".jpg",
                           orientedPicture(orientation));
    }
    bool written = false;
    {
        ScreenshotPrompter prompter;
        Workspace workspace;
        std::vector<QImage> filmImages;
        if (startScreenshotAlbum(source, folder, workspace, prompter)) {
            CEditAlbumDialog dialog(workspace, filmImages, prompter);
            dialog.firstPaint();
            dialog.film()->selectRow(5);
            dialog.filmClicked();
            written = shoot(dialog, folder, "edit-album-upright.png");
            dialog.discard();
            workspace.finishAlbumDialog(dialog.end(), prompter);
        }
    }
    std::filesystem::remove_all(source, error);
    return written;
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
        written = shootOnSmallScreen(dialog, folder, "edit-album-1366x768.png") && written;
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
    return writeUprightFilmScreenshot(folder) && written;
}

}  // namespace lumora
