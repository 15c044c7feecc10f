#include "duplicates/Signature.h"

#include <algorithm>
#include <cmath>

#include "albums/Thumbnail.h"

namespace lumora {
namespace {

// A file is decoded straight to the work picture: the nearest pixels of the
// full-size picture, exactly as resampling the whole decode would take them,
// while libjpeg works out only the sampled rows. A reduced decode would be as
// fast but averages each 8 x 8 block, so a retouch between the sampled pixels
// would make or break a duplicate.
constexpr DecodeOptions kSignatureDecode{0, 0, kSignatureSide, kSignatureSide};

constexpr int kBlocksPerSide = 4;
constexpr int kBlockSide = kSignatureSide / kBlocksPerSide;

}  // namespace

bool hasSignature(const PictureEntry& picture) {
    return picture.exif && picture.exif->signature[0] != 0.0;
}

Image loadSignatureImage(const PictureEntry& picture, FileSystem& fileSystem) {
    if (picture.exif && picture.exif->ThumbnailSize != 0) {
        Image embedded = decodeEmbeddedThumbnail(fileSystem, picture);
        if (embedded.IsValid()) return embedded;
    }
    return Image(picture.path, kFormatUnknown, fileSystem, kSignatureDecode);
}

bool signatureOfImage(const Image& source, SignatureValues& values) {
    if (!source.IsValid()) return false;
    Image work;
    if (!work.Copy(source, true, true, true)) return false;
    if (!work.Resample(kSignatureSide, kSignatureSide, 1)) return false;
    // Both inputs are the same grey values; only the log-magnitude image is used.
    Image real;
    Image imaginary;
    if (!work.FFT2(&work, &work, &real, &imaginary, 1, true, true)) return false;
    if (real.GetWidth() != kSignatureSide || real.GetHeight() != kSignatureSide) return false;

    SignatureValues sums{};
    for (int blockRow = 0; blockRow < kBlocksPerSide; ++blockRow) {
        for (int blockColumn = 0; blockColumn < kBlocksPerSide; ++blockColumn) {
            uint32_t sum = 0;
            for (int i = 0; i < kBlockSide; ++i) {
                // Row 0 is the bottom row, so block-row 0 is the bottom of the picture.
                const uint8_t* row = real.GetBits(kBlockSide * blockRow + i);
                if (row == nullptr) return false;
                for (int j = 0; j < kBlockSide; ++j) sum += row[kBlockSide * blockColumn + j];
            }
            sums[static_cast<size_t>(kBlocksPerSide * blockRow + blockColumn)] =
                std::sqrt(static_cast<double>(sum));
        }
    }
    double total = 0.0;
    for (double value : sums) total += value;
    if (total == 0.0) return false;
    for (size_t k = 0; k < sums.size(); ++k) values[k] = sums[k] / total;
    return true;
}

bool signatureOfPicture(const PictureEntry& picture, FileSystem& fileSystem,
                        SignatureValues& values) {
    const Image image = loadSignatureImage(picture, fileSystem);
    return signatureOfImage(image, values);
}

bool computeSignature(PictureEntry& picture, FileSystem& fileSystem) {
    if (!picture.exif) return false;
    SignatureValues values;
    if (!signatureOfPicture(picture, fileSystem, values)) return false;
    std::copy(values.begin(), values.end(), picture.exif->signature);
    return true;
}

double signatureDistance(const double* a, const double* b) {
    double sum = 0.0;
    for (int k = 0; k < kSignatureLength; ++k) {
        const double difference = a[k] - b[k];
        sum += difference * difference;
    }
    return std::sqrt(sum);
}

double signatureDistance(const PictureEntry& a, const PictureEntry& b) {
    return signatureDistance(a.exif->signature, b.exif->signature);
}

}  // namespace lumora
