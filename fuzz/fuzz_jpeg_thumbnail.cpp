// libFuzzer target for the JPEG decoder on the film's thumbnail path: the
// input is a picture file; its header is read as the scan reads it, then the
// thumbnail routine makes the 160 x 120 thumbnail from the embedded one or
// from the file decoded reduced. When an embedded thumbnail was used, the
// file itself is decoded too, as the duplicate search falls back to it.
#include <cstdint>
#include <cstdlib>
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

    if (embedded) {
        picture.exif->ThumbnailSize = 0;
        lumora::Image whole;
        options.scaling = lumora::ThumbnailScaling::QIShrink;
        requireThumbnail(
            lumora::makeThumbnail(files, picture, options, lumora::nullProgress(), whole), whole);
    }
    return 0;
}
