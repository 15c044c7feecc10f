#include "tests/session/LegacySessions.h"

#include <algorithm>
#include <cstdio>

#include "albums/LocalTimeValue.h"
#include "albums/PictureSort.h"
#include "platform/FileSystem.h"
#include "tests/support/PictureFiles.h"

namespace lumora::test {
namespace {

// Taken from their dates' values when the range is set from the film.
struct FilmRange {
    int32_t albumId;
    const char* name;
    bool descending;  // the film was sorted by date, descending, at saving
};

constexpr FilmRange kFilmRanges[] = {
    {1, "Night", false},
    {2, "Morning", false},
    {3, "Later", false},
    {4, "Next day", true},
};

constexpr int32_t kManualAlbum = 5;

PictureEntry* pictureNamed(PictureList& pictures, const std::string& name) {
    for (PictureEntry& entry : pictures) {
        if (entry.path.ends_with(kPathSeparator + name)) return &entry;
    }
    return nullptr;
}

}  // namespace

const std::vector<LegacyPicture>& legacyPictures() {
    // 00:30 and 01:30 east of UTC, a second 0 and a minute 0, the second
    // before a minute, pictures of the same second, the hour the spring
    // change skips in Paris, and both sides of midnight.
    static const std::vector<LegacyPicture> pictures = {
        {"n0030.jpg", "2024:03:14 00:30:00", 1, 0, 0, "night one"},
        {"n0130.jpg", "2024:03:14 01:30:00", 1, 0, 0, nullptr},
        {"n1000.jpg", "2024:03:14 10:00:00", 2, 0, 0, nullptr},
        {"n1000b.jpg", "2024:03:14 10:00:00", 0, 1, 0, nullptr},
        {"n100059.jpg", "2024:03:14 10:00:59", 2, 0, 0, "late second"},
        {"n1001.jpg", "2024:03:14 10:01:00", 3, 0, 0, nullptr},
        {"n2000.jpg", "2024:03:14 20:00:00", 3, 0, 0, nullptr},
        {"n2359.jpg", "2024:03:14 23:59:59", 3, 0, 0, nullptr},
        {"m0000.jpg", "2024:03:15 00:00:00", 4, 0, 0, nullptr},
        {"m0500.jpg", "2024:03:15 05:00:00", 4, 0, 0, "dawn"},
        {"s0230.jpg", "2024:03:31 02:30:00", 5, 0, 0, nullptr},
        {"w1200.jpg", "2024:01:10 12:00:00", 5, 0, 0, nullptr},
        {"u0930.jpg", "2024:07:20 09:30:00", 5, 0, 0, "summer"},
        {"u0000.jpg", "2024:07:20 00:00:00", 0, 0, 1, nullptr},
        {"x0930.jpg", "2024:07:21 09:30:00", 0, 0, 0, nullptr},
    };
    return pictures;
}

double legacyMarker(size_t index) {
    return static_cast<double>(index + 1);
}

const std::vector<LegacyFixture>& legacyFixtures() {
    static const std::vector<LegacyFixture> fixtures = {
        {"paris-january.lsn", "CET-1CEST,M3.5.0,M10.5.0/3", 1705312800},  // 2024-01-15 10:00 UTC
        {"paris-july.lsn", "CET-1CEST,M3.5.0,M10.5.0/3", 1721037600},     // 2024-07-15 10:00 UTC
        {"tokyo-january.lsn", "JST-9", 1705312800},
        {"tokyo-july.lsn", "JST-9", 1721037600},
    };
    return fixtures;
}

void writeLegacyPictures(const TempDir& source) {
    const std::vector<LegacyPicture>& pictures = legacyPictures();
    for (size_t i = 0; i < pictures.size(); ++i) {
        PictureSpec spec;
        spec.dateTimeOriginal = pictures[i].dateText;
        spec.seed = static_cast<uint32_t>(i + 1);
        source.writeFile(pictures[i].name, exifPicture(spec));
    }
}

void buildLegacyWork(Workspace& w, const std::string& source, Prompter& prompter) {
    w.setSource(source, prompter, nullProgress());
    w.selectTarget("/albums/out", prompter);
    w.assignPictureIds();
    PictureList& pictures = w.pictures();
    for (int32_t id = 1; id <= kManualAlbum; ++id) {
        Album& album = appendNewAlbum(w.albums);
        album.unsaved = 0;
    }
    const std::vector<LegacyPicture>& specs = legacyPictures();
    for (size_t i = 0; i < specs.size(); ++i) {
        PictureEntry& entry = *pictureNamed(pictures, specs[i].name);
        entry.albumId = specs[i].albumId;
        entry.isNegative = specs[i].isNegative;
        for (int k = 0; k < 16; ++k) entry.exif->signature[k] = legacyMarker(i) + k * 1e-3;
        if (specs[i].customName != nullptr) {
            entry.exif->hasCustomName = 1;
            std::snprintf(entry.exif->customName, sizeof entry.exif->customName, "%s",
                          specs[i].customName);
        }
    }
    // The negative picture was in the film of "Morning" when its range was
    // taken, as a picture left out of an album is.
    pictureNamed(pictures, "n1000b.jpg")->albumId = 2;
    for (const FilmRange& range : kFilmRanges) {
        Album& album = w.albums[static_cast<size_t>(range.albumId - 1)];
        album.name = range.name;
        uint64_t first = UINT64_MAX;
        uint64_t last = 0;
        for (const PictureEntry& entry : pictures) {
            if (entry.albumId != range.albumId) continue;
            first = std::min(first, entry.dateTime);
            last = std::max(last, entry.dateTime);
            if (entry.isNegative == 0) ++album.pictureCount;
        }
        album.startTime = album.startKey = range.descending ? last : first;
        album.endTime = album.endKey = range.descending ? first : last;
    }
    pictureNamed(pictures, "n1000b.jpg")->albumId = 0;

    Album& seasons = w.albums[kManualAlbum - 1];
    seasons.name = "Seasons";
    seasons.pictureCount = 3;
    seasons.startTime = seasons.startKey = localTimeToValue(calendarFields(2024, 1, 1, 0, 0, 0));
    seasons.endTime = seasons.endKey = localTimeToValue(calendarFields(2024, 12, 31, 23, 59, 59));

    // The duplicate search paired the two midnight pictures of July 20 and
    // 21 and removed one.
    pictureNamed(pictures, "x0930.jpg")->isDuplicate = 1;
    PictureEntry* removed = pictureNamed(pictures, "u0000.jpg");
    removed->isDuplicate = 1;
    removed->isRemoved = 1;
    w.removedPictures.push_back(*removed);
    std::erase_if(pictures, [](const PictureEntry& e) { return e.isRemoved != 0; });
    w.duplicatesFound = 1;
    sortPictures(pictures, kSortByName, false);
}

}  // namespace lumora::test
