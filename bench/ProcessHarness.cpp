// Times one processing run in-process: the scan and the album set-up are not
// timed; the run and the final sync are. With --journal the run keeps its
// journal in TARGET, as every run of the program does.
//   process-harness SRC TARGET [--move] [--journal]
// Prints: pictures, bytes, seconds, MB/s.
// Times the undo of the newest run in TARGET, plan, steps and sync:
//   process-harness --undo TARGET
// Prints: steps, seconds.
// Times the journal alone, as a copy run of SRC into TARGET writes it (each
// picture announced and confirmed), with nothing copied; the scan is not
// timed, the final sync is:
//   process-harness --journal-only SRC TARGET
// Prints: pictures, seconds.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "albums/AlbumList.h"
#include "albums/DateTimeText.h"
#include "albums/Megabytes.h"
#include "albums/PictureIds.h"
#include "albums/PictureSort.h"
#include "catalog/PictureCatalog.h"
#include "processing/ProcessAlbums.h"
#include "processing/RunJournal.h"
#include "processing/RunUndo.h"

namespace {

class OkPrompter : public lumora::Prompter {
  public:
    int ask(const std::string& text, const std::string&, lumora::Buttons, lumora::Icon) override {
        std::fprintf(stderr, "unexpected question: %s\n", text.c_str());
        return lumora::kAnswerCancel;
    }
};

}  // namespace

int undoNewest(const std::string& target) {
    using namespace lumora;
    const auto start = std::chrono::steady_clock::now();
    const std::string journal = latestJournal(realFileSystem(), target);
    const UndoPlan plan = planUndo(realFileSystem(), journal);
    const UndoResult result = executeUndo(realFileSystem(), plan);
    ::sync();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu %.6f\n", result.steps.size(), seconds);
    std::fprintf(stderr, "undone: %s\n", undoCountsText(result).c_str());
    return result.left.empty() && !plan.steps.empty() ? 0 : 1;
}

int journalOnly(const std::string& source, const std::string& target) {
    using namespace lumora;
    OkPrompter prompter;
    PictureCatalog catalog;
    catalog.scanSource(source, true, prompter);
    const PictureList& pictures = catalog.pictures();
    const auto start = std::chrono::steady_clock::now();
    {
        RunJournal journal(realFileSystem(), JournalSetup{target, "", 0, {}});
        size_t index = 0;
        for (const PictureEntry& picture : pictures) {
            const std::string name = joinPath(target, std::to_string(index++) + ".jpg");
            // The source stands for the copy: the same calls on a file that exists.
            journal.done(journal.transferAbout(false, picture.path, name), picture.path);
        }
        journal.finish({});
    }
    ::sync();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu %.6f\n", pictures.size(), seconds);
    return 0;
}

int main(int argc, char** argv) {
    using namespace lumora;
    if (argc == 3 && std::string(argv[1]) == "--undo") return undoNewest(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "--journal-only") return journalOnly(argv[2], argv[3]);
    if (argc < 3) {
        std::fprintf(stderr, "usage: process-harness SRC TARGET [--move] [--journal]\n");
        return 2;
    }
    bool move = false;
    bool journaled = false;
    for (int i = 3; i < argc; ++i) {
        move = move || std::string(argv[i]) == "--move";
        journaled = journaled || std::string(argv[i]) == "--journal";
    }
    OkPrompter prompter;
    PictureCatalog catalog;
    catalog.scanSource(argv[1], true, prompter);
    PictureList& pictures = catalog.pictures();
    sortPictures(pictures, kSortByDate, false);
    assignPictureIds(pictures);

    // One album per day, as `organize` makes them.
    AlbumList albums;
    albums.reserve(pictures.size());
    std::string current;
    uint64_t bytes = 0;
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
        bytes += picture.fileSize;
    }

    ProcessSettings settings;
    settings.targetDirectory = argv[2];
    settings.moveMode = move ? 1 : 0;
    ProcessServices services{catalog.fileSystem(), prompter, nullProgress(), nullProgress()};
    const auto start = std::chrono::steady_clock::now();
    std::unique_ptr<RunJournal> journal;
    if (journaled) {
        JournalSetup setup{settings.targetDirectory, "", settings.moveMode, {}};
        for (const Album& album : albums) setup.albums.emplace_back(album.id, album.name);
        journal = std::make_unique<RunJournal>(catalog.fileSystem(), std::move(setup));
        services.journal = journal.get();
    }
    const ProcessReport report = processAlbums(albums, pictures, settings, services);
    if (journal) journal->finish({});
    ::sync();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu %llu %.6f %.1f\n", pictures.size(), static_cast<unsigned long long>(bytes),
                seconds, static_cast<double>(bytes) / 1048576.0 / seconds);
    std::fprintf(stderr, "%s\n", report.summaryText.c_str());
    return report.albumsFailed == 0 ? 0 : 1;
}
