#include "imaging/Image.h"

#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace lumora {
namespace {

// Larger files are refused rather than read into memory.
constexpr uint64_t kMaxFileBytes = 1ull << 30;
constexpr size_t kReadChunk = 1 << 20;

// The order in which code 0 tries the decoders. TGA, PCX, WBMP and WMF come
// after TIFF in that order but have no code and no decoder here.
constexpr int kTryOrder[] = {kFormatBmp, kFormatJpeg, kFormatIco,
                             kFormatGif, kFormatPng,  kFormatTiff};

void putLe16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void putLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool readWholeFile(FileSystem& fileSystem, const std::string& path, std::vector<uint8_t>& bytes,
                   std::string& error) {
    ErrorCode code = kErrorSuccess;
    auto file = fileSystem.openRead(path, code);
    if (!file) {
        error = "Unable to open file";
        return false;
    }
    bytes.clear();
    for (;;) {
        const size_t used = bytes.size();
        if (used >= kMaxFileBytes) {
            error = "The file is too large";
            return false;
        }
        bytes.resize(used + kReadChunk);
        const size_t got = file->read(bytes.data() + used, kReadChunk);
        bytes.resize(used + got);
        if (got < kReadChunk) break;
    }
    if (file->error() != kErrorSuccess) {
        error = "Unable to read file";
        return false;
    }
    return true;
}

}  // namespace

Image::Image(int format) : format_(format) {}

Image::Image(const std::string& path, int format, FileSystem& fileSystem,
             const DecodeOptions& options)
    : format_(format) {
    Load(path, format, fileSystem, options);
}

Image::Image(const uint8_t* data, size_t size, int format, const DecodeOptions& options)
    : format_(format) {
    Decode(data, size, format, options);
}

Image::Image(Image&& other) noexcept {
    *this = std::move(other);
}

Image& Image::operator=(Image&& other) noexcept {
    if (this == &other) return *this;
    header_ = other.header_;
    effWidth_ = other.effWidth_;
    dib_ = std::move(other.dib_);
    format_ = other.format_;
    lastError_ = std::move(other.lastError_);
    transparentIndex_ = other.transparentIndex_;
    background_ = other.background_;
    alpha_ = std::move(other.alpha_);
    selection_ = std::move(other.selection_);
    progress_ = other.progress_;
    escape_ = other.escape_;
    other.Destroy();
    return *this;
}

Image::~Image() = default;

bool Image::Load(const std::string& path, int format, FileSystem& fileSystem,
                 const DecodeOptions& options) {
    Destroy();
    format_ = format;
    std::vector<uint8_t> bytes;
    std::string error;
    if (!readWholeFile(fileSystem, path, bytes, error)) {
        SetLastError(error);
        return false;
    }
    // The bytes stay in memory, so each further decoder starts from the first
    // byte again without reopening the file.
    return Decode(bytes.data(), bytes.size(), format, options);
}

bool Image::Decode(const uint8_t* data, size_t size, int format, const DecodeOptions& options) {
    if (data == nullptr) size = 0;
    if (format != kFormatUnknown) {
        if (decodeWith(data, size, format, options)) return true;
        const std::string firstError = lastError_;
        for (int candidate : kTryOrder) {
            // The failed decoder would fail the same way again.
            if (candidate != format && decodeWith(data, size, candidate, options)) return true;
        }
        SetLastError(firstError);
        format_ = format;
        return false;
    }
    std::string recognisedError;
    for (int candidate : kTryOrder) {
        if (decodeWith(data, size, candidate, options)) return true;
        const bool recognised =
            size >= 2 && ((candidate == kFormatBmp && data[0] == 'B' && data[1] == 'M') ||
                          (candidate == kFormatJpeg && data[0] == 0xFF && data[1] == 0xD8));
        if (recognised && recognisedError.empty()) recognisedError = lastError_;
    }
    SetLastError(recognisedError.empty() ? "Unknown file format" : recognisedError);
    format_ = kFormatUnknown;
    return false;
}

