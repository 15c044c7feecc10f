#include "albums/Thumbnail.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "imaging/Orientation.h"

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

// The upright picture centred in a black 160 x 120 cell.
bool placeInCell(Image& picture) {
    Image cell;
    uint8_t* bits = cell.Create(kThumbnailWidth, kThumbnailHeight, 24, picture.GetType());
    if (bits == nullptr) return false;
    std::fill(bits, bits + static_cast<size_t>(cell.GetEffWidth()) * kThumbnailHeight, 0);
    const int32_t left = (kThumbnailWidth - picture.GetWidth()) / 2;
    const int32_t bottom = (kThumbnailHeight - picture.GetHeight()) / 2;
    for (int32_t y = 0; y < picture.GetHeight(); ++y) {
        uint8_t* row = cell.GetBits(bottom + y);
        for (int32_t x = 0; x < picture.GetWidth(); ++x) {
            const RgbQuad colour = picture.GetPixelColor(x, y);
            uint8_t* pixel = row + static_cast<size_t>(left + x) * 3;
            pixel[0] = colour.rgbBlue;
            pixel[1] = colour.rgbGreen;
            pixel[2] = colour.rgbRed;
        }
    }
    picture = std::move(cell);
    return true;
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
                                ProgressSink& status, int orientation) {
    if (!image.IsValid()) return ThumbnailResult::Unreadable;
    // Scaled as stored, turned after: the turn then moves 19,200 pixels, not
    // the whole decoded picture's.
    const bool onItsSide = orientationSwapsSides(orientation);
    const int32_t width = onItsSide ? kThumbnailHeight : kThumbnailWidth;
    const int32_t height = onItsSide ? kPortraitThumbnailWidth : kThumbnailHeight;
    const bool widthDiffers = image.GetWidth() != width;
    const bool heightDiffers = image.GetHeight() != height;
    if (widthDiffers || heightDiffers) {
        // One side at its size keeps that size; the call is then the same
        // size but changes one side only.
        const bool oneSide = !(widthDiffers && heightDiffers);
        if (options.notice == ResampleNotice::EveryResample ||
            (options.notice == ResampleNotice::OneSideOnly && oneSide)) {
            status.setStatus(kResampleStatusText);
        }
        if (!scaleTo(image, width, height, options.scaling)) {
            return ThumbnailResult::ScaleFailed;
        }
    }
    turnUpright(image, orientation);
    if (options.negative) image.Negative();
    // The bands stay black on a negative too: they are no part of the picture.
    if (onItsSide && !placeInCell(image)) return ThumbnailResult::ScaleFailed;
    return ThumbnailResult::Made;
}

ThumbnailResult makeThumbnail(FileSystem& fileSystem, const PictureEntry& picture,
                              const ThumbnailOptions& options, ProgressSink& status,
                              Image& thumbnail) {
    thumbnail = decodeThumbnailSource(fileSystem, picture);
    const int orientation =
        options.upright && picture.exif != nullptr ? picture.exif->Orientation : 1;
    return finishThumbnail(thumbnail, options, status, orientation);
}

}  // namespace lumora
