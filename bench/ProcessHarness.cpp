// Times one processing run in-process: the scan and the album set-up are not
// timed; the run and the final sync are.
//   process-harness SRC TARGET [--move]
// Prints: pictures, bytes, seconds, MB/s.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "albums/AlbumList.h"
#include "albums/DateTimeText.h"
#include "albums/Megabytes.h"
#include "albums/PictureIds.h"
#include "albums/PictureSort.h"
#include "catalog/PictureCatalog.h"
#include "processing/ProcessAlbums.h"

namespace {

class OkPrompter : public lumora::Prompter {
  public:
    int ask(const std::string& text, const std::string&, lumora::Buttons, lumora::Icon) override {
        std::fprintf(stderr, "unexpected question: %s\n", text.c_str());
        return lumora::kAnswerCancel;
    }
};

}  // namespace

int main(int argc, char** argv) {
    using namespace lumora;
    if (argc < 3) {
        std::fprintf(stderr, "usage: process-harness SRC TARGET [--move]\n");
        return 2;
    }
    const bool move = argc > 3 && std::string(argv[3]) == "--move";
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
    const ProcessServices services{catalog.fileSystem(), prompter, nullProgress(), nullProgress()};
    const auto start = std::chrono::steady_clock::now();
    const ProcessReport report = processAlbums(albums, pictures, settings, services);
    ::sync();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu %llu %.6f %.1f\n", pictures.size(), static_cast<unsigned long long>(bytes),
                seconds, static_cast<double>(bytes) / 1048576.0 / seconds);
    std::fprintf(stderr, "%s\n", report.summaryText.c_str());
    return report.albumsFailed == 0 ? 0 : 1;
}
