#include "duplicates/Signature.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "samples/ExifBlockWriter.h"
#include "samples/JpegFileWriter.h"
#include "tests/duplicates/SignaturePictures.h"
#include "tests/imaging/TestImages.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::greyPicture;
using test::signatureOf;
using test::signedPicture;

// A picture file whose EXIF block carries `thumbnail`, with the entry the
// scan would make for it (the thumbnail found where the file holds it).
PictureEntry pictureWithThumbnail(const test::TempDir& dir, const std::string& name,
                                  uint32_t mainSeed, const std::vector<uint8_t>& thumbnail) {
    samples::ExifBlockSpec block;
    block.exifIfd.push_back(samples::asciiEntry(0x9003, "2020:01:02 03:04:05"));
    block.thumbnail = thumbnail;
    samples::JpegSpec jpeg;
    jpeg.width = 96;
    jpeg.height = 80;
    jpeg.seed = mainSeed;
    jpeg.segments.push_back(samples::buildExifSegment(block));
    const std::vector<uint8_t> bytes = samples::buildJpegFile(jpeg);
    const auto found = std::search(bytes.begin(), bytes.end(), thumbnail.begin(), thumbnail.end());
    EXPECT_NE(found, bytes.end());
    PictureEntry entry = signedPicture(dir.writeFile(name, bytes), {});
    entry.exif->ThumbnailOffset = static_cast<uint32_t>(found - bytes.begin());
    entry.exif->ThumbnailSize = static_cast<uint32_t>(thumbnail.size());
    return entry;
}

PictureEntry plainFile(const test::TempDir& dir, const std::string& name, uint32_t seed,
                       int width = 96, int height = 80) {
    return signedPicture(dir.writeFile(name, samples::encodePattern(width, height, 3, 85, seed)),
                         {});
}

bool sameBits(const SignatureValues& a, const SignatureValues& b) {
    return std::memcmp(a.data(), b.data(), sizeof(double) * a.size()) == 0;
}

SignatureValues valuesOf(const Image& image) {
    SignatureValues values{};
    EXPECT_TRUE(signatureOfImage(image, values));
    return values;
}

TEST(Signature, isNonNegativeAndAddsUpToOne) {
    test::TempDir dir;
    for (uint32_t seed : {1u, 7u, 23u}) {
        PictureEntry picture = plainFile(dir, "p" + std::to_string(seed) + ".jpg", seed);
        ASSERT_TRUE(computeSignature(picture));
        double total = 0.0;
        for (double value : picture.exif->signature) {
            EXPECT_GE(value, 0.0);
            total += value;
        }
        EXPECT_NEAR(total, 1.0, 1e-12);
        EXPECT_NE(picture.exif->signature[0], 0.0);
    }
}

TEST(Signature, isBitIdenticalForCopiesAndRepeatedRuns) {
    test::TempDir dir;
    const std::vector<uint8_t> bytes = samples::encodePattern(120, 90, 3, 85, 5);
    PictureEntry first = signedPicture(dir.writeFile("a/p.jpg", bytes), {});
    PictureEntry copy = signedPicture(dir.writeFile("b/p.jpg", bytes), {});
    ASSERT_TRUE(computeSignature(first));
    ASSERT_TRUE(computeSignature(copy));
    EXPECT_TRUE(sameBits(signatureOf(first), signatureOf(copy)));
    EXPECT_EQ(signatureDistance(first, copy), 0.0);

    const SignatureValues before = signatureOf(first);
    ASSERT_TRUE(computeSignature(first));
    EXPECT_TRUE(sameBits(before, signatureOf(first)));

    PictureEntry other = plainFile(dir, "c/q.jpg", 6, 120, 90);
    ASSERT_TRUE(computeSignature(other));
    EXPECT_GT(signatureDistance(first, other), 0.0);
}

TEST(Signature, comesFromTheEmbeddedThumbnailWhenThereIsOne) {
    test::TempDir dir;
    const std::vector<uint8_t> thumbnail = samples::encodePattern(40, 30, 3, 80, 77);
    // Different main pictures with the same thumbnail are the same picture
    // to the signature, and the thumbnail's own signature is theirs.
    PictureEntry one = pictureWithThumbnail(dir, "one.jpg", 1, thumbnail);
    PictureEntry two = pictureWithThumbnail(dir, "two.jpg", 2, thumbnail);
    ASSERT_TRUE(computeSignature(one));
    ASSERT_TRUE(computeSignature(two));
    EXPECT_TRUE(sameBits(signatureOf(one), signatureOf(two)));
    EXPECT_TRUE(sameBits(signatureOf(one),
                         valuesOf(Image(thumbnail.data(), thumbnail.size(), kFormatUnknown))));

    PictureEntry withoutReference = one;
    withoutReference.exif = std::make_shared<ExifInfo>();
    ASSERT_TRUE(computeSignature(withoutReference));
    EXPECT_GT(signatureDistance(one, withoutReference), 0.0);
}

