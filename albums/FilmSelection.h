#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "albums/Album.h"
#include "albums/EditState.h"
#include "albums/ThumbnailRemake.h"
#include "albums/ViewOptions.h"
#include "catalog/PictureEntry.h"
#include "filters/FilterCriterion.h"

namespace lumora {

// The pictures shown in the Edit Album dialog's film: copies of picture-list
// entries in film order. A copy shares its entry's ExifInfo, which is how a
// film picture finds its entry again.
using FilmList = std::vector<PictureEntry>;

// What selecting the film reads besides the lists and the album.
struct FilmRules {
    bool editMode = false;
    int32_t excludeDuplicates = 0;
    ViewOptions view;
    // The open Advanced Filter dialog's check boxes; absent while it is closed,
    // when no criterion applies at all.
    std::optional<CriterionFlags> filterChecks;
};

struct FilmCounts {
    int filmCount = 0;
    // Kept pictures shown as negatives. Only counted when both dates are set.
    int excludedCount = 0;
    // New-album mode: pictures skipped because another album holds them.
    int inOtherAlbums = 0;
    // Per EXIF criterion, whether the filter tested it on any picture.
    CriterionFlags tested{};

    bool albumEmpty() const { return excludedCount == filmCount; }
};

// Opening the Edit Album dialog for a new album, after every picture-list
// entry was given the film polarity as its mark: a film left behind by an
// earlier dialog (a refused album, or one closed without Save or Discard) is
// dropped, so that none of its exclusions is written back by the first
// selection, and the film is filled with copies of the pictures in no album.
// Dropped pictures whose mark differs from the polarity get their thumbnails
// re-made to match.
void refillFilmForNewAlbum(const PictureList& pictures, FilmList& film, int32_t negativeFilm,
                           const RemakeThumbnail& remake);

// The same for an edit, whose first selection fills the film: the film left
// behind is dropped as above and the film stays empty.
void dropLeftoverFilm(FilmList& film, int32_t negativeFilm, const RemakeThumbnail& remake);

// Refills the film for the album. Exclusions made in the previous film are
// first written back to the picture list; the picture list is sorted into the
// view options' order; the candidates are copied into the film; when both
// dates are set, pictures out of range or failing the filter leave the film
// (in edit mode their entries are marked -1) and the album is recounted. In
// edit mode after a date was cleared, pictures in no album join the album at
// once and are noted in state.joinedAfterClear.
FilmCounts selectFilmPictures(PictureList& pictures, FilmList& film, Album& album,
                              const FilmRules& rules, EditState& state);

// Double-click on a film picture: turns its exclusion over and adjusts the
// album's count and size. The thumbnail is re-made first; when that fails the
// picture stays as it was and the result is false. False also for an index
// beyond the film.
bool toggleFilmPicture(FilmList& film, size_t index, Album& album, const RemakeThumbnail& remake);

}  // namespace lumora
