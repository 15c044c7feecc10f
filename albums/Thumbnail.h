#pragma once

#include "catalog/PictureEntry.h"
#include "imaging/Image.h"
#include "platform/FileSystem.h"
#include "platform/ProgressSink.h"

namespace lumora {

inline constexpr int kThumbnailWidth = 160;
inline constexpr int kThumbnailHeight = 120;

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
ThumbnailResult finishThumbnail(Image& image, const ThumbnailOptions& options,
                                ProgressSink& status);

// Both steps: the 160 x 120 thumbnail of one picture, as a positive or a
// negative.
ThumbnailResult makeThumbnail(FileSystem& fileSystem, const PictureEntry& picture,
                              const ThumbnailOptions& options, ProgressSink& status,
                              Image& thumbnail);

}  // namespace lumora
