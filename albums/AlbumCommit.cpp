#include "albums/AlbumCommit.h"

#include <algorithm>
#include <unordered_map>

#include "albums/FilmRange.h"
#include "filters/CriterionText.h"

namespace lumora {
namespace {

void remakeIfAsked(const RemakeThumbnail& remake, const PictureEntry& picture, bool negative,
                   RemakeReason reason) {
    // A thumbnail that cannot be decoded is left as it was.
    if (remake) remake(picture, negative, reason);
}

std::unordered_map<const ExifInfo*, size_t> filmPositions(const FilmList& film) {
    std::unordered_map<const ExifInfo*, size_t> positions;
    positions.reserve(film.size());
    for (size_t i = 0; i < film.size(); ++i) positions.emplace(film[i].exif.get(), i);
    return positions;
}

void releasePendingMarks(PictureList& pictures) {
    for (PictureEntry& entry : pictures) {
        if (entry.albumId == -1) entry.albumId = 0;
    }
}

void save(PictureList& pictures, FilmList& film, Album& album, int32_t negativeFilm,
          const RemakeThumbnail& remake) {
    const auto positions = filmPositions(film);
    // Taken before the excluded pictures lose their marks below.
    const std::optional<TimeSpan> span = filmSpan(film, SpanOf::CountedPictures);
    bool matched = false;
    for (PictureEntry& entry : pictures) {
        entry.isNegative = negativeFilm;
        auto it = positions.find(entry.exif.get());
        if (it != positions.end()) {
            PictureEntry& copy = film[it->second];
            if (copy.isNegative == 0) {
                entry.albumId = copy.albumId;
            } else {
                entry.albumId = 0;
                if (negativeFilm == 0) {
                    copy.isNegative = 0;
                    remakeIfAsked(remake, copy, false, RemakeReason::Save);
                }
            }
            matched = true;
        }
        if (entry.albumId == -1) entry.albumId = 0;
    }
    // The album spans its own pictures, earliest to latest, whatever order
    // the film was shown in; a film of excluded pictures alone keeps its range.
    if (matched && span) {
        album.startTime = album.startKey = span->earliest;
        album.endTime = album.endKey = span->latest;
    }
}

void discardNew(PictureList& pictures, FilmList& film, AlbumList& albums, int32_t albumId,
                int32_t negativeFilm, const RemakeThumbnail& remake) {
    const auto positions = filmPositions(film);
    for (PictureEntry& entry : pictures) {
        if (!positions.count(entry.exif.get())) continue;
        entry.albumId = 0;
        // The entry's mark follows its thumbnail back to positive; the session
        // file stores the mark and rebuilds thumbnails from it.
        if (negativeFilm == 0) entry.isNegative = 0;
    }
    if (negativeFilm == 0) {
        for (PictureEntry& copy : film) {
            if (!copy.isNegative) continue;
            copy.isNegative = 0;
            remakeIfAsked(remake, copy, false, RemakeReason::DiscardNew);
        }
    }
    removeAlbum(albums, albumId);
}

void discardEdited(PictureList& pictures, FilmList& film, Album& album, const EditState& state,
                   const RemakeThumbnail& remake) {
    for (PictureEntry& entry : pictures) {
        if (entry.albumId == -1) entry.albumId = album.id;
        entry.isNegative = state.negativeFilm;
    }
    // Pictures that were in no album before a date was cleared were given the
    // album's id only for the film; discarding must not keep them in it.
    if (!state.joinedAfterClear.empty()) {
        for (PictureEntry& entry : pictures) {
            if (entry.albumId != album.id) continue;
            const auto& joined = state.joinedAfterClear;
            if (std::find(joined.begin(), joined.end(), entry.exif.get()) != joined.end()) {
                entry.albumId = 0;
            }
        }
    }
    for (PictureEntry& copy : film) {
        if (!copy.isNegative) continue;
        copy.isNegative = 0;
        remakeIfAsked(remake, copy, false, RemakeReason::DiscardEdited);
    }
    album.startTime = album.startKey = state.openedStartTime;
    album.endTime = album.endKey = state.openedEndTime;
}

}  // namespace

void commitAlbum(PictureList& pictures, FilmList& film, AlbumList& albums, const EditState& state,
                 CommitKind kind, const RemakeThumbnail& remake) {
    Album* album = currentAlbum(albums, state);
    if (!album) return;
    if (kind == CommitKind::Save) {
        save(pictures, film, *album, state.negativeFilm, remake);
    } else if (state.editMode) {
        discardEdited(pictures, film, *album, state, remake);
    } else {
        discardNew(pictures, film, albums, album->id, state.negativeFilm, remake);
    }
    releasePendingMarks(pictures);
    film.clear();
}

bool deleteAlbum(PictureList& pictures, AlbumList& albums, int32_t albumId, int32_t negativeFilm,
                 const RemakeThumbnail& remake, ProgressSink& progress) {
    if (!findAlbum(albums, albumId)) return false;
    const bool remakes = negativeFilm == 1 && remake;
    const auto count = remakes ? std::count_if(pictures.begin(), pictures.end(),
                                               [albumId](const PictureEntry& entry) {
                                                   return entry.albumId == albumId;
                                               })
                               : 0;
    int running = 0;
    for (PictureEntry& entry : pictures) {
        if (entry.albumId != albumId) continue;
        entry.albumId = 0;
        if (remakes) {
            progress.setStatus(formatText("Updating film. Picture: %d, of %d.", ++running,
                                          static_cast<int>(count)));
        }
        // A picture whose thumbnail cannot be decoded keeps its old one and
        // with it its polarity mark.
        if (negativeFilm == 1 && (!remake || remake(entry, true, RemakeReason::Delete))) {
            entry.isNegative = 1;
        }
    }
    return removeAlbum(albums, albumId);
}

}  // namespace lumora
