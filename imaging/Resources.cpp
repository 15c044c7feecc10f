#include "imaging/Image.h"

#include "imaging/BmpCodec.h"
#include "imaging/EmbeddedBitmaps.h"

namespace lumora {
namespace {

constexpr size_t kBmpFileHeaderSize = 14;

}  // namespace

bool Image::LoadResource(int resourceId, int format) {
    Destroy();
    const EmbeddedBitmap* found = nullptr;
    for (size_t i = 0; i < kEmbeddedBitmapCount; ++i) {
        if (kEmbeddedBitmaps[i].id == resourceId) found = &kEmbeddedBitmaps[i];
    }
    if (found == nullptr || found->size <= kBmpFileHeaderSize) {
        SetLastError("Unable to load resource!");
        return false;
    }
    // A bitmap resource is kept as Windows keeps one: the DIB without its
    // file header.
    const uint8_t* dib = found->bytes + kBmpFileHeaderSize;
    const size_t dibSize = found->size - kBmpFileHeaderSize;
    if (format == kFormatBmp) {
        if (!decodeBmp(dib, dibSize, true, *this)) return false;
        format_ = kFormatBmp;
        return true;
    }
    return Decode(dib, dibSize, format);
}

}  // namespace lumora
