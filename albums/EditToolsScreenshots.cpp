#include "albums/EditToolsScreenshots.h"

#include <QPointer>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "albums/CLargeImageDialog.h"
#include "albums/CManualTimeRangeDialog.h"
#include "albums/CViewOptionsDialog.h"
#include "catalog/DateTimeValue.h"
#include "catalog/ExifReader.h"
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

// The sample as the scan lists it: its path and EXIF values.
PictureEntry samplePictureEntry(const std::string& path) {
    PictureEntry entry;
    entry.path = path;
    entry.exif = std::make_shared<ExifInfo>();
    ErrorCode error = kErrorSuccess;
    if (std::unique_ptr<InputFile> file = realFileSystem().openRead(path, error)) {
        ExifReader reader(entry.exif.get());
        reader.setDiagnostics(nullptr);
        reader.decode(*file);
    }
    entry.dateTime = dateTimeValue(entry.exif->DateTime);
    return entry;
}

}  // namespace

bool writeEditToolsScreenshots(const std::string& folder, const std::string& samplePicture) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool written = true;

    ViewOptions options;
    CViewOptionsDialog viewOptions(options);
    written = shoot(viewOptions, folder, "view-options.png") && written;

    const FilmList film{samplePictureEntry(samplePicture)};
    QPointer<CLargeImageDialog> viewer = new CLargeImageDialog(realFileSystem(), nullptr);
    viewer->openAt(film, 0);
    if (viewer != nullptr && viewer->isVisible()) {
        written = shoot(*viewer, folder, "large-image.png") && written;
        viewer->close();
    } else {
        std::fprintf(stderr, "lumora: %s: the picture could not be shown\n", samplePicture.c_str());
        written = false;
    }

    Album album;
    ScreenshotPrompter prompter;
    CManualTimeRangeDialog manualRange(album, film, prompter);
    written = shoot(manualRange, folder, "manual-time-range.png") && written;
    return written;
}

}  // namespace lumora
