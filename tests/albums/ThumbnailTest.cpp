#include "albums/Thumbnail.h"
#include "albums/ViewerPicture.h"
#include "catalog/ExifReader.h"
#include "tests/imaging/TestImages.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"
#include "tests/support/UprightCheck.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lumora {
namespace {

class RecordingStatus : public ProgressSink {
  public:
    void setStatus(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

std::vector<uint8_t> bmpBytes(Image image) {
    std::unique_ptr<uint8_t[]> buffer;
    size_t size = 0;
    EXPECT_TRUE(image.Encode(buffer, size, kFormatBmp));
    return std::vector<uint8_t>(buffer.get(), buffer.get() + size);
}

PictureEntry pictureAt(const std::string& path) {
    PictureEntry picture;
    picture.path = path;
    picture.exif = std::make_shared<ExifInfo>();
    return picture;
}

// A file whose own picture data is damaged beyond decoding, with a good
// 160 x 120 thumbnail of the given colour behind it.
PictureEntry pictureWithEmbeddedThumbnail(const test::TempDir& dir, uint8_t red, uint8_t green,
                                          uint8_t blue) {
    std::vector<uint8_t> bytes = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x10};
    bytes.resize(4000, 0x5A);
    const auto thumbnail = test::encodeJpeg(test::solidImage(160, 120, red, green, blue));
    const auto offset = static_cast<uint32_t>(bytes.size());
    bytes.insert(bytes.end(), thumbnail.begin(), thumbnail.end());
    PictureEntry picture = pictureAt(dir.writeFile("embedded.jpg", bytes));
    picture.exif->ThumbnailOffset = offset;
    picture.exif->ThumbnailSize = static_cast<uint32_t>(thumbnail.size());
    return picture;
}

TEST(Thumbnail, aCameraPictureComesOutAt160By120) {
    test::TempDir dir;
    // Top half red, bottom half blue.
    Image bands = test::solidImage(640, 480, 0, 0, 255);
    for (int32_t y = 240; y < 480; ++y) {
        uint8_t* row = bands.GetBits(y);
        for (int32_t x = 0; x < 640; ++x) {
            row[x * 3] = 0;
            row[x * 3 + 2] = 255;
        }
    }
    const PictureEntry picture = pictureAt(dir.writeFile("a.jpg", test::encodeJpeg(bands)));
    RecordingStatus status;
    Image thumbnail;
    ASSERT_EQ(makeThumbnail(realFileSystem(), picture,
                            ThumbnailOptions{false, ThumbnailScaling::Resample,
                                             ResampleNotice::EveryResample},
                            status, thumbnail),
              ThumbnailResult::Made);
    EXPECT_EQ(thumbnail.GetWidth(), kThumbnailWidth);
    EXPECT_EQ(thumbnail.GetHeight(), kThumbnailHeight);
    EXPECT_EQ(thumbnail.GetBpp(), 24);
    EXPECT_NEAR(thumbnail.GetPixelColor(80, 110).rgbRed, 255, 4);  // the top stays red
    EXPECT_NEAR(thumbnail.GetPixelColor(80, 10).rgbBlue, 255, 4);
    // The file is decoded at a quarter, 160 x 120 already: nothing to resample.
    EXPECT_TRUE(status.texts.empty());
}

TEST(Thumbnail, aShortPictureIsStretchedByOneHeightChange) {
    test::TempDir dir;
    const PictureEntry picture =
        pictureAt(dir.writeFile("short.bmp", bmpBytes(test::coordinateImage(160, 100, 9))));
    for (ResampleNotice notice : {ResampleNotice::EveryResample, ResampleNotice::OneSideOnly}) {
        RecordingStatus status;
        Image thumbnail;
        ASSERT_EQ(makeThumbnail(realFileSystem(), picture,
                                ThumbnailOptions{false, ThumbnailScaling::Resample, notice}, status,
                                thumbnail),
                  ThumbnailResult::Made);
        ASSERT_EQ(thumbnail.GetWidth(), 160);
        ASSERT_EQ(thumbnail.GetHeight(), 120);
        for (int32_t y : {0, 1, 6, 7, 119}) {
            for (int32_t x : {0, 1, 100, 159}) {
                const RgbQuad pixel = thumbnail.GetPixelColor(x, y);
                EXPECT_EQ(pixel.rgbBlue, x);  // columns untouched
                EXPECT_EQ(pixel.rgbGreen,
                          static_cast<int>(static_cast<float>(y) * (100.0f / 120.0f)));
            }
        }
        EXPECT_EQ(status.texts, std::vector<std::string>{"Resample"});
    }
}

TEST(Thumbnail, theToggleNoticeSkipsResamplesOfBothSides) {
    test::TempDir dir;
    const PictureEntry picture =
        pictureAt(dir.writeFile("big.bmp", bmpBytes(test::coordinateImage(200, 150))));
    RecordingStatus status;
    Image thumbnail;
    ASSERT_EQ(makeThumbnail(
                  realFileSystem(), picture,
                  ThumbnailOptions{false, ThumbnailScaling::Resample, ResampleNotice::OneSideOnly},
                  status, thumbnail),
              ThumbnailResult::Made);
    EXPECT_TRUE(status.texts.empty());
    EXPECT_EQ(thumbnail.GetPixelColor(159, 0).rgbBlue, static_cast<int>(159 * 1.25f));
}

TEST(Thumbnail, anEmbeddedThumbnailIsReadWithoutDecodingTheFile) {
    test::TempDir dir;
    const PictureEntry picture = pictureWithEmbeddedThumbnail(dir, 0, 200, 0);
    test::FaultyFileSystem fileSystem;
    RecordingStatus status;
    Image thumbnail;
    ASSERT_EQ(makeThumbnail(fileSystem, picture,
                            ThumbnailOptions{false, ThumbnailScaling::Resample,
                                             ResampleNotice::EveryResample},
                            status, thumbnail),
              ThumbnailResult::Made);
    EXPECT_NEAR(thumbnail.GetPixelColor(10, 10).rgbGreen, 200, 4);
    EXPECT_NEAR(thumbnail.GetPixelColor(10, 10).rgbRed, 0, 4);
    // One open and one seek straight to the thumbnail.
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead), 1);
    EXPECT_EQ(fileSystem.callCount(test::FsCall::Seek), 1);
    EXPECT_TRUE(status.texts.empty());
}

