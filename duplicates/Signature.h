#pragma once

#include <array>
#include <cstdint>

#include "catalog/PictureEntry.h"
#include "imaging/Image.h"
#include "platform/FileSystem.h"

namespace lumora {

inline constexpr int kSignatureLength = 16;
// The side of the square work picture the signature is taken from.
inline constexpr int kSignatureSide = 64;
using SignatureValues = std::array<double, kSignatureLength>;

// A picture has a signature when its first element is not 0.
bool hasSignature(const PictureEntry& picture);

// Decodes the picture the signature is taken from: the embedded thumbnail,
// read as the film reads it, else the file, already sampled to the work
// picture's size. A thumbnail that cannot be read or decoded gives way to the
// file. Invalid when neither decodes.
Image loadSignatureImage(const PictureEntry& picture, FileSystem& fileSystem);

// The 16 values of a decoded picture. False (values untouched) when the
// picture is not valid or its spectrum sums to zero, as for a uniform grey
// picture: such a picture keeps no signature rather than one of NaN values.
bool signatureOfImage(const Image& source, SignatureValues& values);

// Decodes the picture and computes its values without storing them.
bool signatureOfPicture(const PictureEntry& picture, FileSystem& fileSystem,
                        SignatureValues& values);

// Fills the picture's signature; leaves it as it was when no picture can be
// decoded. Returns whether a signature was stored.
bool computeSignature(PictureEntry& picture, FileSystem& fileSystem = realFileSystem());

// The Euclidean distance of two signatures.
double signatureDistance(const double* a, const double* b);
double signatureDistance(const PictureEntry& a, const PictureEntry& b);

}  // namespace lumora
