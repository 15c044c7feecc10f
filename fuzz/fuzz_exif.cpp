// libFuzzer target for the EXIF reader over whole files, read the way the
// scan reads them. One reader serves every input, as in a scan, so a
// reset that forgets too little shows up as a second read that differs from
// the first.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "catalog/ExifReader.h"
#include "fuzz/MemoryFileSystem.h"
#include "fuzz/PictureSeeds.h"

namespace {

template <size_t N>
void requireTerminated(const char (&text)[N]) {
    if (std::memchr(text, '\0', N) == nullptr) std::abort();
}

void requireSound(const lumora::ExifInfo& info) {
    requireTerminated(info.Version);
    requireTerminated(info.CameraMake);
    requireTerminated(info.CameraModel);
    requireTerminated(info.Comments);
    requireTerminated(info.customName);
    // DateTime is exactly 19 characters and may fill its array; the scan
    // terminates it itself.
}

// Field by field and bit by bit (a NaN equals itself): the record's padding
// bytes are not part of it.
template <typename T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameInfo(const lumora::ExifInfo& a, const lumora::ExifInfo& b) {
    bool equal = true;
    auto same = [&equal](const auto& x, const auto& y) { equal = equal && sameBits(x, y); };
    same(a.Version, b.Version);
    same(a.CameraMake, b.CameraMake);
    same(a.CameraModel, b.CameraModel);
    same(a.DateTime, b.DateTime);
    same(a.Height, b.Height);
    same(a.Width, b.Width);
    same(a.Orientation, b.Orientation);
    same(a.IsColor, b.IsColor);
    same(a.Process, b.Process);
    same(a.FlashUsed, b.FlashUsed);
    same(a.FocalLength, b.FocalLength);
    same(a.ExposureTime, b.ExposureTime);
    same(a.ApertureFNumber, b.ApertureFNumber);
    same(a.Distance, b.Distance);
    same(a.CCDWidth, b.CCDWidth);
    same(a.ExposureBias, b.ExposureBias);
    same(a.Whitebalance, b.Whitebalance);
    same(a.MeteringMode, b.MeteringMode);
    same(a.ExposureProgram, b.ExposureProgram);
    same(a.ISOequivalent, b.ISOequivalent);
    same(a.CompressionLevel, b.CompressionLevel);
    same(a.FocalplaneXRes, b.FocalplaneXRes);
    same(a.FocalplaneYRes, b.FocalplaneYRes);
    same(a.FocalplaneUnits, b.FocalplaneUnits);
    same(a.Xresolution, b.Xresolution);
    same(a.Yresolution, b.Yresolution);
    same(a.ResolutionUnit, b.ResolutionUnit);
    same(a.Brightness, b.Brightness);
    same(a.Comments, b.Comments);
    same(a.ThumbnailOffset, b.ThumbnailOffset);
    same(a.ThumbnailSize, b.ThumbnailSize);
    same(a.signature, b.signature);
    same(a.thumbnailIndex, b.thumbnailIndex);
    same(a.pictureId, b.pictureId);
    same(a.customName, b.customName);
    same(a.hasCustomName, b.hasCustomName);
    same(a.dateSubstituted, b.dateSubstituted);
    same(a.IsExif, b.IsExif);
    return equal;
}

lumora::ExifReader& reader() {
    static lumora::ExifReader shared;
    return shared;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* folder = std::getenv("LUMORA_FUZZ_SEEDS")) lumora::writeJpegSeeds(folder);
    reader().setDiagnostics(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    lumora::ExifReader& exif = reader();
    lumora::MemoryInputFile first(data, size);
    const bool reachedScan = exif.decode(first);
    const lumora::ExifInfo once = exif.info();
    requireSound(once);
    exif.reset();

    lumora::MemoryInputFile second(data, size);
    if (exif.decode(second) != reachedScan) std::abort();
    if (!sameInfo(once, exif.info())) std::abort();
    exif.reset();
    return 0;
}
