#include "albums/AlbumList.h"

#include <algorithm>

namespace lumora {

int32_t nextAlbumId(const AlbumList& albums) {
    if (albums.empty()) return 1;
    const int32_t last = albums.back().id;
    return last < 0 || last == INT32_MAX ? 0 : last + 1;
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