TEST(Thumbnail, negativeInvertsTheResult) {
    test::TempDir dir;
    const PictureEntry picture = pictureWithEmbeddedThumbnail(dir, 250, 250, 250);
    Image thumbnail;
    ASSERT_EQ(
        makeThumbnail(realFileSystem(), picture, ThumbnailOptions{true}, nullProgress(), thumbnail),
        ThumbnailResult::Made);
    EXPECT_NEAR(thumbnail.GetPixelColor(80, 60).rgbBlue, 5, 4);
}

TEST(Thumbnail, unreadablePicturesAreReportedAsSuch) {
    test::TempDir dir;
    PictureEntry missing = pictureAt(dir.file("missing.jpg"));
    PictureEntry damaged = pictureAt(dir.writeFile("damaged.jpg", std::string("\xFF\xD8junk")));
    PictureEntry badThumbnail = pictureWithEmbeddedThumbnail(dir, 1, 2, 3);
    badThumbnail.exif->ThumbnailOffset = 10;  // points into the junk
    PictureEntry pastTheEnd = pictureWithEmbeddedThumbnail(dir, 1, 2, 3);
    pastTheEnd.exif->ThumbnailOffset = 1000000;
    for (const PictureEntry* picture : {&missing, &damaged, &badThumbnail, &pastTheEnd}) {
        Image thumbnail;
        EXPECT_EQ(makeThumbnail(realFileSystem(), *picture, {}, nullProgress(), thumbnail),
                  ThumbnailResult::Unreadable)
            << picture->path;
        EXPECT_FALSE(thumbnail.IsValid());
    }

    // A size no APP1 section can hold is not even read: only the picture
    // itself is tried, once.
    PictureEntry oversized = pictureWithEmbeddedThumbnail(dir, 1, 2, 3);
    oversized.exif->ThumbnailSize = 0xFFFFFFF0u;
    test::FaultyFileSystem fileSystem;
    Image thumbnail;
    EXPECT_EQ(makeThumbnail(fileSystem, oversized, {}, nullProgress(), thumbnail),
              ThumbnailResult::Unreadable);
    EXPECT_EQ(fileSystem.callCount(test::FsCall::OpenRead), 1);
}