bool Image::decodeWith(const uint8_t* data, size_t size, int format, const DecodeOptions& options) {
    Destroy();
    bool decoded = false;
    switch (format) {
        case kFormatBmp:
            decoded = decodeBmp(data, size, false, *this);
            break;
        case kFormatJpeg:
            decoded = decodeJpeg(data, size, options, *this);
            break;
        default:
            SetLastError("Format not supported");
            break;
    }
    // Decoders that cannot sample as they decode leave it to the resample.
    const bool resized = GetWidth() != options.sampleWidth || GetHeight() != options.sampleHeight;
    if (decoded && options.samples() && resized) {
        decoded = Resample(options.sampleWidth, options.sampleHeight, 1);
    }
    if (!decoded) {
        Destroy();
        return false;
    }
    format_ = format;
    return true;
}

uint8_t* Image::Create(int32_t width, int32_t height, int bitsPerPixel, int format) {
    Destroy();
    if (width <= 0 || height <= 0) {
        SetLastError("The image size is not valid");
        return nullptr;
    }
    if (static_cast<int64_t>(width) * height > kMaxImagePixels) {
        SetLastError("The image is too large");
        return nullptr;
    }
    if (bitsPerPixel != 8 && bitsPerPixel != 24) {
        SetLastError("Unsupported bit depth");
        return nullptr;
    }
    // Below 200 megapixels at 3 bytes each the sizes fit comfortably in 32 bits.
    const uint64_t effWidth = (static_cast<uint64_t>(width) * bitsPerPixel + 31) / 32 * 4;
    const uint64_t imageSize = effWidth * static_cast<uint64_t>(height);
    const uint32_t colours = bitsPerPixel == 8 ? 256 : 0;

    header_ = BitmapInfoHeader{};
    header_.biWidth = width;
    header_.biHeight = height;
    header_.biBitCount = static_cast<uint16_t>(bitsPerPixel);
    header_.biSizeImage = static_cast<uint32_t>(imageSize);
    header_.biClrUsed = colours;
    effWidth_ = static_cast<uint32_t>(effWidth);
    format_ = format;
    transparentIndex_ = -1;
    progress_ = 0;
    dib_.assign(sizeof(BitmapInfoHeader) + colours * sizeof(RgbQuad) + imageSize, 0);
    writeHeader();
    if (colours != 0) SetGrayPalette();
    return GetBits();
}

void Image::writeHeader() {
    uint8_t* p = dib_.data();
    putLe32(p + 0, header_.biSize);
    putLe32(p + 4, static_cast<uint32_t>(header_.biWidth));
    putLe32(p + 8, static_cast<uint32_t>(header_.biHeight));
    putLe16(p + 12, header_.biPlanes);
    putLe16(p + 14, header_.biBitCount);
    putLe32(p + 16, header_.biCompression);
    putLe32(p + 20, header_.biSizeImage);
    putLe32(p + 24, static_cast<uint32_t>(header_.biXPelsPerMeter));
    putLe32(p + 28, static_cast<uint32_t>(header_.biYPelsPerMeter));
    putLe32(p + 32, header_.biClrUsed);
    putLe32(p + 36, header_.biClrImportant);
}

void Image::Destroy() {
    dib_.clear();
    dib_.shrink_to_fit();
    alpha_.clear();
    selection_.clear();
    header_ = BitmapInfoHeader{};
    effWidth_ = 0;
}

uint8_t* Image::GetBits(int32_t row) {
    return const_cast<uint8_t*>(static_cast<const Image*>(this)->GetBits(row));
}

const uint8_t* Image::GetBits(int32_t row) const {
    if (dib_.empty() || row < 0 || row >= header_.biHeight) return nullptr;
    return dib_.data() + sizeof(BitmapInfoHeader) + header_.biClrUsed * sizeof(RgbQuad) +
           static_cast<size_t>(row) * effWidth_;
}

RgbQuad* Image::GetPalette() {
    return const_cast<RgbQuad*>(static_cast<const Image*>(this)->GetPalette());
}

