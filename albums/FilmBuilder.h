#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "albums/Thumbnail.h"
#include "catalog/PictureEntry.h"
#include "imaging/Image.h"
#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"

namespace lumora {

inline constexpr const char* kDiskErrorText = "Error while reading from disk";
inline constexpr const char* kDiskErrorCaption = "Disk error";
inline constexpr const char* kPictureErrorCaption = "Picture Error";

// The disk-error question about one picture: the message, then the file it
// is about on a line of its own.
std::string diskErrorText(const std::string& path);

// The film image list as the film's thumbnail routines see it: one 160 x 120
// thumbnail per picture of the picture list, at its thumbnailIndex. The window
// keeps the bitmaps; tests keep the images.
class FilmImageList {
  public:
    virtual ~FilmImageList() = default;
    // Drops every thumbnail: the next one appended gets index 0.
    virtual void clear() = 0;
    virtual void reserve(size_t count) = 0;
    virtual void append(const Image& thumbnail) = 0;
    // Puts the thumbnail at index; an index past the list changes nothing.
    virtual void replace(int32_t index, const Image& thumbnail) = 0;
};

// Hands out the thumbnails of a list of pictures strictly in list order, with
// the status texts of making each.
class ThumbnailSource {
  public:
    virtual ~ThumbnailSource() = default;
    virtual bool next(ThumbnailResult& result, Image& thumbnail, ProgressSink& status) = 0;
};

using ThumbnailSourceFactory = std::function<std::unique_ptr<ThumbnailSource>(
    std::vector<PictureEntry> pictures, const ThumbnailOptions& options)>;

// Thumbnails made ahead on worker threads (ThumbnailQueue); with 0 workers
// they are made one by one as they are taken.
ThumbnailSourceFactory queuedThumbnails(FileSystem& fileSystem, int workers);

// How a run over the film's thumbnails ended. Stopped: the user cancelled a
// disk error or a picture could not be scaled; the Edit Album dialog then ends
// as Discard.
enum class FilmOutcome { Done, Stopped };

// What the thumbnail routines work with.
struct FilmWork {
    PictureList& pictures;
    FilmImageList& images;
    const ThumbnailSourceFactory& thumbnails;
    Prompter& prompter;
    ProgressSink& status;
};

// The first film build after a scan: every picture of the list, in its
// order, gets its thumbnail index (and its picture id, the first time) and a
// thumbnail of the film's polarity in a new film image list, with "Building
// film. Adding picture: %d, left %d." before each. An unreadable picture asks
// "Error while reading from disk": OK puts the placeholder in its place,
// Cancel drops the list and stops. A picture that cannot be scaled is named in
// a "Picture Error" message and stops the build. Done means the list is whole.
FilmOutcome buildFilmThumbnails(const FilmWork& work, int32_t negativeFilm);

// Opening an album for an edit: "Updating film. Picture: %d, left %d." for
// every picture; a picture of the album still marked negative takes the
// film's polarity and its thumbnail is re-made (only when the film image list
// exists). Errors are answered as in the build, without dropping the list.
FilmOutcome remakeEditedAlbumThumbnails(const FilmWork& work, int32_t albumId, int32_t negativeFilm,
                                        bool imagesExist);

// After the film's polarity changed: every picture in no album takes the new
// polarity and its thumbnail is re-made, with "Updating film. Picture: %d, of
// %d." (its running number among them, and filmCount).
FilmOutcome remakeUnassignedThumbnails(const FilmWork& work, int32_t negativeFilm, int filmCount);

// The thumbnail of a picture that cannot be read, made negative when asked.
Image placeholderThumbnail(bool negative);

// What to do with one thumbnail result: Made keeps the thumbnail; an
// unreadable picture asks the disk-error question and takes the placeholder
// on OK; a failed scale tells "Picture Error" with the path. False: stop.
bool acceptThumbnail(ThumbnailResult result, const PictureEntry& picture, bool negative,
                     Prompter& prompter, Image& thumbnail);

}  // namespace lumora
