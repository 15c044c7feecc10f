#include "cli/Commands.h"
#include "imaging/Image.h"
#include "res/BitmapIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lumora::cli {
namespace {

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

Image decoded(const std::string& path) {
    const auto bytes = readBytes(path);
    return Image(bytes.data(), bytes.size(), kFormatBmp);
}

std::vector<uint8_t> encoded(Image& image) {
    std::unique_ptr<uint8_t[]> buffer;
    size_t size = 0;
    EXPECT_TRUE(image.Encode(buffer, size, kFormatBmp));
    return std::vector<uint8_t>(buffer.get(), buffer.get() + size);
}

test::PictureSpec dated(uint32_t seed, bool withThumbnail) {
    test::PictureSpec spec;
    spec.dateTimeOriginal = "2004:05:06 07:08:09";
    spec.withThumbnail = withThumbnail;
    spec.seed = seed;
    return spec;
}

TEST(ThumbnailsCommand, writesOneBitmapPerPictureAtItsPlaceBelowTheSource) {
    test::TempDir dir;
    dir.writeFile("source/a/IMG_0001.JPG", test::exifPicture(dated(1, true)));
    dir.writeFile("source/b/IMG_0001.JPG", test::exifPicture(dated(2, false)));
    dir.writeFile("source/top.jpg", test::exifPicture(dated(3, true)));
    const std::string out = dir.file("out/thumbs");
    ASSERT_EQ(runThumbnails({dir.file("source"), out}), kExitSuccess);

    // Equal names in two folders stay apart, and each is the film's thumbnail.
    for (const char* name : {"a/IMG_0001.JPG", "b/IMG_0001.JPG", "top.jpg"}) {
        const std::string written = out + "/" + name + ".bmp";
        Image thumbnail = decoded(written);
        ASSERT_TRUE(thumbnail.IsValid()) << written;
        EXPECT_EQ(thumbnail.GetWidth(), 160);
        EXPECT_EQ(thumbnail.GetHeight(), 120);

        const std::string single = dir.file("single.bmp");
        ASSERT_EQ(runThumbnail({dir.file(std::string("source/") + name), single}), kExitSuccess);
        EXPECT_EQ(readBytes(written), readBytes(single)) << name;
    }
    EXPECT_NE(readBytes(out + "/a/IMG_0001.JPG.bmp"), readBytes(out + "/b/IMG_0001.JPG.bmp"));
}

TEST(ThumbnailsCommand, negativeThumbnailsAreTheInvertedPositives) {
    test::TempDir dir;
    const std::string picture = dir.writeFile("p.jpg", test::exifPicture(dated(5, true)));
    ASSERT_EQ(runThumbnail({picture, dir.file("positive.bmp")}), kExitSuccess);
    ASSERT_EQ(runThumbnail({picture, dir.file("negative.bmp"), "--negative"}), kExitSuccess);
    Image positive = decoded(dir.file("positive.bmp"));
    ASSERT_TRUE(positive.Negative());
    EXPECT_EQ(encoded(positive), readBytes(dir.file("negative.bmp")));
}

TEST(ThumbnailsCommand, anUnreadablePictureGetsThePlaceholderAndFails) {
    test::TempDir dir;
    // The scan reads only the header sections, so it still lists the picture.
    auto damaged = test::exifPicture(dated(7, false));
    damaged.resize(damaged.size() - 40);
    dir.writeFile("source/broken.jpg", damaged);
    EXPECT_EQ(runThumbnails({dir.file("source"), dir.file("out")}), kExitFailure);
    Image placeholder;
    ASSERT_TRUE(placeholder.LoadResource(res::kBitmapFilmPlaceholder, kFormatBmp));
    EXPECT_EQ(readBytes(dir.file("out/broken.jpg.bmp")), encoded(placeholder));

    EXPECT_EQ(runThumbnail({dir.file("source/broken.jpg"), dir.file("x.bmp")}), kExitFailure);
}

TEST(ThumbnailsCommand, neverWritesOverAPictureItReads) {
    test::TempDir dir;
    const std::vector<uint8_t> bytes = test::exifPicture(dated(1, true));
    const std::string picture = dir.writeFile("source/a.jpg", bytes);
    dir.writeFile("source/sub/b.jpg", test::exifPicture(dated(2, true)));
    std::error_code linked;
    std::filesystem::create_hard_link(picture, dir.file("second name.jpg"), linked);
    ASSERT_FALSE(linked) << linked.message();
    dir.makeSymlink(picture, "link.jpg");

    // The picture under its own name, another spelling, a second name or a link.
    for (const std::string& target : {picture, dir.file("source/sub/../a.jpg"),
                                      dir.file("second name.jpg"), dir.file("link.jpg")}) {
        EXPECT_EQ(runThumbnail({picture, target}), kExitFailure) << target;
    }

    // An output folder that is the source or lies in it, whether it exists or not.
    for (const std::string& out :
         {dir.file("source"), dir.file("source/"), dir.file("source/sub"),
          dir.file("source/thumbs/new"), dir.file("source/sub/../thumbs")}) {
        EXPECT_EQ(runThumbnails({dir.file("source"), out}), kExitFailure) << out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("source/thumbs")));

    // An output name already there as a link to a picture: nothing is written.
    dir.makeSymlink(picture, "out/a.jpg.bmp");
    EXPECT_EQ(runThumbnails({dir.file("source"), dir.file("out")}), kExitFailure);
    EXPECT_FALSE(std::filesystem::exists(dir.file("out/sub")));

    EXPECT_EQ(readBytes(picture), bytes);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.file("source"))) {
        EXPECT_NE(entry.path().extension(), ".bmp") << entry.path();
    }
}

TEST(ThumbnailsCommand, wrongArgumentsAreUsageErrors) {
    EXPECT_EQ(runThumbnail({}), kExitUsage);
    EXPECT_EQ(runThumbnail({"a.jpg"}), kExitUsage);
    EXPECT_EQ(runThumbnail({"a.jpg", "b.bmp", "--sideways"}), kExitUsage);
    EXPECT_EQ(runThumbnails({"dir"}), kExitUsage);
    EXPECT_EQ(runThumbnails({"dir", "out", "--workers", "many"}), kExitUsage);
    EXPECT_EQ(runThumbnails({"/no/such/folder", "out"}), kExitFailure);
}

}  // namespace
}  // namespace lumora::cli