TEST(Thumbnail, aDamagedEmbeddedThumbnailFallsBackToThePictureItself) {
    test::TempDir dir;
    // A good 320 x 240 green picture whose record points its thumbnail at
    // bytes that are no picture, past the file's end, or at an impossible size.
    const std::string path =
        dir.writeFile("green.jpg", test::encodeJpeg(test::solidImage(320, 240, 0, 200, 0)));
    for (const auto& [offset, size] :
         {std::pair<uint32_t, uint32_t>{2, 500}, {1000000, 500}, {2, 0xFFFFFFF0u}}) {
        PictureEntry picture = pictureAt(path);
        picture.exif->ThumbnailOffset = offset;
        picture.exif->ThumbnailSize = size;
        Image thumbnail;
        ASSERT_EQ(makeThumbnail(realFileSystem(), picture, {}, nullProgress(), thumbnail),
                  ThumbnailResult::Made)
            << offset << " " << size;
        EXPECT_EQ(thumbnail.GetWidth(), 160);
        EXPECT_NEAR(thumbnail.GetPixelColor(80, 60).rgbGreen, 200, 4);
    }
}

TEST(Thumbnail, theShrinkVariantAveragesAndStillEnlargesSmallPictures) {
    test::TempDir dir;
    // 320 x 240 with columns alternating 0 and 100 blue: boxes average them.
    Image stripes = test::solidImage(320, 240, 0, 0, 0);
    for (int32_t y = 0; y < 240; ++y) {
        for (int32_t x = 1; x < 320; x += 2) stripes.GetBits(y)[x * 3] = 100;
    }
    const PictureEntry big = pictureAt(dir.writeFile("stripes.bmp", bmpBytes(stripes)));
    const ThumbnailOptions shrink{false, ThumbnailScaling::QIShrink, ResampleNotice::Never};
    Image thumbnail;
    ASSERT_EQ(makeThumbnail(realFileSystem(), big, shrink, nullProgress(), thumbnail),
              ThumbnailResult::Made);
    ASSERT_EQ(thumbnail.GetWidth(), 160);
    EXPECT_EQ(thumbnail.GetPixelColor(80, 60).rgbBlue, 50);

    const PictureEntry small =
        pictureAt(dir.writeFile("small.bmp", bmpBytes(test::coordinateImage(100, 80))));
    ASSERT_EQ(makeThumbnail(realFileSystem(), small, shrink, nullProgress(), thumbnail),
              ThumbnailResult::Made);
    EXPECT_EQ(thumbnail.GetWidth(), 160);
    EXPECT_EQ(thumbnail.GetHeight(), 120);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// A camera picture of the upright scene, stored under the orientation, read
// by the EXIF reader as the scan reads it.
PictureEntry scenePicture(const test::TempDir& dir, int orientation, bool withThumbnail) {
    test::PictureSpec spec;
    spec.dateTimeOriginal = "2021:06:01 10:00:00";
    spec.orientation = orientation;
    spec.scene = true;
    spec.withThumbnail = withThumbnail;
    const std::string name = "o" + std::to_string(orientation) + (withThumbnail ? "t" : "") + ".jpg";
    PictureEntry picture = pictureAt(dir.writeFile(name, test::exifPicture(spec)));
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> file = realFileSystem().openRead(picture.path, error);
    ExifReader reader(picture.exif.get());
    EXPECT_TRUE(file && reader.decode(*file));
    return picture;
}

test::ColourAt colourAtOf(const Image& image) {
    return [&image](int x, int y) {
        const RgbQuad pixel = image.GetPixelColor(x, image.GetHeight() - 1 - y);
        return samples::SceneColour{pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue};
    };
}

TEST(UprightThumbnail, everyOrientationShowsUprightFromTheFileAndFromItsEmbeddedThumbnail) {
    test::TempDir dir;
    for (const bool embedded : {false, true}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            SCOPED_TRACE(std::to_string(orientation) + (embedded ? " embedded" : " file"));
            const PictureEntry picture = scenePicture(dir, orientation, embedded);
            ASSERT_EQ(picture.exif->Orientation, orientation);
            ASSERT_EQ(picture.exif->ThumbnailSize != 0, embedded);
            ThumbnailOptions options;
            options.upright = true;
            Image thumbnail;
            ASSERT_EQ(makeThumbnail(realFileSystem(), picture, options, nullProgress(), thumbnail),
                      ThumbnailResult::Made);
            EXPECT_EQ(thumbnail.GetWidth(), kThumbnailWidth);
            EXPECT_EQ(thumbnail.GetHeight(), kThumbnailHeight);
            if (orientation < 5) {
                EXPECT_EQ(test::uprightFault(colourAtOf(thumbnail), 0, 0, 160, 120), "");
                continue;
            }
            // A portrait: 90 x 120 in the middle of the cell, black beside it.
            EXPECT_EQ(test::uprightFault(colourAtOf(thumbnail), 35, 0, 90, 120), "");
            for (const int x : {0, 34, 125, 159}) {
                EXPECT_EQ(thumbnail.GetPixelColor(x, 60), (RgbQuad{0, 0, 0, 0})) << x;
            }
        }
    }
}

