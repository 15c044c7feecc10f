#pragma once

#include <functional>
#include <optional>
#include <string>

#include "albums/FilmSelection.h"
#include "imaging/Image.h"

namespace lumora {

// Makes the picture the viewer shows of a film picture (decodeForViewer of its
// file, upright, or a stand-in in tests); an invalid image when the file
// cannot be decoded.
using DecodeForViewer = std::function<Image(const PictureEntry& picture)>;

// The large viewer's pictures: the one shown (the working picture) and the
// film pictures before and after it, decoded in advance so that a step of one
// picture shows without decoding. Only single steps use the cache; any other
// move decodes afresh. Positions are indices into the film.
//
// A cached picture is used only while the film still holds the picture it
// was made from at that position, so a film rebuilt in another order never
// shows a stale neighbour.
class ViewerCache {
  public:
    explicit ViewerCache(DecodeForViewer decode);

    // Right double-click on the film picture at position: the cache is
    // emptied and the picture decoded afresh; the position becomes the
    // viewer index. Returns the picture to show, or null when it cannot be
    // decoded (or the position is outside the film). Call preload after
    // showing a valid picture.
    const Image* open(const FilmList& film, int position);

    struct Move {
        // False when the position is the viewer index (or outside the film):
        // nothing happens at all.
        bool moved = false;
        // The picture to show; null when it could not be decoded, and the
        // bitmap shown before stays.
        const Image* picture = nullptr;
    };
    // The film's selection moved to position: a step of one uses the cached
    // neighbour, any other move decodes afresh. Call preload afterwards
    // when it moved.
    Move follow(const FilmList& film, int position);

    // Decodes the neighbours of the viewer index that are not cached yet:
    // the next unless the index is the film's last picture, the previous
    // unless it is the first.
    void preload(const FilmList& film);

    // Discards every picture.
    void clear();

    int index() const { return index_; }
    bool hasNext() const { return next_.has_value(); }
    bool hasPrevious() const { return previous_.has_value(); }
    // The picture cached as the next or previous one; null when none is.
    const Image* nextPicture() const { return next_ ? &next_->picture : nullptr; }
    const Image* previousPicture() const { return previous_ ? &previous_->picture : nullptr; }

  private:
    struct Cached {
        std::string path;
        Image picture;
    };

    Cached decodeAt(const FilmList& film, int position) const;
    static bool holds(const std::optional<Cached>& cached, const FilmList& film, int position);
    const Image* shown() const;

    DecodeForViewer decode_;
    int index_ = 0;
    std::optional<Cached> working_;
    std::optional<Cached> next_;
    std::optional<Cached> previous_;
};

}  // namespace lumora
