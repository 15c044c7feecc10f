// Times the virtual film headless (Qt's offscreen platform) over every
// picture the scan of DIR lists: film-harness DIR prints, one "name value"
// a line,
//   pictures, embedded        the listed pictures and those with an embedded thumbnail
//   scan-s                    the scan (not part of the command)
//   first-film-s              "Start from positive" to a film whose every item is laid
//                             out and whose first screen is painted, thumbnails made
//   first-film-cpu-s          the CPU time of that, every thread
//   first-film-window-cpu-s   the CPU time of the window's own thread in it
//   first-peak-mb             peak resident memory during that, above the memory
//                             before the command
//   thumbnails-mb             one copy of each 160 x 120 thumbnail (57,600 bytes each)
//   beyond-thumbnails-mb      first-peak-mb less thumbnails-mb
//   process-peak-mb           the process's peak resident memory, scan included
//   scroll-s, screens         painting the whole film screen by screen, top to bottom
//   reopen-film-s             the next album's command to its film shown (thumbnails kept)
//   reopen-peak-mb            peak above the memory before that command
#include <sys/resource.h>
#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "albums/CEditAlbumDialog.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "albums/Thumbnail.h"

namespace {

using Clock = std::chrono::steady_clock;

class SkipPrompter : public lumora::Prompter {
  public:
    int ask(const std::string& text, const std::string&, lumora::Buttons buttons,
            lumora::Icon) override {
        std::fprintf(stderr, "asked: %s\n", text.c_str());
        return buttons == lumora::Buttons::YesNo ? lumora::kAnswerYes : lumora::kAnswerOk;
    }
};

// A value of /proc/self/status in kB ("VmRSS", "VmHWM").
long statusKb(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = 0;
    while (status >> key) {
        if (key == name + ":") {
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

// Starts the peak over again at the present resident size.
void resetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double megabytes(long kb) {
    return kb / 1024.0;
}

// CPU seconds, user and system, of the whole process (every thread) or of
// the calling thread alone.
double cpuSeconds(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The film is shown when its thumbnails exist, it has an item for every film
// picture, the last item has its place and the view has painted.
bool filmShown(lumora::CEditAlbumDialog& dialog, lumora::Workspace& workspace) {
    lumora::FilmModel* model = dialog.filmModel();
    const int rows = model->rowCount();
    if (!workspace.filmBuilt || rows == 0 || static_cast<size_t>(rows) != workspace.film.size()) {
        return false;
    }
    return dialog.film()->visualRect(model->index(rows - 1)).isValid();
}

// Runs the album command and waits for its film; returns the seconds taken.
double openFilm(QApplication& application, lumora::Workspace& workspace,
                std::vector<QImage>& images, lumora::Prompter& prompter,
                std::unique_ptr<lumora::CEditAlbumDialog>& dialog) {
    const auto start = Clock::now();
    if (!workspace.startNewAlbum(0, prompter)) return -1;
    dialog = std::make_unique<lumora::CEditAlbumDialog>(workspace, images, prompter);
    dialog->show();
    while (!filmShown(*dialog, workspace)) application.processEvents(QEventLoop::AllEvents, 5);
    dialog->film()->viewport()->repaint();
    return seconds(start);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    SkipPrompter prompter;
    lumora::Workspace workspace;
    std::vector<QImage> images;

    auto start = Clock::now();
    workspace.setSource(argv[1], prompter, lumora::nullProgress());
    const double scan = seconds(start);
    const size_t pictures = workspace.pictures().size();
    if (pictures == 0) {
        std::fprintf(stderr, "no pictures in %s\n", argv[1]);
        return 1;
    }
    size_t embedded = 0;
    for (const lumora::PictureEntry& entry : workspace.pictures()) {
        if (entry.exif && entry.exif->ThumbnailSize != 0) ++embedded;
    }

    long processPeak = statusKb("VmHWM");
    const long before = statusKb("VmRSS");
    resetPeak();
    std::unique_ptr<lumora::CEditAlbumDialog> dialog;
    const double cpuBefore = cpuSeconds();
    const double windowCpuBefore = cpuSeconds(RUSAGE_THREAD);
    const double first = openFilm(application, workspace, images, prompter, dialog);
    const double firstCpu = cpuSeconds() - cpuBefore;
    const double windowCpu = cpuSeconds(RUSAGE_THREAD) - windowCpuBefore;
    processPeak = std::max(processPeak, statusKb("VmHWM"));
    const long firstPeak = statusKb("VmHWM") - before;
    const double thumbnailBytes =
        static_cast<double>(pictures) * lumora::kThumbnailWidth * lumora::kThumbnailHeight * 3;

    // Every item painted once: the film scrolled a screen at a time.
    QScrollBar* bar = dialog->film()->verticalScrollBar();
    int screens = 0;
    start = Clock::now();
    for (int y = 0;; y += bar->pageStep()) {
        bar->setValue(y);
        dialog->film()->viewport()->repaint();
        ++screens;
        if (y >= bar->maximum()) break;
    }
    const double scroll = seconds(start);

    dialog->discard();
    workspace.finishAlbumDialog(dialog->end(), prompter);
    dialog.reset();
    application.processEvents();
    const long beforeReopen = statusKb("VmRSS");
    resetPeak();
    const double reopen = openFilm(application, workspace, images, prompter, dialog);
    processPeak = std::max(processPeak, statusKb("VmHWM"));
    const long reopenPeak = statusKb("VmHWM") - beforeReopen;

    std::printf("pictures %zu\nembedded %zu\n", pictures, embedded);
    std::printf("scan-s %.3f\n", scan);
    std::printf("first-film-s %.3f\n", first);
    std::printf("first-film-cpu-s %.3f\n", firstCpu);
    std::printf("first-film-window-cpu-s %.3f\n", windowCpu);
    std::printf("first-peak-mb %.1f\n", megabytes(firstPeak));
    std::printf("thumbnails-mb %.1f\n", thumbnailBytes / 1048576.0);
    std::printf("beyond-thumbnails-mb %.1f\n", megabytes(firstPeak) - thumbnailBytes / 1048576.0);
    std::printf("process-peak-mb %.1f\n", megabytes(processPeak));
    std::printf("scroll-s %.3f\nscreens %d\n", scroll, screens);
    std::printf("reopen-film-s %.3f\n", reopen);
    std::printf("reopen-peak-mb %.1f\n", megabytes(reopenPeak));
    return 0;
}
