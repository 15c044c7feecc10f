#include "albums/ViewerPicture.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "imaging/Orientation.h"

namespace lumora {
namespace {

constexpr double kViewerWidth = 800.0;
// Segments before the frame header; more means a damaged or hostile file.
constexpr int kMaxSegments = 1000;

int32_t scaledSide(int32_t side, float scale) {
    // The product is taken in double precision, as the float operands reach
    // the multiplication; only the cut toward zero makes it whole.
    const double shown = static_cast<double>(side) * scale * static_cast<double>(0.01f);
    return std::max<int32_t>(1, static_cast<int32_t>(shown));
}

bool readBytes(InputFile& file, uint8_t* bytes, size_t count) {
    return file.read(bytes, count) == count;
}

bool isFrameHeader(uint8_t marker) {
    // SOF0..SOF15, without DHT (C4), JPG (C8) and DAC (CC).
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool isStandalone(uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

}  // namespace

PictureSize viewerDisplaySize(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return {};
    const double exact = kViewerWidth / width * 100.0;
    float scale = static_cast<float>(exact);
    if (static_cast<double>(scale) > exact) scale = std::nextafter(scale, 0.0f);
    return {scaledSide(width, scale), scaledSide(height, scale)};
}

bool jpegFrameSize(FileSystem& fileSystem, const std::string& path, PictureSize& size) {
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> file = fileSystem.openRead(path, error);
    if (!file) return false;
    uint8_t start[2];
    if (!readBytes(*file, start, 2) || start[0] != 0xFF || start[1] != 0xD8) return false;
    uint64_t offset = 2;
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        uint8_t byte = 0;
        if (!readBytes(*file, &byte, 1) || byte != 0xFF) return false;
        ++offset;
        // Any number of fill bytes may stand before the marker code.
        do {
            if (!readBytes(*file, &byte, 1)) return false;
            ++offset;
        } while (byte == 0xFF);
        const uint8_t marker = byte;
        if (isStandalone(marker)) continue;
        // The picture data or its end came before any frame header.
        if (marker == 0xD8 || marker == 0xD9 || marker == 0xDA) return false;
        uint8_t lengthBytes[2];
        if (!readBytes(*file, lengthBytes, 2)) return false;
        const unsigned length = (lengthBytes[0] << 8) | lengthBytes[1];
        if (length < 2) return false;
        if (isFrameHeader(marker)) {
            uint8_t frame[5];
            if (length < 7 || !readBytes(*file, frame, 5)) return false;
            size.height = (frame[1] << 8) | frame[2];
            size.width = (frame[3] << 8) | frame[4];
            return size.width > 0 && size.height > 0;
        }
        offset += length;
        if (!file->seek(offset)) return false;
    }
    return false;
}

Image decodeForViewer(FileSystem& fileSystem, const std::string& path, int orientation) {
    const bool onItsSide = orientationSwapsSides(orientation);
    // The size the stored picture is sampled to: the upright picture's
    // viewer size, its sides traded back when it lies on its side.
    auto storedShownSize = [onItsSide](int32_t width, int32_t height) {
        if (!onItsSide) return viewerDisplaySize(width, height);
        const PictureSize upright = viewerDisplaySize(height, width);
        return PictureSize{upright.height, upright.width};
    };
    Image picture;
    PictureSize frame;
    if (jpegFrameSize(fileSystem, path, frame)) {
        const PictureSize shown = storedShownSize(frame.width, frame.height);
        picture = Image(path, kFormatJpeg, fileSystem, DecodeOptions{0, 0, shown.width, shown.height});
    } else {
        // Not a JPEG we can read the size of: decode it whole, whatever it is.
        picture = Image(path, kFormatJpeg, fileSystem);
        if (!picture.IsValid()) return picture;
        const PictureSize shown = storedShownSize(picture.GetWidth(), picture.GetHeight());
        if (!picture.Resample(shown.width, shown.height, 1)) picture.Destroy();
    }
    turnUpright(picture, orientation);
    return picture;
}

}  // namespace lumora
