#include "albums/EditState.h"

namespace lumora {

Album* currentAlbum(AlbumList& albums, const EditState& state) {
    if (state.editMode) return findAlbum(albums, state.editedAlbumId);
    return albums.empty() ? nullptr : &albums.back();
}

}  // namespace lumora
