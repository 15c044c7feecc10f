#include "albums/FilmSelection.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "albums/Megabytes.h"
#include "filters/FilterMatch.h"

namespace lumora {
namespace {

// Picture-list positions by the ExifInfo their entries share with film copies.
std::unordered_map<const ExifInfo*, size_t> positionsByExif(const PictureList& pictures) {
    std::unordered_map<const ExifInfo*, size_t> positions;
    positions.reserve(pictures.size());
    for (size_t i = 0; i < pictures.size(); ++i) positions.emplace(pictures[i].exif.get(), i);
    return positions;
}

void writeBackExclusions(const FilmList& film, PictureList& pictures) {
    if (film.empty()) return;
    const auto positions = positionsByExif(pictures);
    for (const PictureEntry& copy : film) {
        auto it = positions.find(copy.exif.get());
        if (it != positions.end()) pictures[it->second].isNegative = copy.isNegative;
    }
}

bool isCandidate(PictureEntry& entry, int32_t albumId, bool editMode, bool rangeSet,
                 FilmCounts& counts) {
    const int32_t p = entry.albumId;
    if (!editMode) {
        if (p == 0 || p == albumId) return true;
        ++counts.inOtherAlbums;
        return false;
    }
    if (rangeSet) return p == albumId || p == -1;
    return p == 0 || p == albumId || p == -1;
}

void noteJoined(EditState& state, const ExifInfo* exif) {
    if (std::find(state.joinedAfterClear.begin(), state.joinedAfterClear.end(), exif) ==
        state.joinedAfterClear.end()) {
        state.joinedAfterClear.push_back(exif);
    }
}

}  // namespace

void dropLeftoverFilm(FilmList& film, int32_t negativeFilm, const RemakeThumbnail& remake) {
    for (const PictureEntry& copy : film) {
        // A thumbnail that cannot be decoded is left as it was.
        if (copy.isNegative != negativeFilm && remake) {
            remake(copy, negativeFilm != 0, RemakeReason::DiscardNew);
        }
    }
    film.clear();
}

void refillFilmForNewAlbum(const PictureList& pictures, FilmList& film, int32_t negativeFilm,
                           const RemakeThumbnail& remake) {
    dropLeftoverFilm(film, negativeFilm, remake);
    for (const PictureEntry& entry : pictures) {
        if (entry.albumId == 0) film.push_back(entry);
    }
}

FilmCounts selectFilmPictures(PictureList& pictures, FilmList& film, Album& album,
                              const FilmRules& rules, EditState& state) {
    writeBackExclusions(film, pictures);
    film.clear();
    sortForFilm(pictures, rules.view);

    FilmCounts counts;
    const bool rangeSet = album.hasRange();
    for (PictureEntry& entry : pictures) {
        const bool candidate = isCandidate(entry, album.id, rules.editMode, rangeSet, counts);
        if (!candidate) continue;
        if (rules.excludeDuplicates && entry.isDuplicate) continue;
        film.push_back(entry);
        if (rules.editMode && !rangeSet && entry.albumId == 0) {
            // The film copy keeps 0; only the list entry joins.
            entry.albumId = album.id;
            noteJoined(state, entry.exif.get());
        }
    }

    if (rangeSet) {
        album.pictureCount = 0;
        album.sizeMB = 0.0f;
        std::unordered_set<const ExifInfo*> failed;
        FilmList kept;
        kept.reserve(film.size());
        for (PictureEntry& copy : film) {
            bool passes = album.startKey <= copy.dateTime && copy.dateTime <= album.endKey;
            if (passes && rules.filterChecks && copy.exif) {
                const FilterMatch match =
                    matchesFilter(*copy.exif, album.filter, *rules.filterChecks);
                for (size_t i = 0; i < kCriterionCount; ++i) counts.tested[i] |= match.tested[i];
                passes = match.passes;
            }
            if (!passes) {
                failed.insert(copy.exif.get());
                continue;
            }
            copy.albumId = album.id;
            if (copy.isNegative) {
                ++counts.excludedCount;
            } else {
                ++album.pictureCount;
                album.sizeMB += megabytesOf(copy.fileSize);
            }
            kept.push_back(copy);
        }
        film.swap(kept);
        if (rules.editMode && !failed.empty()) {
            for (PictureEntry& entry : pictures) {
                if (failed.count(entry.exif.get())) entry.albumId = -1;
            }
        }
    }
    counts.filmCount = static_cast<int>(film.size());
    return counts;
}

bool toggleFilmPicture(FilmList& film, size_t index, Album& album, const RemakeThumbnail& remake) {
    if (index >= film.size()) return false;
    PictureEntry& picture = film[index];
    const bool becomesNegative = picture.isNegative == 0;
    if (remake && !remake(picture, becomesNegative, RemakeReason::Toggle)) return false;
    const float megabytes = megabytesOf(picture.fileSize);
    if (becomesNegative) {
        picture.isNegative = 1;
        --album.pictureCount;
        album.sizeMB -= megabytes;
    } else {
        picture.isNegative = 0;
        ++album.pictureCount;
        album.sizeMB += megabytes;
    }
    return true;
}

}  // namespace lumora
