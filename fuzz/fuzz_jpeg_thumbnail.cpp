// libFuzzer target for the JPEG decoder on the film's thumbnail path: the
// input is a picture file; its header is read as the scan reads it, then the
// thumbnail routine makes the 160 x 120 thumbnail from the embedded one or
// from the file decoded reduced. When an embedded thumbnail was used, the
// file itself is decoded too, as the duplicate search falls back to it.
// Last, the duplicate search's sampled decode is checked against a whole
// decode resampled: the same pixels, and a failure exactly when it fails.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "albums/Thumbnail.h"
#include "catalog/ExifReader.h"
#include "catalog/PictureEntry.h"
#include "fuzz/MemoryFileSystem.h"
#include "fuzz/PictureSeeds.h"
#include "imaging/Image.h"
#include "platform/ProgressSink.h"

namespace {

const char* const kPath = "/pictures/fuzz.jpg";

void requireThumbnail(lumora::ThumbnailResult result, const lumora::Image& thumbnail) {
    if (result != lumora::ThumbnailResult::Made) return;
    if (thumbnail.GetWidth() != lumora::kThumbnailWidth ||
        thumbnail.GetHeight() != lumora::kThumbnailHeight) {
        std::abort();
    }
}

// Whole decodes of pictures larger than this are left out, so that one input
// cannot take the run's memory.
constexpr int64_t kWholeDecodePixels = int64_t{1} << 22;

void checkSampledDecode(const uint8_t* data, size_t size) {
    lumora::DecodeOptions sampling;
    sampling.sampleWidth = 64;
    sampling.sampleHeight = 64;
    lumora::Image sampled(data, size, lumora::kFormatJpeg, sampling);
    lumora::DecodeOptions smallest;  // the smallest reduced decode tells the size cheaply
    smallest.minWidth = 1;
    smallest.minHeight = 1;
    lumora::Image probe(data, size, lumora::kFormatJpeg, smallest);
    if (probe.IsValid() &&
        int64_t{probe.GetWidth()} * probe.GetHeight() * 64 > kWholeDecodePixels) {
        return;
    }
    lumora::Image whole(data, size, lumora::kFormatJpeg);
    if (whole.IsValid() != sampled.IsValid()) std::abort();
    if (!whole.IsValid()) return;
    if (!whole.Resample(64, 64, 1)) std::abort();
    if (whole.GetDibSize() != sampled.GetDibSize() ||
        std::memcmp(whole.GetDib(), sampled.GetDib(), whole.GetDibSize()) != 0) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* folder = std::getenv("LUMORA_FUZZ_SEEDS")) lumora::writeJpegSeeds(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumora::MemoryFileSystem files(kPath, data, size);
    lumora::PictureEntry picture;
    picture.path = kPath;
    picture.fileSize = size;
    picture.exif = std::make_shared<lumora::ExifInfo>();
    {
        lumora::ExifReader reader(picture.exif.get());
        reader.setDiagnostics(nullptr);
        lumora::MemoryInputFile file(data, size);
        reader.decode(file);
    }

    const bool embedded = picture.exif->ThumbnailSize != 0;
    lumora::Image thumbnail;
    lumora::ThumbnailOptions options;
    options.negative = (size & 1) != 0;
    const lumora::ThumbnailResult result =
        lumora::makeThumbnail(files, picture, options, lumora::nullProgress(), thumbnail);
    requireThumbnail(result, thumbnail);
    if (result == lumora::ThumbnailResult::Unreadable && thumbnail.GetLastError().empty()) {
        std::abort();  // an unreadable picture always says why
    }

    checkSampledDecode(data, size);

    if (embedded) {
        picture.exif->ThumbnailSize = 0;
        lumora::Image whole;
        options.scaling = lumora::ThumbnailScaling::QIShrink;
        requireThumbnail(
            lumora::makeThumbnail(files, picture, options, lumora::nullProgress(), whole), whole);
    }
    return 0;
}
