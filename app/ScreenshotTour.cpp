#include "app/ScreenshotTour.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "albums/CTimeFormatDialog.h"
#include "albums/DateTimeText.h"
#include "albums/EditAlbumScreenshots.h"
#include "albums/EditToolsScreenshots.h"
#include "app/CAboutDialog.h"
#include "app/CLeftOutDialog.h"
#include "app/CMainDialog.h"
#include "app/ClocksScreenshot.h"
#include "app/CUndoDialog.h"
#include "app/HelpWindow.h"
#include "app/Workspace.h"
#include "catalog/PictureCatalog.h"
#include "duplicates/DuplicatesScreenshot.h"
#include "filters/FilterScreenshot.h"
#include "platform/QtScreenshot.h"
#include "platform/QtText.h"
#include "platform/TemporaryFolder.h"
#include "processing/CAlbumsProcessingDialog.h"
#include "processing/CProcessOptionDialog.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

// Nobody is there to answer: every question is printed and declined (a box
// with OK alone gets OK).
class UnattendedPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon /*icon*/) override {
        std::fprintf(stderr, "lumora: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ",
                     text.c_str());
        return decliningAnswer(buttons);
    }
};

// Says Yes where the tour must go on: the undo's own question.
class ConsentingPrompter : public Prompter {
  public:
    int ask(const std::string&, const std::string&, Buttons buttons, Icon) override {
        return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? kAnswerOk : kAnswerYes;
    }
};

class UnattendedShell : public Shell {
  public:
    std::optional<std::string> browseForFolder(const std::string&) override { return {}; }
    std::optional<std::string> openFileName(const std::string&, const std::string&,
                                            const std::string&) override {
        return {};
    }
    std::optional<std::string> saveFileName(const std::string&, const std::string&,
                                            const std::string&, const std::string&) override {
        return {};
    }
    int open(const std::string&, const std::string&) override { return kShellSuccess; }
};

bool anyPictureInNoAlbum(Workspace& workspace) {
    return std::any_of(workspace.pictures().begin(), workspace.pictures().end(),
                       [](const PictureEntry& picture) { return picture.albumId == 0; });
}

// Albums of the pictures by day, made as the Edit Album dialog makes them: a
// new album whose range runs from the first to the last picture of the
// film's first day, saved.
void makeDayAlbums(Workspace& workspace, Prompter& prompter, size_t count) {
    // The film these albums skip would number their pictures as it shows
    // them; unnumbered, every new name would read "Day ...--1".
    workspace.assignPictureIds();
    while (workspace.albums.size() < count && anyPictureInNoAlbum(workspace)) {
        if (!workspace.startNewAlbum(0, prompter)) return;
        Album& album = *workspace.currentAlbum();
        workspace.selectFilm();
        if (workspace.film.empty()) {
            workspace.finishAlbumDialog(DialogEnd::Discard, prompter);
            return;
        }
        const uint64_t first = workspace.film.front().dateTime;
        const std::string day = dateText(first, 1);
        uint64_t last = first;
        for (const PictureEntry& picture : workspace.film) {
            if (dateText(picture.dateTime, 1) == day) {
                last = std::max(last, picture.dateTime);
            }
        }
        album.name = "Day " + day.substr(1, day.size() - 2);
        album.directoryName = std::string(1, kPathSeparator);
        album.startTime = album.startKey = first;
        album.endTime = album.endKey = last;
        workspace.selectFilm();
        workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    }
}

class Tour {
  public:
    explicit Tour(std::string folder) : folder_(std::move(folder)) {}

    bool shoot(QWidget& widget, const char* name) {
        const std::string path = (std::filesystem::path(folder_) / name).string();
        if (saveScreenshot(widget, path)) {
            std::printf("%s\n", path.c_str());
            return true;
        }
        std::fprintf(stderr, "lumora: %s: the picture could not be written\n", path.c_str());
        ok_ = false;
        return false;
    }
    bool ok() const { return ok_; }

  private:
    std::string folder_;
    bool ok_ = true;
};

