#include "albums/FilmFilterHost.h"

#include <algorithm>
#include <utility>

namespace lumora {

FilmFilterHost::FilmFilterHost(AlbumList& albums, const EditState& edit, const FilmList& film,
                               std::function<void()> rebuild)
    : albums_(albums), edit_(edit), film_(film), rebuild_(std::move(rebuild)) {}

FilterSettings* FilmFilterHost::filterSettings() {
    Album* album = currentAlbum(albums_, edit_);
    return album ? &album->filter : nullptr;
}

void FilmFilterHost::rebuildFilm() {
    if (rebuild_) rebuild_();
}

std::vector<const ExifInfo*> FilmFilterHost::filmPictures() {
    const Album* album = currentAlbum(albums_, edit_);
    return filterWalk(film_, album ? album->id : 0);
}

std::vector<const ExifInfo*> filterWalk(const FilmList& film, int32_t albumId) {
    auto first = std::find_if(film.begin(), film.end(), [&](const PictureEntry& picture) {
        return albumId != 0 && picture.albumId == albumId;
    });
    if (first == film.end()) first = film.begin();
    std::vector<const ExifInfo*> pictures;
    pictures.reserve(static_cast<std::size_t>(film.end() - first));
    for (auto it = first; it != film.end(); ++it) {
        if (it->exif) pictures.push_back(it->exif.get());
    }
    return pictures;
}

}  // namespace lumora
