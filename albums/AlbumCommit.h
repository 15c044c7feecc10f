#pragma once

#include <cstdint>

#include "albums/AlbumList.h"
#include "albums/EditState.h"
#include "albums/FilmSelection.h"
#include "albums/ThumbnailRemake.h"
#include "catalog/PictureEntry.h"
#include "platform/ProgressSink.h"

namespace lumora {

enum class CommitKind { Save, Discard };

// Writes the outcome of the Edit Album dialog back to the picture list and
// empties the film. Works on the current album of `state` (nothing happens
// when there is none). Save: film pictures in the album take its id, excluded
// ones go back to no album, and the album's range becomes the earliest and the
// latest time among the pictures it keeps, whatever the film's order. Discard
// of a new album: its film pictures go back to no album and the album is
// removed. Discard of an edited album: its pictures marked -1 come back,
// pictures that joined after a cleared date go back to no album, and the
// range it had at opening is restored. Excluded thumbnails are re-made
// positive where the film polarity asks for it.
void commitAlbum(PictureList& pictures, FilmList& film, AlbumList& albums, const EditState& state,
                 CommitKind kind, const RemakeThumbnail& remake);

// Releases the album's pictures (in a negative film they turn negative) and
// removes the album. False when no album has the id. Re-making the
// thumbnails of a negative film shows "Updating film. Picture: %d, of %d."
// before each picture, as an album of thousands takes a while.
bool deleteAlbum(PictureList& pictures, AlbumList& albums, int32_t albumId, int32_t negativeFilm,
                 const RemakeThumbnail& remake, ProgressSink& progress = nullProgress());

}  // namespace lumora
