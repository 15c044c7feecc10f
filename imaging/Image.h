#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora {

// Format codes of pictures.
inline constexpr int kFormatUnknown = 0;  // decode: try every decoder in turn
inline constexpr int kFormatBmp = 1;
inline constexpr int kFormatGif = 2;
inline constexpr int kFormatJpeg = 3;
inline constexpr int kFormatPng = 4;
inline constexpr int kFormatIco = 5;
inline constexpr int kFormatTiff = 6;

// Pictures larger than this are refused before any pixel buffer is allocated.
inline constexpr int64_t kMaxImagePixels = 200'000'000;

// The layout of the Windows BITMAPINFOHEADER; it heads the packed bitmap.
struct BitmapInfoHeader {
    uint32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0;
    uint16_t biPlanes = 1;
    uint16_t biBitCount = 0;
    uint32_t biCompression = 0;
    uint32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    uint32_t biClrUsed = 0;
    uint32_t biClrImportant = 0;
};
static_assert(sizeof(BitmapInfoHeader) == 40);

struct RgbQuad {
    uint8_t rgbBlue = 0;
    uint8_t rgbGreen = 0;
    uint8_t rgbRed = 0;
    uint8_t rgbReserved = 0;

    bool operator==(const RgbQuad&) const = default;
};

// Hints for decoders. A JPEG is decoded reduced by the largest libjpeg scale
// (1/8 .. 8/8) that still leaves at least minWidth x minHeight; 0 x 0 decodes
// at full size.
//
// With sampleWidth and sampleHeight set, the result is the whole picture
// sampled to that size by nearest pixel: exactly what Resample mode 1 makes
// of the full-size decode, pixel for pixel, but a JPEG decoder only works
// out the rows it samples and never holds the whole picture. The reduced
// sizes are then not used.
struct DecodeOptions {
    int minWidth = 0;
    int minHeight = 0;
    int sampleWidth = 0;
    int sampleHeight = 0;

    bool samples() const { return sampleWidth > 0 && sampleHeight > 0; }
};

// The source index that Resample mode 1 takes for each target index along a
// side of sourceLength pixels resampled to targetLength.
std::vector<int32_t> nearestPixelIndices(int32_t sourceLength, int32_t targetLength);

// A decoded picture held as one packed device-independent bitmap: the header,
// then the palette (8-bit pictures), then the pixel rows bottom-up, each padded
// to 4 bytes, 24-bit pixels stored blue, green, red. Only 8- and 24-bit
// pictures are held; decoders expand other depths.
class Image {
  public:
    explicit Image(int format = kFormatUnknown);
    // Load's result decides IsValid(); an unreadable file leaves the image empty.
    Image(const std::string& path, int format, FileSystem& fileSystem = realFileSystem(),
          const DecodeOptions& options = {});
    // Decodes an encoded picture held in memory (an embedded EXIF thumbnail).
    Image(const uint8_t* data, size_t size, int format, const DecodeOptions& options = {});
    Image(const Image& other) = default;
    Image& operator=(const Image& other) = default;
    // A moved-from image is empty, as after Destroy.
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    virtual ~Image();

    // Decodes the file with the given code; when a code other than 0 fails,
    // every decoder is tried in turn, and if that fails too the first
    // failure's error text is kept.
    bool Load(const std::string& path, int format, FileSystem& fileSystem = realFileSystem(),
              const DecodeOptions& options = {});
    bool Decode(const uint8_t* data, size_t size, int format, const DecodeOptions& options = {});
    // A bitmap compiled into the program (see res/BitmapIds.h). With code 1
    // the bytes are a DIB without the file header, as Windows keeps them.
    bool LoadResource(int resourceId, int format = kFormatBmp);

    // Makes an empty picture of the given size and depth (8 or 24 bits), with
    // a grey palette for 8 bits; returns the pixel rows, or null (and the error
    // text) for an impossible size.
    uint8_t* Create(int32_t width, int32_t height, int bitsPerPixel, int format);
    void Destroy();