// The files-left-out window over a small card of its own, one file of each
// kind beside a listed picture and its RAW companion (which is not named).
void shootLeftOut(Tour& tour, const std::string& samplePicture, QWidget& parent) {
    std::error_code error;
    std::string cardTemplate =
        (std::filesystem::temp_directory_path(error) / "lumora-left-out-XXXXXX").string();
    if (samplePicture.empty() || !makeTemporaryFolder(cardTemplate)) return;
    const std::filesystem::path card = cardTemplate;
    const std::filesystem::path folder = card / "DCIM" / "100CANON";
    std::filesystem::create_directories(folder, error);
    std::filesystem::copy_file(samplePicture, folder / "IMG_0101.JPG", error);
    std::filesystem::copy_file(samplePicture, folder / "IMG_0104.jpeg", error);
    auto write = [&](const char* name, const char* text) {
        if (std::FILE* file = std::fopen((folder / name).string().c_str(), "wb")) {
            std::fputs(text, file);
            std::fclose(file);
        }
    };
    write("IMG_0101.CR2", "raw");
    write("IMG_0102.CR2", "raw");
    write("IMG_0103.HEIC", "heic");
    write("IMG_0105.JPG", "cut off while copying");
    write("MVI_0106.MOV", "video");
    write("Screenshot.png", "png");

    PictureCatalog catalog;
    UnattendedPrompter prompter;
    catalog.scanSource(card.string(), true, prompter);
    CLeftOutDialog dialog(catalog.leftOut(), &parent);
    tour.shoot(dialog, "files-left-out.png");
    std::filesystem::remove_all(card, error);
}

}  // namespace

bool writeScreenshots(const std::string& source, const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::string targetTemplate =
        (std::filesystem::temp_directory_path(error) / "lumora-screenshots-XXXXXX").string();
    if (!makeTemporaryFolder(targetTemplate)) {
        std::fprintf(stderr, "lumora: no temporary folder for the processing run\n");
        return false;
    }
    const std::string target = targetTemplate;

    Tour tour(folder);
    std::string samplePicture;
    {
        Workspace workspace;
        UnattendedPrompter prompter;
        UnattendedShell shell;
        CMainDialog window(workspace, prompter, shell);
        window.show();
        window.useSource(source);
        if (!workspace.pictures().empty()) samplePicture = workspace.pictures().front().path;
        makeDayAlbums(workspace, prompter, 4);
        window.useTarget(target);
        window.refreshAlbumList();
        if (auto* albums = window.findChild<QListWidget*>(idName(res::kIdAlbumList))) {
            albums->setCurrentRow(albums->count() > 1 ? 1 : 0);
        }
        tour.shoot(window, "main-window.png");

        CTimeFormatDialog format(workspace.dateFormat, workspace.timeFormat, workspace.clock(),
                                 &window);
        tour.shoot(format, "time-format.png");

        CProcessOptionDialog option(workspace.albums, workspace.moveMode, workspace.bringCompanions,
                                    prompter, &window);
        tour.shoot(option, "process-option.png");

        workspace.targetDirectory = workspace.targetText;
        CAlbumsProcessingDialog processing(workspace, prompter, &window);
        processing.show();
        tour.shoot(processing, "processing-before.png");
        // Once the run has begun (it lets timers run while it repaints), the
        // dialog is shot with its "Stop" button and both bars moving.
        QTimer during;
        bool shotDuring = false;
        QObject::connect(&during, &QTimer::timeout, [&] {
            auto* stop = processing.findChild<QPushButton*>(idName(res::kIdStopProcessing));
            auto* files = processing.findChild<QProgressBar*>(idName(res::kIdFileProgress));
            if (shotDuring || stop == nullptr || !stop->isVisible() || files == nullptr ||
                files->value() < 1) {
                return;
            }
            shotDuring = true;
            tour.shoot(processing, "processing-running.png");
        });
        during.start(0);
        if (auto* run = processing.findChild<QPushButton*>(idName(res::kIdProcessAlbums))) {
            run->click();
        }
        during.stop();
        tour.shoot(processing, "processing.png");
        processing.hide();

        window.refreshAlbumList();
        tour.shoot(window, "main-window-processed.png");

        // The way back: the undo of that run, before and after.
        if (!workspace.lastJournal.empty()) {
            ConsentingPrompter consenting;
            CUndoDialog undo(workspace, workspace.lastJournal, consenting, &window);
            tour.shoot(undo, "undo-before.png");
            if (auto* button = undo.findChild<QPushButton*>(idName(res::kIdUndoRun))) {
                button->click();
            }
            tour.shoot(undo, "undo-after.png");
            window.refreshAlbumList();
        }

        CAboutDialog about(&window);
        tour.shoot(about, "about.png");

        shootLeftOut(tour, samplePicture, window);

        // The help document as the window shows it where no program opens it.
        HelpWindow help(&window);
        const std::string helpDocument =
            pathFromQString(QCoreApplication::applicationDirPath()) + "/help/help.htm";
        if (help.showDocument(helpDocument)) tour.shoot(help, "help-window.png");
        window.hide();
    }
    std::filesystem::remove_all(target, error);
    bool ok = tour.ok();
    ok = writeEditAlbumScreenshots(source, folder) && ok;
    ok = writeEditToolsScreenshots(folder, samplePicture) && ok;
    ok = writeFilterScreenshot(source, folder) && ok;
    ok = writeDuplicatesScreenshot(source, folder) && ok;
    ok = writeCameraClocksScreenshots(source, folder) && ok;
    return ok;
}

}  // namespace lumora
