#include "albums/Thumbnail.h"

#include <vector>

namespace lumora {
namespace {

bool scaleTo(Image& image, int32_t width, int32_t height, ThumbnailScaling scaling) {
    // QIShrink cannot enlarge: a picture smaller than the thumbnail on either
    // side is resampled instead, as when the film was first built, rather
    // than turning a picture that had a thumbnail into a failing one.
    const bool shrinks = width <= image.GetWidth() && height <= image.GetHeight();
    if (scaling == ThumbnailScaling::QIShrink && shrinks) return image.QIShrink(width, height);
    return image.Resample(width, height, 1);
}

}  // namespace

Image decodeEmbeddedThumbnail(FileSystem& fileSystem, const PictureEntry& picture) {
    const ExifInfo& exif = *picture.exif;
    Image embedded(kFormatUnknown);
    if (exif.ThumbnailSize > kMaxEmbeddedThumbnailBytes) {
        embedded.SetLastError("The embedded thumbnail is damaged");
        return embedded;
    }
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    if (!readFileRange(fileSystem, picture.path, exif.ThumbnailOffset, exif.ThumbnailSize, bytes,
                       error)) {
        embedded.SetLastError("Unable to read file");
        return embedded;
    }
    embedded.Decode(bytes.data(), bytes.size(), kFormatUnknown);
    return embedded;
}

Image decodeThumbnailSource(FileSystem& fileSystem, const PictureEntry& picture) {
    const ExifInfo* exif = picture.exif.get();
    if (exif != nullptr && exif->ThumbnailSize != 0) {
        Image embedded = decodeEmbeddedThumbnail(fileSystem, picture);
        if (embedded.IsValid()) return embedded;
        // A damaged embedded thumbnail says nothing about the picture itself,
        // which is decoded before anyone is told of a disk error.
    }
    // Every picture is decoded by the same rule: the largest reduction that
    // still covers the thumbnail.
    return Image(picture.path, kFormatUnknown, fileSystem,
                 DecodeOptions{kThumbnailWidth, kThumbnailHeight});
}

ThumbnailResult finishThumbnail(Image& image, const ThumbnailOptions& options,
                                ProgressSink& status) {
    if (!image.IsValid()) return ThumbnailResult::Unreadable;
    const bool widthDiffers = image.GetWidth() != kThumbnailWidth;
    const bool heightDiffers = image.GetHeight() != kThumbnailHeight;
    if (widthDiffers || heightDiffers) {
        // One side at its size keeps that size; the call is then the same
        // 160 x 120 but changes one side only.
        const bool oneSide = !(widthDiffers && heightDiffers);
        if (options.notice == ResampleNotice::EveryResample ||
            (options.notice == ResampleNotice::OneSideOnly && oneSide)) {
            status.setStatus(kResampleStatusText);
        }
        if (!scaleTo(image, kThumbnailWidth, kThumbnailHeight, options.scaling)) {
            return ThumbnailResult::ScaleFailed;
        }
    }
    if (options.negative) image.Negative();
    return ThumbnailResult::Made;
}

ThumbnailResult makeThumbnail(FileSystem& fileSystem, const PictureEntry& picture,
                              const ThumbnailOptions& options, ProgressSink& status,
                              Image& thumbnail) {
    thumbnail = decodeThumbnailSource(fileSystem, picture);
    return finishThumbnail(thumbnail, options, status);
}

}  // namespace lumora
