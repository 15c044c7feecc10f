// The Advanced Filter's live narrowing over a generated film of 20,000
// pictures, headless and in memory: the value lists' refresh from the whole
// film, the film rebuild that follows a choice in a box, and the whole
// handler of a choice (rebuild, then refresh with live update).
// filter-harness [PICTURES] [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "albums/AlbumList.h"
#include "albums/EditState.h"
#include "albums/FilmFilterHost.h"
#include "albums/FilmSelection.h"
#include "filters/FilterPanel.h"

using namespace lumora;

namespace {

class SilentPrompter : public Prompter {
  public:
    int ask(const std::string&, const std::string&, Buttons, Icon) override { return kAnswerOk; }
};

// Pictures as a camera library holds them: a few cameras, a spread of
// exposures, one picture a minute.
PictureList generatePictures(int count) {
    static const char* makes[] = {"Canon", "Nikon", "Sony", "Olympus", "Pentax"};
    static const char* models[] = {"Alpha", "Beta", "Gamma"};
    static const int widths[] = {6000, 4000, 3264, 2048, 1600, 640};
    static const int isos[] = {64, 100, 200, 400, 800, 1600, 3200, 6400};
    PictureList pictures;
    pictures.reserve(static_cast<size_t>(count));
    unsigned seed = 12345;
    auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int i = 0; i < count; ++i) {
        PictureEntry picture;
        picture.path = "/pictures/IMG_" + std::to_string(i) + ".jpg";
        picture.dateTime = 130000000000000000ull + static_cast<uint64_t>(i) * 600000000ull;
        picture.fileSize = 3000000;
        auto exif = std::make_shared<ExifInfo>();
        std::strcpy(exif->CameraMake, makes[next(5)]);
        std::strcpy(exif->CameraModel, models[next(3)]);
        exif->Width = widths[next(6)];
        exif->Height = exif->Width * 3 / 4;
        exif->Xresolution = exif->Yresolution = static_cast<float>(72 + 24 * next(4));
        exif->FocalLength = static_cast<float>(12 + 2 * next(60));
        exif->ExposureTime = 1.0f / static_cast<float>(1 + next(4000));
        exif->ApertureFNumber = 1.4f + 0.1f * static_cast<float>(next(200));
        exif->ISOequivalent = isos[next(8)];
        exif->Distance = next(10) == 0 ? -1.0f : 0.1f * static_cast<float>(1 + next(300));
        exif->ExposureBias = 0.33f * static_cast<float>(static_cast<int>(next(13)) - 6);
        exif->FlashUsed = static_cast<int32_t>(next(2));
        exif->MeteringMode = static_cast<int32_t>(next(7));
        exif->ExposureProgram = static_cast<int32_t>(next(9));
        exif->Whitebalance = static_cast<int32_t>(next(4));
        picture.exif = std::move(exif);
        pictures.push_back(std::move(picture));
    }
    return pictures;
}

double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

struct Figures {
    std::vector<double> times;
    void add(double ms) { times.push_back(ms); }
    void print(const char* what) {
        std::sort(times.begin(), times.end());
        std::printf("%-52s median %8.2f ms  max %8.2f ms  (%zu runs)\n", what,
                    times[times.size() / 2], times.back(), times.size());
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    PictureList pictures = generatePictures(count);
    AlbumList albums;
    Album& album = appendNewAlbum(albums);
    album.startTime = album.startKey = pictures.front().dateTime;
    album.endTime = album.endKey = pictures.back().dateTime;
    EditState edit;
    FilmList film;
    refillFilmForNewAlbum(pictures, film, 0, {});
    SilentPrompter prompter;
    FilterValueLists values;
    FilterPanel* panelPointer = nullptr;
    Figures rebuilds;
    auto rebuild = [&] {
        FilmRules rules;
        rules.filterChecks = panelPointer->checks();
        const auto start = std::chrono::steady_clock::now();
        const FilmCounts counts = selectFilmPictures(pictures, film, albums.back(), rules, edit);
        rebuilds.add(millisecondsSince(start));
        panelPointer->filmBuilt(counts.tested);
    };
    FilmFilterHost host(albums, edit, film, rebuild);
    FilterPanel panel(host, values, prompter);
    panelPointer = &panel;
    panel.open();
    panel.toggleMaster(true);
    rebuilds.times.clear();
    std::printf("%d pictures, film of %zu\n", count, film.size());

    Figures refreshes;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        panel.refreshCriteria();
        refreshes.add(millisecondsSince(start));
    }
    refreshes.print("value lists' refresh, nothing kept");

    // A person narrowing: a make, a focal-length Max, an ISO Max, a metering
    // mode, then all again; each choice rebuilds the film and refreshes.
    Figures handlers;
    size_t filmAfter = 0;
    for (int i = 0; i < rounds; ++i) {
        auto timed = [&](FilterCriterion criterion, ComboRole role, size_t index) {
            const auto start = std::chrono::steady_clock::now();
            panel.choose(criterion, role, index);
            handlers.add(millisecondsSince(start));
        };
        timed(FilterCriterion::Camera, ComboRole::Make, 1);
        timed(FilterCriterion::FocalLength, ComboRole::Max, 10);
        timed(FilterCriterion::Iso, ComboRole::Max, 2);
        timed(FilterCriterion::MeteringMode, ComboRole::Max, 2);
        filmAfter = film.size();
        panel.resetFilters();
        timed(FilterCriterion::Camera, ComboRole::Make, 0);
    }
    rebuilds.print("film rebuild (selection and filter) after a choice");
    handlers.print("whole choice: rebuild and live refresh");
    std::printf("film after four choices: %zu pictures\n", filmAfter);
    return 0;
}
