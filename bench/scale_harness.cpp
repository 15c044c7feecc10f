// The scale benchmark: every step of a session over one large library, in
// process, each with its time and its peak memory.
//   scale-harness generate DIR COUNT     writes the library (scale_library.h)
//   scale-harness run DIR WORK           scan, thumbnails, analysis, comparison,
//                                        session save and load, processing by copy
// The run prints one line per step: seconds, the peak resident set during the
// step (VmHWM, reset before each step), the resident set after it, and the
// peak less the bytes of the thumbnails held at that moment. The thumbnails are held from
// their step on, as the film holds them.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "albums/AlbumList.h"
#include "albums/DateTimeText.h"
#include "albums/Megabytes.h"
#include "albums/PictureIds.h"
#include "albums/PictureSort.h"
#include "albums/ThumbnailQueue.h"
#include "bench/scale_library.h"
#include "catalog/PictureCatalog.h"
#include "duplicates/DuplicateSearch.h"
#include "duplicates/SignatureAnalysis.h"
#include "processing/ProcessAlbums.h"
#include "session/SessionLoad.h"
#include "session/SessionSave.h"

namespace {

using namespace lumora;
using Stopwatch = std::chrono::steady_clock;

constexpr double kMiB = 1024.0 * 1024.0;
constexpr double kThumbnailBytes = kThumbnailWidth * kThumbnailHeight * 3;

class AnswerOk : public Prompter {
  public:
    int ask(const std::string& text, const std::string&, Buttons, Icon) override {
        ++questions;
        if (questions <= 3) std::fprintf(stderr, "question: %s\n", text.c_str());
        return kAnswerOk;
    }
    int questions = 0;
};

// A field of /proc/self/status, in bytes.
double statusBytes(const char* field) {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr) return 0;
    char line[256];
    double kib = 0;
    const size_t length = std::strlen(field);
    while (std::fgets(line, sizeof line, status)) {
        if (std::strncmp(line, field, length) == 0 && line[length] == ':') {
            kib = std::atof(line + length + 1);
            break;
        }
    }
    std::fclose(status);
    return kib * 1024.0;
}

// Writing 5 to clear_refs starts VmHWM again from the present resident set.
void resetPeak() {
    if (std::FILE* refs = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", refs);
        std::fclose(refs);
    }
}

class Step {
  public:
    explicit Step(const char* name) : name_(name), start_(Stopwatch::now()) { resetPeak(); }
    // heldThumbnails: bytes of the thumbnails held (24-bit ones 57,600 and a
    // header, grey ones 19,200, a palette and a header).
    void end(size_t pictures, double heldThumbnails, const std::string& note = "") {
        const double seconds = std::chrono::duration<double>(Stopwatch::now() - start_).count();
        const double peak = statusBytes("VmHWM");
        const double after = statusBytes("VmRSS");
        const double beyond = peak - heldThumbnails;
        std::printf("%-14s %7zu %9.3f %9.1f %9.1f %9.1f  %s\n", name_, pictures, seconds,
                    peak / kMiB, after / kMiB, beyond / kMiB, note.c_str());
        std::fflush(stdout);
    }

  private:
    const char* name_;
    Stopwatch::time_point start_;
};

AlbumList dayAlbums(PictureList& pictures) {
    AlbumList albums;
    std::string current;
    for (PictureEntry& picture : pictures) {
        const std::string day = dateText(picture.dateTime, 1);
        if (albums.empty() || day != current) {
            Album& album = appendNewAlbum(albums);
            album.name = day.substr(1, day.size() - 2);
            album.directoryName = "/";
            album.unsaved = 0;
            current = day;
        }
        picture.albumId = albums.back().id;
        ++albums.back().pictureCount;
        albums.back().sizeMB += megabytesOf(picture.fileSize);
    }
    return albums;
}

