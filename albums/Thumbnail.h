#pragma once

#include "catalog/PictureEntry.h"
#include "imaging/Image.h"
#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"

namespace lumora {

inline constexpr int kThumbnailWidth = 160;
inline constexpr int kThumbnailHeight = 120;
// A picture shown upright on its side (a portrait taken with a landscape
// camera) is fitted into the 160 x 120 cell as 90 x 120, centred between
// black bands, rather than stretched across it.
inline constexpr int kPortraitThumbnailWidth = 90;

// The status text shown before a resample while thumbnails are made.
inline constexpr const char* kResampleStatusText = "Resample";

// Embedded EXIF thumbnails live inside one APP1 section, which cannot be
// larger than this; a bigger size in the record is damage, not a thumbnail.
inline constexpr uint32_t kMaxEmbeddedThumbnailBytes = 65535;

enum class ThumbnailScaling {
    Resample,  // the film build and its updates
    QIShrink,  // the film re-made after an edited album was discarded
};

// When "Resample" is shown: the film build shows it before every resample,
// the double-click toggle only before one that changes a single side.
enum class ResampleNotice { Never, EveryResample, OneSideOnly };

struct ThumbnailOptions {
    bool negative = false;
    ThumbnailScaling scaling = ThumbnailScaling::Resample;
    ResampleNotice notice = ResampleNotice::Never;
    // Turned as the picture's EXIF orientation says, so that it shows
    // upright (the film); off, the thumbnail lies as the file stores it.
    bool upright = false;
};

enum class ThumbnailResult {
    Made,
    Unreadable,   // nothing decodable: the caller shows the disk error
    ScaleFailed,  // the picture decoded but could not be scaled
};

// The embedded EXIF thumbnail of a picture whose record has one (its bytes
// read through the file system, never the whole file); invalid when the
// record's reference is damaged or the bytes do not decode.
Image decodeEmbeddedThumbnail(FileSystem& fileSystem, const PictureEntry& picture);

// The picture a thumbnail is made from: the embedded EXIF thumbnail when the
// picture's record has one that decodes (its bytes read through the file
// system, never the whole file), else the file itself, decoded reduced by the
// largest scale that still leaves at least 160 x 120. Invalid when neither
// decodes.
Image decodeThumbnailSource(FileSystem& fileSystem, const PictureEntry& picture);

// Brings a decoded picture to exactly 160 x 120 and applies the polarity.
// With an orientation (EXIF 2..8) the picture is scaled first, turned and
// mirrored upright after, on the small picture; one shown on its side ends
// 90 x 120 inside the 160 x 120 cell.
ThumbnailResult finishThumbnail(Image& image, const ThumbnailOptions& options,
                                ProgressSink& status, int orientation = 1);

// Both steps: the 160 x 120 thumbnail of one picture, as a positive or a
// negative, upright when the options ask for it.
ThumbnailResult makeThumbnail(FileSystem& fileSystem, const PictureEntry& picture,
                              const ThumbnailOptions& options, ProgressSink& status,
                              Image& thumbnail);

}  // namespace lumora
