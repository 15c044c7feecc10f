#include "albums/ThumbnailQueue.h"
#include "tests/imaging/TestImages.h"
#include "tests/support/TempDir.h"

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

// Pictures of every kind: sizes that need both sides, one side or nothing
// changed, JPEGs, and files that cannot be read.
std::vector<PictureEntry> mixedPictures(const test::TempDir& dir) {
    std::vector<PictureEntry> pictures;
    auto add = [&](const std::string& path) {
        PictureEntry picture;
        picture.path = path;
        picture.exif = std::make_shared<ExifInfo>();
        pictures.push_back(picture);
    };
    const int sizes[][2] = {{160, 100}, {200, 150}, {160, 120}, {90, 120}, {321, 77}};
    for (int i = 0; i < 15; ++i) {
        const auto* size = sizes[i % 5];
        const std::string name = "p" + std::to_string(i);
        if (i % 4 == 3) {
            add(dir.writeFile(name + ".jpg",
                              test::encodeJpeg(test::coordinateImage(size[0] * 3, size[1] * 3,
                                                                     static_cast<uint8_t>(i)))));
        } else {
            add(dir.writeFile(name + ".bmp", bmpBytes(test::coordinateImage(
                                                 size[0], size[1], static_cast<uint8_t>(i)))));
        }
    }
    add(dir.file("missing.jpg"));
    add(dir.writeFile("broken.jpg", std::string("\xFF\xD8\xFF")));
    return pictures;
}

struct Made {
    ThumbnailResult result;
    std::vector<uint8_t> dib;
};

TEST(ThumbnailQueue, givesTheSameThumbnailsTextsAndOrderAsMakingThemOneByOne) {
    test::TempDir dir;
    const std::vector<PictureEntry> pictures = mixedPictures(dir);
    const ThumbnailOptions options{true, ThumbnailScaling::Resample, ResampleNotice::EveryResample};

    std::vector<Made> expected;
    RecordingStatus expectedStatus;
    for (const PictureEntry& picture : pictures) {
        Image thumbnail;
        const ThumbnailResult result =
            makeThumbnail(realFileSystem(), picture, options, expectedStatus, thumbnail);
        expected.push_back(
            {result, {thumbnail.GetDib(), thumbnail.GetDib() + thumbnail.GetDibSize()}});
    }
    ASSERT_EQ(expected.back().result, ThumbnailResult::Unreadable);
    ASSERT_FALSE(expectedStatus.texts.empty());

    const struct {
        int workers;
        size_t window;
    } setups[] = {{0, 16}, {1, 1}, {2, 1}, {2, 3}, {3, 16}, {8, 2}};
    for (const auto& setup : setups) {
        ThumbnailQueue queue(realFileSystem(), pictures, options, setup.workers, setup.window);
        ASSERT_EQ(queue.size(), pictures.size());
        RecordingStatus status;
        for (size_t i = 0; i < pictures.size(); ++i) {
            ThumbnailResult result{};
            Image thumbnail;
            ASSERT_TRUE(queue.next(result, thumbnail, status));
            EXPECT_EQ(result, expected[i].result) << setup.workers << " workers, picture " << i;
            const std::vector<uint8_t> dib(thumbnail.GetDib(),
                                           thumbnail.GetDib() + thumbnail.GetDibSize());
            EXPECT_EQ(dib, expected[i].dib) << setup.workers << " workers, picture " << i;
        }
        EXPECT_EQ(status.texts, expectedStatus.texts) << setup.workers << " workers";
        ThumbnailResult result{};
        Image thumbnail;
        EXPECT_FALSE(queue.next(result, thumbnail, status));
    }
}

TEST(ThumbnailQueue, canBeDroppedBeforeEveryPictureIsTaken) {
    test::TempDir dir;
    const std::vector<PictureEntry> pictures = mixedPictures(dir);
    for (int taken = 0; taken < 3; ++taken) {
        ThumbnailQueue queue(realFileSystem(), pictures, ThumbnailOptions{}, 2, 2);
        for (int i = 0; i < taken; ++i) {
            ThumbnailResult result{};
            Image thumbnail;
            ASSERT_TRUE(queue.next(result, thumbnail, nullProgress()));
            EXPECT_EQ(result, ThumbnailResult::Made);
        }
    }
}

}  // namespace
}  // namespace lumora