int run(const std::string& source, const std::string& work) {
    std::printf("%-14s %7s %9s %9s %9s %9s\n", "step", "pictures", "seconds", "peak_MiB",
                "after_MiB", "beyond_thumbs_MiB");
    AnswerOk prompter;
    PictureCatalog catalog;
    // The first scan warms the cache; the last of three is the one reported.
    for (int pass = 0; pass < 3; ++pass) {
        catalog.clearPictures();
        catalog.clearDirectories();
        Step step(pass == 0 ? "scan-cold" : "scan-warm");
        catalog.scanSource(source, true, prompter);
        step.end(catalog.pictures().size(), 0,
                 std::to_string(catalog.directories().size()) + " folders");
    }
    PictureList& pictures = catalog.pictures();

    std::vector<Image> film;
    double filmBytes = 0;
    {
        Step step("thumbnails");
        film.reserve(pictures.size());
        ThumbnailQueue queue(catalog.fileSystem(), pictures, ThumbnailOptions{},
                             ThumbnailQueue::defaultWorkers());
        ThumbnailResult result = ThumbnailResult::Unreadable;
        Image thumbnail;
        int unreadable = 0;
        while (queue.next(result, thumbnail, nullProgress())) {
            if (result != ThumbnailResult::Made) ++unreadable;
            filmBytes += static_cast<double>(thumbnail.GetDibSize());
            film.push_back(std::move(thumbnail));
        }
        step.end(pictures.size(), filmBytes, std::to_string(unreadable) + " not made");
    }
    {
        Step step("analysis");
        const int stored = analysePictures(pictures, nullProgress(), catalog.fileSystem(),
                                           defaultAnalysisHelpers());
        step.end(pictures.size(), filmBytes, std::to_string(stored) + " signatures");
    }
    {
        Step step("comparison");
        std::vector<std::string> lines;
        const int found = findDuplicates(pictures, lines, nullProgress());
        step.end(pictures.size(), filmBytes, std::to_string(found) + " duplicates");
    }

    std::filesystem::create_directories(work);
    const std::string sessionPath = work + "/scale.lsn";
    sortPictures(pictures, kSortByDate, false);
    assignPictureIds(pictures);
    AlbumList albums = dayAlbums(pictures);
    PictureList removed;
    {
        Step step("session-save");
        SessionValues values;
        values.sourceText = source;
        values.targetText = work;
        values.picturesAtScan = static_cast<int32_t>(pictures.size());
        ErrorCode error = kErrorSuccess;
        const bool saved = saveSession(catalog.fileSystem(), sessionPath, values, albums, pictures,
                                       removed, error);
        step.end(pictures.size(), filmBytes,
                 saved ? std::to_string(std::filesystem::file_size(sessionPath)) + " bytes"
                       : "FAILED " + std::to_string(error));
    }
    {
        // Loading rescans the source and lays the stored records over the
        // fresh list, as opening a session does.
        Step step("session-load");
        PictureCatalog rescan;
        rescan.scanSource(source, true, prompter);
        PictureList& fresh = rescan.pictures();
        sortPictures(fresh, kSortByDate, false);
        SessionData data;
        ErrorCode error = kErrorSuccess;
        std::string problem;
        std::string note;
        if (!readSessionFile(catalog.fileSystem(), sessionPath, data, error, problem)) {
            note = "FAILED " + std::to_string(error) + " " + problem;
        } else if (!sourceMatches(fresh, data)) {
            note = "FAILED: the source does not match";
        } else {
            PictureList freshRemoved;
            applyPictureRecords(data.pictures, fresh, freshRemoved);
            note = std::to_string(data.albums.size()) + " albums";
        }
        step.end(pictures.size(), filmBytes, note);
    }
    {
        const std::string target = work + "/target";
        std::filesystem::remove_all(target);
        std::filesystem::create_directories(target);
        Step step("process-copy");
        ProcessSettings settings;
        settings.targetDirectory = target;
        const ProcessServices services{catalog.fileSystem(), prompter, nullProgress(),
                                       nullProgress()};
        const ProcessReport report = processAlbums(albums, pictures, settings, services);
        step.end(pictures.size(), filmBytes,
                 std::to_string(report.filesTransferred) + " files, " +
                     std::to_string(report.albumsFailed) + " albums failed");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "whole-run peak %.1f MiB, %zu thumbnails held %.1f MiB (%.1f MiB at 57,600 bytes "
        "each), questions %d\n",
        usage.ru_maxrss / 1024.0, film.size(), filmBytes / kMiB,
        film.size() * kThumbnailBytes / kMiB, prompter.questions);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "generate" && argc == 4) {
        lumora::bench::ScaleLibrary library;
        std::string error;
        if (!lumora::bench::writeScaleLibrary(argv[2], std::atoi(argv[3]), library, error)) {
            std::fprintf(stderr, "cannot write %s\n", error.c_str());
            return 1;
        }
        std::printf("files %d large %d damaged %d\n", library.written, library.large,
                    library.damaged);
        return 0;
    }
    if (mode == "run" && argc == 4) return run(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: scale-harness generate DIR COUNT\n"
                 "       scale-harness run DIR WORK\n");
    return 2;
}