const RgbQuad* Image::GetPalette() const {
    if (dib_.empty() || header_.biClrUsed == 0) return nullptr;
    return reinterpret_cast<const RgbQuad*>(dib_.data() + sizeof(BitmapInfoHeader));
}

void Image::SetGrayPalette() {
    RgbQuad* palette = GetPalette();
    if (palette == nullptr) return;
    for (uint32_t i = 0; i < header_.biClrUsed; ++i) {
        const auto grey =
            static_cast<uint8_t>(i * 255 / std::max<uint32_t>(1, header_.biClrUsed - 1));
        palette[i] = RgbQuad{grey, grey, grey, 0};
    }
}

bool Image::IsGrayScale() const {
    const RgbQuad* palette = GetPalette();
    if (palette == nullptr || header_.biBitCount != 8 || header_.biClrUsed != 256) return false;
    for (uint32_t i = 0; i < 256; ++i) {
        const auto v = static_cast<uint8_t>(i);
        if (palette[i].rgbBlue != v || palette[i].rgbGreen != v || palette[i].rgbRed != v) {
            return false;
        }
    }
    return true;
}

RgbQuad Image::GetPixelColor(int32_t x, int32_t y) const {
    const uint8_t* row = GetBits(y);
    if (row == nullptr || x < 0 || x >= header_.biWidth) return RgbQuad{};
    if (header_.biBitCount == 24) {
        const uint8_t* p = row + static_cast<size_t>(x) * 3;
        return RgbQuad{p[0], p[1], p[2], 0};
    }
    return GetPalette()[row[x]];
}

void Image::SetLastError(const std::string& text) {
    lastError_ = text.substr(0, 255);
}

bool Image::AlphaCreate() {
    if (!IsValid()) return false;
    alpha_.assign(static_cast<size_t>(header_.biWidth) * header_.biHeight, 255);
    return true;
}

bool Image::SelectionCreate() {
    if (!IsValid()) return false;
    selection_.assign(static_cast<size_t>(header_.biWidth) * header_.biHeight, 0);
    return true;
}

void Image::setProgress(int64_t done, int64_t total) {
    progress_ = total > 0 ? static_cast<int>(done * 100 / total) : 100;
}

bool Image::Copy(const Image& source, bool copyPixels, bool copySelection, bool copyAlpha) {
    if (&source == this) return true;
    header_ = source.header_;
    effWidth_ = source.effWidth_;
    format_ = source.format_;
    lastError_ = source.lastError_;
    transparentIndex_ = source.transparentIndex_;
    background_ = source.background_;
    progress_ = 0;
    escape_ = false;
    if (copyPixels) {
        dib_ = source.dib_;
    } else if (source.IsValid()) {
        const size_t headerAndPalette =
            sizeof(BitmapInfoHeader) + source.header_.biClrUsed * sizeof(RgbQuad);
        dib_.assign(source.dib_.size(), 0);
        std::memcpy(dib_.data(), source.dib_.data(), headerAndPalette);
    } else {
        dib_.clear();
    }
    selection_ = copySelection ? source.selection_ : std::vector<uint8_t>{};
    alpha_ = copyAlpha ? source.alpha_ : std::vector<uint8_t>{};
    return source.IsValid();
}

bool Image::Encode(std::unique_ptr<uint8_t[]>& buffer, size_t& size, int format) {
    if (buffer) {
        SetLastError("the buffer must be empty");
        return false;
    }
    if (!IsValid()) {
        SetLastError("The image is empty");
        return false;
    }
    if (format != kFormatBmp) {
        SetLastError("Format not supported");
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!encodeBmp(*this, bytes)) {
        SetLastError("Unable to encode the image");
        return false;
    }
    buffer = std::make_unique_for_overwrite<uint8_t[]>(bytes.size());
    std::memcpy(buffer.get(), bytes.data(), bytes.size());
    size = bytes.size();
    return true;
}

}  // namespace lumora
