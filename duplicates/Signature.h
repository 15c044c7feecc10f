#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "catalog/PictureEntry.h"
#include "imaging/Image.h"
#include "platform/FileSystem.h"

namespace lumora {

inline constexpr int kSignatureLength = 16;
// The side of the square work picture the signature is taken from.
inline constexpr int kSignatureSide = 64;
// An embedded thumbnail lives inside one APP1 section, which cannot be larger
// than this; a bigger stated size is damage, and the file is used instead.
inline constexpr uint32_t kMaxThumbnailBytes = 65536;

using SignatureValues = std::array<double, kSignatureLength>;

// Where a picture's signature is taken from: its embedded thumbnail when it
// has one, else the file itself. Copied out of the entry so that the decode
// can run on another thread.
struct SignatureSource {
    std::string path;
    uint32_t thumbnailOffset = 0;
    uint32_t thumbnailSize = 0;
};

SignatureSource signatureSourceOf(const PictureEntry& picture);

// A picture has a signature when its first element is not 0.
bool hasSignature(const PictureEntry& picture);

// Decodes the picture the signature is taken from. A thumbnail that cannot be
// read or decoded gives way to the file. Invalid when neither decodes.
Image loadSignatureImage(const SignatureSource& source, FileSystem& fileSystem);

// The 16 values of a decoded picture. False (values untouched) when the
// picture is not valid or its spectrum sums to zero, as for a uniform grey
// picture: such a picture keeps no signature rather than one of NaN values.
bool signatureOfImage(const Image& source, SignatureValues& values);

// Decodes the picture and computes its values.
bool signatureOfSource(const SignatureSource& source, FileSystem& fileSystem,
                       SignatureValues& values);

// Fills the picture's signature; leaves it as it was when no picture can be
// decoded. Returns whether a signature was stored.
bool computeSignature(PictureEntry& picture, FileSystem& fileSystem = realFileSystem());

// The Euclidean distance of two signatures.
double signatureDistance(const double* a, const double* b);
double signatureDistance(const PictureEntry& a, const PictureEntry& b);

}  // namespace lumora