TEST(Signature, fallsBackToTheFileWhenTheThumbnailIsUnusable) {
    test::TempDir dir;
    const std::vector<uint8_t> thumbnail = samples::encodePattern(40, 30, 3, 80, 78);
    PictureEntry fromFile = pictureWithThumbnail(dir, "p.jpg", 3, thumbnail);
    fromFile.exif = std::make_shared<ExifInfo>();
    ASSERT_TRUE(computeSignature(fromFile));

    struct Damage {
        const char* what;
        uint32_t offset;
        uint32_t size;
    };
    const PictureEntry good = pictureWithThumbnail(dir, "p.jpg", 3, thumbnail);
    const Damage damages[] = {
        {"points at the file's start", 2, good.exif->ThumbnailSize},
        {"runs past the end", good.exif->ThumbnailOffset, 1u << 15},
        {"lies beyond the end", 0x7FFFFFF0u, 100},
        {"claims gigabytes", good.exif->ThumbnailOffset, 0xFFFFFFF0u},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        PictureEntry picture = good;
        picture.exif = std::make_shared<ExifInfo>(*good.exif);
        picture.exif->ThumbnailOffset = damage.offset;
        picture.exif->ThumbnailSize = damage.size;
        ASSERT_TRUE(computeSignature(picture));
        EXPECT_TRUE(sameBits(signatureOf(picture), signatureOf(fromFile)));
    }
}

TEST(Signature, staysAsItWasWhenNothingDecodes) {
    test::TempDir dir;
    const std::string garbage = dir.writeFile("bad.jpg", std::string("\xFF\xD8 not a picture"));
    const std::string empty = dir.writeFile("empty.jpg", std::string());
    std::vector<uint8_t> cut = samples::encodePattern(64, 64, 3, 85, 1);
    cut.resize(200);
    const std::string truncated = dir.writeFile("cut.jpg", cut);
    for (const std::string& path : {garbage, empty, truncated, dir.file("missing.jpg")}) {
        SCOPED_TRACE(path);
        PictureEntry never = signedPicture(path, {});
        EXPECT_FALSE(computeSignature(never));
        EXPECT_TRUE(sameBits(signatureOf(never), SignatureValues{}));

        PictureEntry analysed = signedPicture(path, {0.25, 0.75});
        EXPECT_FALSE(computeSignature(analysed));
        EXPECT_EQ(analysed.exif->signature[0], 0.25);
        EXPECT_EQ(analysed.exif->signature[1], 0.75);
    }
}

TEST(Signature, failedReadsThroughTheFileSystemLeaveNoSignature) {
    test::TempDir dir;
    const std::vector<uint8_t> thumbnail = samples::encodePattern(40, 30, 3, 80, 79);
    PictureEntry picture = pictureWithThumbnail(dir, "p.jpg", 4, thumbnail);
    test::FaultyFileSystem fileSystem;
    fileSystem.failPath(test::FsCall::OpenRead, picture.path, kErrorReadFault);
    EXPECT_FALSE(computeSignature(picture, fileSystem));
    EXPECT_EQ(picture.exif->signature[0], 0.0);
    // Both the thumbnail and the file were tried.
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead, picture.path), 2);
}

// A uniform 128 grey has no spectrum at all: its signature would be 0 / 0.
TEST(Signature, uniformMidGreyKeepsNoSignature) {
    SignatureValues values{};
    values[3] = 0.5;
    EXPECT_FALSE(signatureOfImage(greyPicture(64, 64, [](int, int) { return 128; }), values));
    EXPECT_EQ(values[3], 0.5);

    test::TempDir dir;
    Image grey = greyPicture(80, 60, [](int, int) { return 128; });
    std::unique_ptr<uint8_t[]> buffer;
    size_t size = 0;
    ASSERT_TRUE(grey.Encode(buffer, size, kFormatBmp));
    PictureEntry picture = signedPicture(
        dir.writeFile("grey.jpg", std::vector<uint8_t>(buffer.get(), buffer.get() + size)), {});
    EXPECT_FALSE(computeSignature(picture));
    for (double value : picture.exif->signature) EXPECT_EQ(value, 0.0);
}

// Where the spectrum's energy lies decides which element grows: the zero
// frequency is the bottom-left block, a horizontal wave lies along the bottom
// block-row, a vertical one along the left block-column.
TEST(Signature, elementsFollowTheBlocksOfTheSpectrumFromTheBottomRow) {
    SignatureValues flat = valuesOf(greyPicture(64, 64, [](int, int) { return 200; }));
    SignatureValues expectedFlat{};
    expectedFlat[0] = 1.0;
    EXPECT_EQ(flat, expectedFlat);

    // A wave of period 4 (frequency 16 and 48) whose samples are exact.
    const auto wave = [](int t) { return t % 2 == 1 ? 128 : (t % 4 == 0 ? 228 : 28); };
    SignatureValues horizontal = valuesOf(greyPicture(64, 64, [&](int x, int) { return wave(x); }));
    SignatureValues vertical = valuesOf(greyPicture(64, 64, [&](int, int y) { return wave(y); }));
    SignatureValues expectedHorizontal{};
    expectedHorizontal[1] = expectedHorizontal[3] = 0.5;
    SignatureValues expectedVertical{};
    expectedVertical[4] = expectedVertical[12] = 0.5;
    EXPECT_EQ(horizontal, expectedHorizontal);
    EXPECT_EQ(vertical, expectedVertical);
}