    bool IsValid() const { return !dib_.empty(); }
    int32_t GetWidth() const { return header_.biWidth; }
    int32_t GetHeight() const { return header_.biHeight; }
    int GetBpp() const { return header_.biBitCount; }
    // Bytes of one stored row, padded to 4 bytes.
    uint32_t GetEffWidth() const { return effWidth_; }
    const BitmapInfoHeader& GetHeader() const { return header_; }
    int GetType() const { return format_; }

    // The pixel data from the given row, counted from the bottom; null for an
    // invalid image or a row outside the picture.
    uint8_t* GetBits(int32_t row = 0);
    const uint8_t* GetBits(int32_t row = 0) const;
    // The whole packed bitmap: header, palette, rows.
    const uint8_t* GetDib() const { return dib_.data(); }
    size_t GetDibSize() const { return dib_.size(); }

    uint32_t GetNumColors() const { return header_.biClrUsed; }
    RgbQuad* GetPalette();
    const RgbQuad* GetPalette() const;
    void SetGrayPalette();
    // An 8-bit picture whose palette is the grey ramp (i, i, i).
    bool IsGrayScale() const;
    RgbQuad GetPixelColor(int32_t x, int32_t y) const;

    const std::string& GetLastError() const { return lastError_; }
    void SetLastError(const std::string& text);

    int32_t GetTransIndex() const { return transparentIndex_; }
    void SetTransIndex(int32_t index) { transparentIndex_ = index; }
    RgbQuad GetBkgndColor() const { return background_; }
    void SetBkgndColor(RgbQuad colour) { background_ = colour; }

    // One byte per pixel, bottom-up like the rows. Never made by the program's
    // own calls; operations keep them consistent when present.
    bool AlphaCreate();
    bool HasAlpha() const { return !alpha_.empty(); }
    uint8_t* AlphaGetPointer() { return alpha_.empty() ? nullptr : alpha_.data(); }
    bool SelectionCreate();
    bool HasSelection() const { return !selection_.empty(); }
    uint8_t* SelectionGetPointer() { return selection_.empty() ? nullptr : selection_.data(); }

    // Progress 0-100 and the escape flag: Resample and QIShrink update the one
    // and test the other once per row, and stop early when it is set.
    int GetProgress() const { return progress_; }
    void SetEscape(bool escape) { escape_ = escape; }
    bool GetEscape() const { return escape_; }

    bool Copy(const Image& source, bool copyPixels = true, bool copySelection = true,
              bool copyAlpha = true);
    // Mode 1: nearest pixel; mode 0: bilinear. The result replaces this image
    // unless a destination is given.
    bool Resample(int32_t newWidth, int32_t newHeight, int mode = 1, Image* destination = nullptr);
    // Box-average shrink; cannot enlarge.
    bool QIShrink(int32_t newWidth, int32_t newHeight, Image* destination = nullptr);
    bool Negative();
    bool GrayScale();
    // Two-dimensional Fourier transform of the sources into 8-bit pictures. A
    // missing source counts as all zero; a missing destination is a scratch
    // picture.
    bool FFT2(const Image* sourceReal, const Image* sourceImaginary, Image* destinationReal,
              Image* destinationImaginary, int direction = 1, bool forceFft = true,
              bool magnitude = true);
    // Encodes into a newly allocated buffer that the caller then owns. The
    // buffer must come in empty.
    bool Encode(std::unique_ptr<uint8_t[]>& buffer, size_t& size, int format);

  private:
    bool decodeWith(const uint8_t* data, size_t size, int format, const DecodeOptions& options);
    void writeHeader();
    void setProgress(int64_t done, int64_t total);

    BitmapInfoHeader header_;
    uint32_t effWidth_ = 0;
    std::vector<uint8_t> dib_;
    int format_ = kFormatUnknown;
    std::string lastError_;
    int32_t transparentIndex_ = -1;
    RgbQuad background_;
    std::vector<uint8_t> alpha_;
    std::vector<uint8_t> selection_;
    int progress_ = 0;
    bool escape_ = false;
};

}  // namespace lumora
