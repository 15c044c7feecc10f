#include "albums/FilmBuilder.h"

#include "albums/ThumbnailQueue.h"
#include "filters/CriterionText.h"
#include "res/BitmapIds.h"

namespace lumora {
namespace {

class QueuedSource : public ThumbnailSource {
  public:
    QueuedSource(FileSystem& fileSystem, std::vector<PictureEntry> pictures,
                 const ThumbnailOptions& options, int workers)
        : queue_(fileSystem, std::move(pictures), options, workers) {}

    bool next(ThumbnailResult& result, Image& thumbnail, ProgressSink& status) override {
        return queue_.next(result, thumbnail, status);
    }

  private:
    ThumbnailQueue queue_;
};

// Takes the next thumbnail of the source; a source that runs dry early (it
// cannot, but a short one must not end in a crash) counts as unreadable.
ThumbnailResult takeNext(ThumbnailSource& source, Image& thumbnail, ProgressSink& status) {
    ThumbnailResult result = ThumbnailResult::Unreadable;
    if (!source.next(result, thumbnail, status)) return ThumbnailResult::Unreadable;
    return result;
}

ThumbnailOptions optionsFor(int32_t negativeFilm, ResampleNotice notice) {
    ThumbnailOptions options;
    options.negative = negativeFilm != 0;
    options.scaling = ThumbnailScaling::Resample;
    options.notice = notice;
    options.upright = true;
    return options;
}

}  // namespace

ThumbnailSourceFactory queuedThumbnails(FileSystem& fileSystem, int workers) {
    return [&fileSystem, workers](std::vector<PictureEntry> pictures,
                                  const ThumbnailOptions& options) {
        return std::make_unique<QueuedSource>(fileSystem, std::move(pictures), options, workers);
    };
}

Image placeholderThumbnail(bool negative) {
    Image placeholder;
    if (!placeholder.LoadResource(res::kBitmapFilmPlaceholder)) return placeholder;
    // The placeholder is drawn at the thumbnail's size; a resource of another
    // size is brought to it like any picture.
    if (placeholder.GetWidth() != kThumbnailWidth || placeholder.GetHeight() != kThumbnailHeight) {
        placeholder.Resample(kThumbnailWidth, kThumbnailHeight, 1);
    }
    if (negative) placeholder.Negative();
    return placeholder;
}

std::string diskErrorText(const std::string& path) {
    return std::string(kDiskErrorText) + "\n" + path;
}

bool acceptThumbnail(ThumbnailResult result, const PictureEntry& picture, bool negative,
                     Prompter& prompter, Image& thumbnail) {
    switch (result) {
        case ThumbnailResult::Made:
            return true;
        case ThumbnailResult::Unreadable:
            if (prompter.ask(diskErrorText(picture.path), kDiskErrorCaption, Buttons::OkCancel,
                             Icon::None) != kAnswerOk) {
                return false;
            }
            thumbnail = placeholderThumbnail(negative);
            return true;
        case ThumbnailResult::ScaleFailed:
            prompter.ask(formatText("Picture '%s' has cause an error. Try to remove it from folder "
                                    "and restart application",
                                    picture.path.c_str()),
                         kPictureErrorCaption, Buttons::Ok, Icon::None);
            return false;
    }
    return false;
}

FilmOutcome buildFilmThumbnails(const FilmWork& work, int32_t negativeFilm) {
    PictureList& pictures = work.pictures;
    const ThumbnailOptions options = optionsFor(negativeFilm, ResampleNotice::EveryResample);
    std::unique_ptr<ThumbnailSource> source = work.thumbnails(pictures, options);
    work.images.clear();
    work.images.reserve(pictures.size());
    const char* pattern = negativeFilm ? "Building negative film. Adding picture: %d, left %d."
                                       : "Building film. Adding picture: %d, left %d.";
    const int count = static_cast<int>(pictures.size());
    for (int i = 0; i < count; ++i) {
        PictureEntry& picture = pictures[static_cast<size_t>(i)];
        if (picture.exif) {
            if (picture.exif->pictureId == -1) picture.exif->pictureId = i;
            picture.exif->thumbnailIndex = i;
        }
        work.status.setStatus(formatText(pattern, i + 1, count - i - 1));
        Image thumbnail;
        const ThumbnailResult result = takeNext(*source, thumbnail, work.status);
        picture.isNegative = negativeFilm;
        if (!acceptThumbnail(result, picture, negativeFilm != 0, work.prompter, thumbnail)) {
            work.images.clear();
            return FilmOutcome::Stopped;
        }
        work.images.append(thumbnail);
    }
    return FilmOutcome::Done;
}

FilmOutcome remakeEditedAlbumThumbnails(const FilmWork& work, int32_t albumId, int32_t negativeFilm,
                                        bool imagesExist) {
    PictureList& pictures = work.pictures;
    std::vector<PictureEntry> remade;
    for (const PictureEntry& picture : pictures) {
        if (picture.albumId == albumId && picture.isNegative) remade.push_back(picture);
    }
    std::unique_ptr<ThumbnailSource> source;
    if (imagesExist && !remade.empty()) {
        source = work.thumbnails(remade, optionsFor(negativeFilm, ResampleNotice::Never));
    }
    const int count = static_cast<int>(pictures.size());
    for (int i = 0; i < count; ++i) {
        PictureEntry& picture = pictures[static_cast<size_t>(i)];
        work.status.setStatus(
            formatText("Updating film. Picture: %d, left %d.", i + 1, count - i - 1));
        if (picture.albumId != albumId || !picture.isNegative) continue;
        picture.isNegative = negativeFilm;
        if (!source || !picture.exif) continue;
        Image thumbnail;
        const ThumbnailResult result = takeNext(*source, thumbnail, work.status);
        if (!acceptThumbnail(result, picture, negativeFilm != 0, work.prompter, thumbnail)) {
            return FilmOutcome::Stopped;
        }
        work.images.replace(picture.exif->thumbnailIndex, thumbnail);
    }
    return FilmOutcome::Done;
}

FilmOutcome remakeUnassignedThumbnails(const FilmWork& work, int32_t negativeFilm, int filmCount) {
    std::vector<PictureEntry> unassigned;
    for (const PictureEntry& picture : work.pictures) {
        if (picture.albumId == 0) unassigned.push_back(picture);
    }
    if (unassigned.empty()) return FilmOutcome::Done;
    std::unique_ptr<ThumbnailSource> source =
        work.thumbnails(unassigned, optionsFor(negativeFilm, ResampleNotice::Never));
    int running = 0;
    for (PictureEntry& picture : work.pictures) {
        if (picture.albumId != 0) continue;
        ++running;
        work.status.setStatus(formatText("Updating film. Picture: %d, of %d.", running, filmCount));
        picture.isNegative = negativeFilm;
        Image thumbnail;
        const ThumbnailResult result = takeNext(*source, thumbnail, work.status);
        if (!acceptThumbnail(result, picture, negativeFilm != 0, work.prompter, thumbnail)) {
            return FilmOutcome::Stopped;
        }
        if (picture.exif) work.images.replace(picture.exif->thumbnailIndex, thumbnail);
    }
    return FilmOutcome::Done;
}

}  // namespace lumora
