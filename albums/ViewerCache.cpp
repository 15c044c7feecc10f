#include "albums/ViewerCache.h"

#include <utility>

namespace lumora {
namespace {

bool inFilm(const FilmList& film, int position) {
    return position >= 0 && static_cast<size_t>(position) < film.size();
}

}  // namespace

ViewerCache::ViewerCache(DecodeForViewer decode) : decode_(std::move(decode)) {}

ViewerCache::Cached ViewerCache::decodeAt(const FilmList& film, int position) const {
    const PictureEntry& picture = film[static_cast<size_t>(position)];
    return Cached{picture.path, decode_(picture)};
}

bool ViewerCache::holds(const std::optional<Cached>& cached, const FilmList& film, int position) {
    return cached.has_value() && inFilm(film, position) &&
           cached->path == film[static_cast<size_t>(position)].path;
}

const Image* ViewerCache::shown() const {
    return working_ && working_->picture.IsValid() ? &working_->picture : nullptr;
}

const Image* ViewerCache::open(const FilmList& film, int position) {
    if (!inFilm(film, position)) return nullptr;
    clear();
    working_ = decodeAt(film, position);
    index_ = position;
    return shown();
}

ViewerCache::Move ViewerCache::follow(const FilmList& film, int position) {
    if (!inFilm(film, position) || position == index_) return {};
    if (position == index_ - 1 && holds(previous_, film, position)) {
        next_ = std::move(working_);
        working_ = std::move(previous_);
        previous_.reset();
    } else if (position == index_ + 1 && holds(next_, film, position)) {
        previous_ = std::move(working_);
        working_ = std::move(next_);
        next_.reset();
    } else {
        clear();
        working_ = decodeAt(film, position);
    }
    index_ = position;
    return {true, shown()};
}

void ViewerCache::preload(const FilmList& film) {
    if (!inFilm(film, index_)) return;
    const int next = index_ + 1;
    const int previous = index_ - 1;
    // A neighbour kept from before the film changed is made again.
    if (!holds(next_, film, next)) next_.reset();
    if (!holds(previous_, film, previous)) previous_.reset();
    if (inFilm(film, next) && !next_) next_ = decodeAt(film, next);
    if (previous >= 0 && !previous_) previous_ = decodeAt(film, previous);
}

void ViewerCache::clear() {
    working_.reset();
    next_.reset();
    previous_.reset();
}

}  // namespace lumora
