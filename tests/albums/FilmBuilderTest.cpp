#include "albums/FilmBuilder.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "tests/albums/TestPictures.h"
#include "tests/imaging/TestImages.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::ScriptedPrompter;

class RecordingStatus : public ProgressSink {
  public:
    void setStatus(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// Keeps each thumbnail's top-left pixel, enough to tell pictures, polarities
// and the placeholder apart.
class RecordingImages : public FilmImageList {
  public:
    void clear() override {
        images.clear();
        ++clears;
    }
    void reserve(size_t) override {}
    void append(const Image& thumbnail) override { images.push_back(thumbnail); }
    void replace(int32_t index, const Image& thumbnail) override {
        if (index >= 0 && static_cast<size_t>(index) < images.size()) images[index] = thumbnail;
        replaced.push_back(index);
    }
    std::vector<Image> images;
    std::vector<int32_t> replaced;
    int clears = 0;
};

// Thumbnails handed out from a script: each picture's result, with a solid
// image whose red value is the picture's position in the list given.
class ScriptedSource : public ThumbnailSource {
  public:
    ScriptedSource(std::vector<PictureEntry> pictures, std::deque<ThumbnailResult> results,
                   bool negative)
        : pictures_(std::move(pictures)), results_(std::move(results)), negative_(negative) {}
    bool next(ThumbnailResult& result, Image& thumbnail, ProgressSink& status) override {
        if (taken_ >= pictures_.size()) return false;
        result = results_.empty() ? ThumbnailResult::Made : results_.front();
        if (!results_.empty()) results_.pop_front();
        status.setStatus("made " + pictures_[taken_].path);
        thumbnail = test::solidImage(160, 120, static_cast<uint8_t>(10 * (taken_ + 1)), 0, 0);
        if (negative_) thumbnail.Negative();
        ++taken_;
        return true;
    }

  private:
    std::vector<PictureEntry> pictures_;
    std::deque<ThumbnailResult> results_;
    bool negative_;
    size_t taken_ = 0;
};

class FilmBuilderTest : public ::testing::Test {
  protected:
    FilmWork work() {
        factory = [this](std::vector<PictureEntry> list, const ThumbnailOptions& options) {
            ++sources;
            sourceSizes.push_back(list.size());
            return std::make_unique<ScriptedSource>(std::move(list), results, options.negative);
        };
        return FilmWork{pictures, images, factory, prompter, status};
    }
    int redAt(size_t index) { return images.images.at(index).GetPixelColor(0, 0).rgbRed; }

    PictureList pictures = test::picturesAt({100, 200, 300});
    RecordingImages images;
    ThumbnailSourceFactory factory;
    std::deque<ThumbnailResult> results;
    ScriptedPrompter prompter;
    RecordingStatus status;
    int sources = 0;
    std::vector<size_t> sourceSizes;
};

TEST_F(FilmBuilderTest, threePicturesAreBuiltInOrderWithTheirTextsAndNumbers) {
    pictures[1].exif->pictureId = 7;  // kept from an earlier scan's session
    ASSERT_EQ(buildFilmThumbnails(work(), 0), FilmOutcome::Done);
    EXPECT_EQ(status.texts, (std::vector<std::string>{
                                "Building film. Adding picture: 1, left 2.", "made /src/p1.jpg",
                                "Building film. Adding picture: 2, left 1.", "made /src/p2.jpg",
                                "Building film. Adding picture: 3, left 0.", "made /src/p3.jpg"}));
    ASSERT_EQ(images.images.size(), 3u);
    EXPECT_EQ(redAt(0), 10);
    EXPECT_EQ(redAt(2), 30);
    EXPECT_EQ(pictures[0].exif->pictureId, 0);
    EXPECT_EQ(pictures[1].exif->pictureId, 7);
    EXPECT_EQ(pictures[2].exif->thumbnailIndex, 2);
    EXPECT_EQ(pictures[1].exif->thumbnailIndex, 1);
}

TEST_F(FilmBuilderTest, aNegativeFilmIsBuiltNegativeAndMarked) {
    ASSERT_EQ(buildFilmThumbnails(work(), 1), FilmOutcome::Done);
    EXPECT_EQ(status.texts.front(), "Building negative film. Adding picture: 1, left 2.");
    EXPECT_EQ(redAt(0), 255 - 10);
    EXPECT_EQ(test::negativesByPath(pictures), (std::vector<int32_t>{1, 1, 1}));
}

TEST_F(FilmBuilderTest, anUnreadablePictureTakesThePlaceholderOnOkAndStopsTheBuildOnCancel) {
    const Image placeholder = placeholderThumbnail(false);
    ASSERT_TRUE(placeholder.IsValid());
    ASSERT_EQ(placeholder.GetWidth(), 160);
    results = {ThumbnailResult::Made, ThumbnailResult::Unreadable, ThumbnailResult::Made};
    // The question names the file it is about.
    prompter.expect("Error while reading from disk\n" + pictures[1].path, kDiskErrorCaption,
                    Buttons::OkCancel, kAnswerOk);
    ASSERT_EQ(buildFilmThumbnails(work(), 0), FilmOutcome::Done);
    ASSERT_EQ(images.images.size(), 3u);
    EXPECT_EQ(images.images[1].GetPixelColor(0, 0), placeholder.GetPixelColor(0, 0));
    EXPECT_EQ(redAt(2), 30);

    // Negative film: the placeholder turns negative too.
    results = {ThumbnailResult::Unreadable};
    prompter.answer(kAnswerOk);
    ASSERT_EQ(buildFilmThumbnails(work(), 1), FilmOutcome::Done);
    EXPECT_EQ(images.images[0].GetPixelColor(0, 0).rgbRed,
              255 - placeholder.GetPixelColor(0, 0).rgbRed);

    results = {ThumbnailResult::Made, ThumbnailResult::Unreadable};
    prompter.answer(kAnswerCancel);
    const int clearsBefore = images.clears;
    ASSERT_EQ(buildFilmThumbnails(work(), 0), FilmOutcome::Stopped);
    EXPECT_TRUE(images.images.empty());
    EXPECT_GT(images.clears, clearsBefore);
    // Nothing after the cancelled picture was shown.
    EXPECT_EQ(status.texts.back(), "made /src/p2.jpg");
}

TEST_F(FilmBuilderTest, aPictureThatCannotBeScaledIsNamedAndStopsTheBuild) {
    results = {ThumbnailResult::ScaleFailed};
    prompter.expect(
        "Picture '/src/p1.jpg' has cause an error. Try to remove it from folder and "
        "restart application",
        kPictureErrorCaption, Buttons::Ok, kAnswerOk);
    EXPECT_EQ(buildFilmThumbnails(work(), 0), FilmOutcome::Stopped);
    EXPECT_EQ(status.texts.size(), 2u);
}

TEST_F(FilmBuilderTest, aPolarityChangeRemakesOnlyThePicturesInNoAlbum) {
    ASSERT_EQ(buildFilmThumbnails(work(), 0), FilmOutcome::Done);
    status.texts.clear();
    pictures[1].albumId = 4;
    ASSERT_EQ(remakeUnassignedThumbnails(work(), 1, 2), FilmOutcome::Done);
    EXPECT_EQ(status.texts,
              (std::vector<std::string>{"Updating film. Picture: 1, of 2.", "made /src/p1.jpg",
                                        "Updating film. Picture: 2, of 2.", "made /src/p3.jpg"}));
    EXPECT_EQ(images.replaced, (std::vector<int32_t>{0, 2}));
    // The re-made thumbnails are negative; the album's picture keeps its own.
    EXPECT_EQ(redAt(0), 255 - 10);
    EXPECT_EQ(redAt(1), 20);
    EXPECT_EQ(redAt(2), 255 - 20);
    EXPECT_EQ(test::negativesByPath(pictures), (std::vector<int32_t>{1, 0, 1}));
}

TEST_F(FilmBuilderTest, anEditRemakesTheAlbumsNegativePicturesAndCountsEveryPicture) {
    ASSERT_EQ(buildFilmThumbnails(work(), 1), FilmOutcome::Done);
    status.texts.clear();
    pictures[0].albumId = 3;
    pictures[2].albumId = 3;
    pictures[2].isNegative = 0;
    ASSERT_EQ(remakeEditedAlbumThumbnails(work(), 3, 0, true), FilmOutcome::Done);
    EXPECT_EQ(status.texts,
              (std::vector<std::string>{"Updating film. Picture: 1, left 2.", "made /src/p1.jpg",
                                        "Updating film. Picture: 2, left 1.",
                                        "Updating film. Picture: 3, left 0."}));
    EXPECT_EQ(images.replaced, (std::vector<int32_t>{0}));
    EXPECT_EQ(redAt(0), 10);
    EXPECT_EQ(test::negativesByPath(pictures), (std::vector<int32_t>{0, 1, 0}));

    // Without a film image list the marks change and nothing is decoded.
    pictures[0].isNegative = 1;
    const int sourcesBefore = sources;
    ASSERT_EQ(remakeEditedAlbumThumbnails(work(), 3, 0, false), FilmOutcome::Done);
    EXPECT_EQ(sources, sourcesBefore);
    EXPECT_EQ(pictures[0].isNegative, 0);
}

TEST(FilmBuilderFiles, realPicturesAndADamagedOneThroughTheQueue) {
    test::TempDir dir;
    PictureList pictures;
    for (int i = 0; i < 5; ++i) {
        const std::string path = dir.writeFile(
            "p" + std::to_string(i) + ".jpg",
            i == 3
                ? std::vector<uint8_t>{0xFF, 0xD8, 0x00}
                : test::encodeJpeg(test::solidImage(320, 240, static_cast<uint8_t>(40 * i), 0, 0)));
        pictures.push_back(test::makePicture(path, 100u * (i + 1)));
    }
    RecordingImages images;
    ScriptedPrompter prompter;
    prompter.expect("Error while reading from disk\n" + pictures[3].path, kDiskErrorCaption,
                    Buttons::OkCancel, kAnswerOk);
    RecordingStatus status;
    const ThumbnailSourceFactory factory = queuedThumbnails(realFileSystem(), 2);
    ASSERT_EQ(buildFilmThumbnails(FilmWork{pictures, images, factory, prompter, status}, 0),
              FilmOutcome::Done);
    ASSERT_EQ(images.images.size(), 5u);
    for (int i : {0, 1, 2, 4}) {
        EXPECT_EQ(images.images[i].GetWidth(), 160);
        EXPECT_NEAR(images.images[i].GetPixelColor(5, 5).rgbRed, 40 * i, 3) << i;
    }
    EXPECT_EQ(images.images[3].GetPixelColor(0, 0),
              placeholderThumbnail(false).GetPixelColor(0, 0));
    // A 320 x 240 picture is decoded at a half, already 160 x 120: no resample text.
    EXPECT_EQ(status.texts.size(), 5u);
}

}  // namespace
}  // namespace lumora
