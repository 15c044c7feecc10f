#include "albums/AlbumList.h"

#include <algorithm>

namespace lumora {

int32_t nextAlbumId(const AlbumList& albums) {
    return albums.empty() ? 1 : albums.back().id + 1;
}

Album& appendNewAlbum(AlbumList& albums) {
    Album album;
    album.id = nextAlbumId(albums);
    albums.push_back(album);
    return albums.back();
}

Album* findAlbum(AlbumList& albums, int32_t id) {
    for (Album& album : albums) {
        if (album.id == id) return &album;
    }
    return nullptr;
}

const Album* findAlbum(const AlbumList& albums, int32_t id) {
    for (const Album& album : albums) {
        if (album.id == id) return &album;
    }
    return nullptr;
}

bool removeAlbum(AlbumList& albums, int32_t id) {
    auto it = std::find_if(albums.begin(), albums.end(),
                           [id](const Album& album) { return album.id == id; });
    if (it == albums.end()) return false;
    albums.erase(it);
    return true;
}

}  // namespace lumora
