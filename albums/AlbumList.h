#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "albums/Album.h"

namespace lumora {

// Albums in the order they were created; deleting one closes the gap.
using AlbumList = std::vector<Album>;

// 1 for the first album, else the last album's id plus 1: deleting the last
// album makes its id free again, deleting any other does not. 0 when no id
// can follow the last album's (the largest 32-bit id, or one below 0).
int32_t nextAlbumId(const AlbumList& albums);

// Appends an album with the values of a new one and the next id, which the
// caller has checked there is (nextAlbumId not 0).
Album& appendNewAlbum(AlbumList& albums);

// Linear search from the front; null when no album has the id.
Album* findAlbum(AlbumList& albums, int32_t id);
const Album* findAlbum(const AlbumList& albums, int32_t id);

// False when no album has the id.
bool removeAlbum(AlbumList& albums, int32_t id);

}  // namespace lumora