TEST(UprightThumbnail, negativesKeepBlackBandsAndUnaskedThumbnailsLieAsStored) {
    test::TempDir dir;
    const PictureEntry picture = scenePicture(dir, 6, false);
    ThumbnailOptions options;
    options.upright = true;
    options.negative = true;
    Image negative;
    ASSERT_EQ(makeThumbnail(realFileSystem(), picture, options, nullProgress(), negative),
              ThumbnailResult::Made);
    EXPECT_EQ(negative.GetPixelColor(0, 60), (RgbQuad{0, 0, 0, 0}));
    negative.Negative();
    EXPECT_EQ(test::uprightFault(colourAtOf(negative), 35, 0, 90, 120), "");

    // Without asking, the thumbnail is the stored picture stretched, as before.
    Image stored;
    ASSERT_EQ(makeThumbnail(realFileSystem(), picture, ThumbnailOptions{}, nullProgress(), stored),
              ThumbnailResult::Made);
    EXPECT_NE(test::uprightFault(colourAtOf(stored), 0, 0, 160, 120), "");
    // The file itself is never changed.
    test::PictureSpec spec;
    spec.dateTimeOriginal = "2021:06:01 10:00:00";
    spec.orientation = 6;
    spec.scene = true;
    const std::vector<uint8_t> written = test::exifPicture(spec);
    std::vector<uint8_t> bytes;
    ErrorCode error = kErrorSuccess;
    ASSERT_TRUE(readFileRange(realFileSystem(), picture.path, 0,
                              static_cast<uint32_t>(written.size()), bytes, error));
    EXPECT_EQ(bytes, written);
}

TEST(UprightViewer, everyOrientationIsShownUprightAtTheUprightPicturesViewerSize) {
    test::TempDir dir;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const PictureEntry picture = scenePicture(dir, orientation, true);
        const Image shown = decodeForViewer(realFileSystem(), picture.path, orientation);
        ASSERT_TRUE(shown.IsValid());
        // Stored 64 x 48: 799 x 599 as a landscape, 799 x 1066 as a portrait.
        const PictureSize expected =
            orientation < 5 ? viewerDisplaySize(64, 48) : viewerDisplaySize(48, 64);
        EXPECT_EQ((PictureSize{shown.GetWidth(), shown.GetHeight()}), expected);
        EXPECT_EQ(test::uprightFault(colourAtOf(shown), 0, 0, shown.GetWidth(), shown.GetHeight()),
                  "");
    }
}

}  // namespace
}  // namespace lumora