TEST(Signature, largerPicturesAreSampledToTheNearestPixel) {
    const auto pattern = [](int x, int y) { return (x * 37 + y * 11 + (x * y) % 7) % 256; };
    const SignatureValues small = valuesOf(greyPicture(64, 64, pattern));
    const SignatureValues doubled =
        valuesOf(greyPicture(128, 128, [&](int x, int y) { return pattern(x / 2, y / 2); }));
    EXPECT_TRUE(sameBits(small, doubled));
    // Pixels between the sampled ones do not count.
    const SignatureValues speckled = valuesOf(greyPicture(128, 128, [&](int x, int y) {
        return (x % 2 == 1 || y % 2 == 1) ? 255 : pattern(x / 2, y / 2);
    }));
    EXPECT_TRUE(sameBits(small, speckled));
}

// However large the file, its signature is that of its whole picture, bit for
// bit, although only the sampled rows are decoded.
TEST(Signature, aFileGivesTheSignatureOfItsWholePicture) {
    test::TempDir dir;
    const int sizes[][2] = {{100, 80}, {333, 250}, {640, 480}, {1600, 1200}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]));
        PictureEntry picture =
            plainFile(dir, "p" + std::to_string(size[0]) + ".jpg", 9, size[0], size[1]);
        ASSERT_TRUE(computeSignature(picture));
        const Image whole(picture.path, kFormatUnknown);
        ASSERT_EQ(whole.GetWidth(), size[0]);
        EXPECT_TRUE(sameBits(signatureOf(picture), valuesOf(whole)));
    }
}

// Duplicates are decided by the whole picture's sampled pixels. For 1024 x 768
// they are the columns 16 i and the rows 12 j from the bottom. One sampled
// pixel changed, with its 8 x 8 block's average kept, makes another picture,
// which a decode that averaged each block would miss; a change in a block
// that holds no sampled pixel leaves the signature as it was.
TEST(Signature, picturesDifferingInOneSampledPixelAreNoDuplicates) {
    const Image base = greyPicture(1024, 768, [](int x, int y) {
        const uint32_t hash =
            (static_cast<uint32_t>(x) * 7919u ^ static_cast<uint32_t>(y) * 104729u) * 2654435761u;
        return 60 + static_cast<int>(hash >> 25);  // 60 .. 187: no clamping below
    });
    Image sampledPixel = base;
    sampledPixel.GetBits(12)[16] += 40;
    sampledPixel.GetBits(12)[23] -= 40;  // same block, same sum
    Image unsampledBlock = base;
    unsampledBlock.GetBits(20)[10] += 60;  // columns 8-15, rows 16-23 from the bottom

    test::TempDir dir;
    const auto fileOf = [&](const std::string& name, const Image& image) {
        PictureEntry picture = signedPicture(dir.writeFile(name, test::encodeJpeg(image)), {});
        EXPECT_TRUE(computeSignature(picture));
        return picture;
    };
    const PictureEntry original = fileOf("original.jpg", base);
    EXPECT_GT(signatureDistance(original, fileOf("sampled.jpg", sampledPixel)), 0.0);
    EXPECT_EQ(signatureDistance(original, fileOf("unsampled.jpg", unsampledBlock)), 0.0);
}

TEST(SignatureDistance, isTheEuclideanDistanceOfAllSixteenElements) {
    const PictureEntry base = signedPicture("/a", {0.5, 0.25, 0.25});
    struct Case {
        PictureEntry other;
        double distance;
    };
    const Case cases[] = {
        {signedPicture("/b", {0.5, 0.25, 0.25}), 0.0},
        {signedPicture("/b", {0.5, 0.25, 0.0, 0.25}), std::sqrt(0.125)},
        {signedPicture("/b", {0.5, 0.25, 0.25, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.75}), 0.75},
        {signedPicture("/b", {0.5, 0.25, 0.25, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), 0.0},
        {signedPicture("/b", {0.2, 0.25, 0.65}), 0.5},
    };
    for (const Case& item : cases) {
        EXPECT_DOUBLE_EQ(signatureDistance(base, item.other), item.distance);
        EXPECT_DOUBLE_EQ(signatureDistance(item.other, base), item.distance);
    }
}

}  // namespace
}  // namespace lumora
