#include "duplicates/DuplicateRemoval.h"

#include <gtest/gtest.h>

#include "duplicates/DuplicateSearch.h"
#include "tests/duplicates/RecordingProgress.h"
#include "tests/duplicates/SignaturePictures.h"

namespace lumora {
namespace {

using test::signedPicture;

using Lines = std::vector<std::string>;

Lines pathsOf(const PictureList& pictures) {
    Lines paths;
    for (const PictureEntry& picture : pictures) paths.push_back(picture.path);
    return paths;
}

const SignatureValues kA = {0.5, 0.5};
const SignatureValues kB = {0.25, 0.75};

TEST(RemovePicturesWithPath, takesOutEveryExactMatchAndKeepsTheOrder) {
    PictureList pictures = {signedPicture("/s/a.jpg", {}, 100), signedPicture("/s/A.jpg", {}, 10),
                            signedPicture("/s/a.jpg", {}, 0x1'0000'0020ull),
                            signedPicture("/s/b.jpg", {}, 5)};
    PictureList removed = {signedPicture("/earlier.jpg", {})};
    float freedBytes = 1000.0f;
    EXPECT_EQ(removePicturesWithPath(pictures, "/s/a.jpg", removed, freedBytes), 2);
    EXPECT_EQ(pathsOf(pictures), (Lines{"/s/A.jpg", "/s/b.jpg"}));
    EXPECT_EQ(pathsOf(removed), (Lines{"/earlier.jpg", "/s/a.jpg", "/s/a.jpg"}));
    EXPECT_EQ(removed[0].isRemoved, 0);
    EXPECT_EQ(removed[1].isRemoved, 1);
    EXPECT_EQ(removed[2].isRemoved, 1);
    EXPECT_EQ(removed[2].fileSize, 0x1'0000'0020ull);
    // Only the low 32 bits of a size count.
    EXPECT_EQ(freedBytes, 1000.0f + 100.0f + 32.0f);

    for (const char* line : {"### Duplicate nr.1 ###", "/s/a.jp", "/S/A.JPG", ""}) {
        EXPECT_EQ(removePicturesWithPath(pictures, line, removed, freedBytes), 0) << line;
    }
    EXPECT_EQ(pictures.size(), 2u);
    EXPECT_EQ(removed.size(), 3u);
    PictureList empty;
    EXPECT_EQ(removePicturesWithPath(empty, "/s/A.jpg", removed, freedBytes), 0);
}

TEST(RemovePicturesWithPath, sizesAreSignedThirtyTwoBitNumbersAddedAsFloats) {
    PictureList pictures = {signedPicture("/x", {}, 0xFFFF'FFFFull),
                            signedPicture("/x", {}, 16777216), signedPicture("/x", {}, 1)};
    PictureList removed;
    float freedBytes = 0.0f;
    removePicturesWithPath(pictures, "/x", removed, freedBytes);
    // -1, then 2^24 - 1 + 1 rounds in single precision.
    EXPECT_EQ(freedBytes, 16777216.0f);
}

TEST(RemoveMarkedDuplicates, takesOutTheMarkedPicturesInOrder) {
    PictureList pictures = {signedPicture("/a1", kA, 1), signedPicture("/b1", kB, 2),
                            signedPicture("/a2", kA, 4), signedPicture("/b2", kB, 8),
                            signedPicture("/a3", kA, 16)};
    Lines lines;
    test::RecordingProgress progress;
    ASSERT_EQ(findDuplicates(pictures, lines, progress), 3);
    PictureList removed;
    float freedBytes = 0.0f;
    EXPECT_EQ(removeMarkedDuplicates(pictures, removed, freedBytes), 3);
    EXPECT_EQ(pathsOf(pictures), (Lines{"/a1", "/b1"}));
    EXPECT_EQ(pathsOf(removed), (Lines{"/a2", "/b2", "/a3"}));
    EXPECT_EQ(freedBytes, 28.0f);
    for (const PictureEntry& picture : removed) EXPECT_EQ(picture.isRemoved, 1);
    for (const PictureEntry& picture : pictures) EXPECT_EQ(picture.isRemoved, 0);
    EXPECT_EQ(removeMarkedDuplicates(pictures, removed, freedBytes), 0);
}

TEST(RemovePicturesWithPath, comparingAgainRegroupsTheRestUnderTheNextPicture) {
    PictureList pictures = {signedPicture("/a1", kA), signedPicture("/b1", kB),
                            signedPicture("/a2", kA), signedPicture("/a3", kA),
                            signedPicture("/b2", kB)};
    Lines lines;
    test::RecordingProgress progress;
    ASSERT_EQ(findDuplicates(pictures, lines, progress), 3);
    PictureList removed;
    float freedBytes = 0.0f;
    ASSERT_EQ(removePicturesWithPath(pictures, "/a1", removed, freedBytes), 1);
    EXPECT_EQ(findDuplicates(pictures, lines, progress), 2);
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", "/b1", "/b2", "### Duplicate nr.2 ###", "/a2",
                            "/a3"}));
    EXPECT_EQ(test::duplicateMarks(pictures), (std::vector<int32_t>{0, 0, 1, 1}));
}

TEST(RecountAlbums, recomputesCountsAndSizesFromThePictures) {
    AlbumList albums(3);
    albums[0].id = 1;
    albums[1].id = 2;
    albums[2].id = 3;
    for (Album& album : albums) {
        album.pictureCount = 99;
        album.sizeMB = 99.0f;
    }
    PictureList pictures = {signedPicture("/1", {}, 1u << 20), signedPicture("/2", {}, 1u << 19),
                            signedPicture("/3", {}, 3u << 20), signedPicture("/4", {}, 1u << 20),
                            signedPicture("/5", {}, 0x1'0001'0000ull)};
    pictures[0].albumId = 1;
    pictures[1].albumId = 1;
    pictures[2].albumId = 2;
    pictures[3].albumId = -1;  // pending edit: no album
    pictures[4].albumId = 1;
    recountAlbums(albums, pictures);
    recountAlbums(albums, pictures);  // a second opening changes nothing
    EXPECT_EQ(albums[0].pictureCount, 3);
    EXPECT_EQ(albums[0].sizeMB, 1.5f + 1.0f / 16);
    EXPECT_EQ(albums[1].pictureCount, 1);
    EXPECT_EQ(albums[1].sizeMB, 3.0f);
    EXPECT_EQ(albums[2].pictureCount, 0);
    EXPECT_EQ(albums[2].sizeMB, 0.0f);

    // The first of two albums with one id takes the pictures.
    albums[2].id = 1;
    recountAlbums(albums, pictures);
    EXPECT_EQ(albums[0].pictureCount, 3);
    EXPECT_EQ(albums[2].pictureCount, 0);
}

TEST(PicturesAnalysed, looksAtTheFirstPictureOnly) {
    EXPECT_FALSE(picturesAnalysed({}));
    EXPECT_EQ(openingStatusText({}), "Pictures not analized.Please analize first, then compare");
    EXPECT_FALSE(picturesAnalysed({signedPicture("/a", {}), signedPicture("/b", kA)}));
    EXPECT_TRUE(picturesAnalysed({signedPicture("/a", kA), signedPicture("/b", {})}));
    EXPECT_EQ(openingStatusText({signedPicture("/a", kA)}),
              "Pictures are analized. You may compare them.");
}

}  // namespace
}  // namespace lumora
