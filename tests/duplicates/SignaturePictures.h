#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "catalog/PictureEntry.h"
#include "duplicates/Signature.h"
#include "imaging/Image.h"

namespace lumora::test {

// A listed picture with its own record and the given signature values (the
// rest zero).
inline PictureEntry signedPicture(const std::string& path, std::initializer_list<double> values,
                                  uint64_t fileSize = 1u << 20) {
    PictureEntry entry;
    entry.path = path;
    entry.fileSize = fileSize;
    entry.exif = std::make_shared<ExifInfo>();
    int k = 0;
    for (double value : values) entry.exif->signature[k++] = value;
    return entry;
}

inline PictureEntry signedPicture(const std::string& path, const SignatureValues& values,
                                  uint64_t fileSize = 1u << 20) {
    PictureEntry entry = signedPicture(path, {}, fileSize);
    for (int k = 0; k < kSignatureLength; ++k) entry.exif->signature[k] = values[k];
    return entry;
}

inline std::vector<int32_t> duplicateMarks(const PictureList& pictures) {
    std::vector<int32_t> marks;
    for (const PictureEntry& picture : pictures) marks.push_back(picture.isDuplicate);
    return marks;
}

inline SignatureValues signatureOf(const PictureEntry& picture) {
    SignatureValues values;
    for (int k = 0; k < kSignatureLength; ++k) values[k] = picture.exif->signature[k];
    return values;
}

// An 8-bit grey picture whose pixel (x, y), y counted from the bottom, is
// value(x, y).
template <typename Value>
Image greyPicture(int32_t width, int32_t height, Value value) {
    Image image;
    image.Create(width, height, 8, kFormatBmp);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits(y);
        for (int32_t x = 0; x < width; ++x) row[x] = static_cast<uint8_t>(value(x, y));
    }
    return image;
}

}  // namespace lumora::test
