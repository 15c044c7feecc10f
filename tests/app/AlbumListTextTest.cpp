#include "app/AlbumListText.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

Album album(const char* name, int pictures, float size) {
    Album result;
    result.name = name;
    result.pictureCount = pictures;
    result.sizeMB = size;
    return result;
}

TEST(AlbumListText, linesAreNumberedFromOne) {
    const AlbumList albums = {album("Spring", 1, 1), album("", 0, 0), album("Summer", 2, 2)};
    EXPECT_EQ(albumListLines(albums), (std::vector<std::string>{"1. Spring", "2. ", "3. Summer"}));
    EXPECT_TRUE(albumListLines(AlbumList{}).empty());
}

TEST(AlbumListText, summaryInEachOfItsForms) {
    EXPECT_EQ(albumSummaryText(AlbumList{}, 10), "Albums created: None");
    EXPECT_EQ(albumSummaryText({album("A", 1, 2.5f)}, 10),
              "1 album created. Pictures in albums 1 of 10. Still to add 9. Size 2.50MB");
    EXPECT_EQ(albumSummaryText({album("A", 4, 1.25f), album("B", 6, 2.5f)}, 10),
              "2 albums created. Pictures in albums 10 of 10. All pictures are in albums. Size "
              "3.75MB");
    EXPECT_EQ(albumSummaryText({album("A", 0, 0)}, 0),
              "1 album created. Pictures in albums 0 of 0. All pictures are in albums. Size "
              "0.00MB");
}

TEST(AlbumListText, sizesAreSummedInSinglePrecision) {
    // Ten thousand albums of 0.1 MB: a double sum shows 1000.00, the 32-bit
    // sum drifts to 999.90.
    AlbumList albums;
    for (int i = 0; i < 10000; ++i) albums.push_back(album("x", 0, 0.1f));
    const std::string text = albumSummaryText(albums, 0);
    EXPECT_EQ(text.substr(text.rfind(' ') + 1), "999.90MB");
}

}  // namespace
}  // namespace lumora
