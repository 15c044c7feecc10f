#include "albums/PictureIds.h"

#include <gtest/gtest.h>

#include "albums/PictureSort.h"
#include "tests/albums/TestPictures.h"

namespace lumora {
namespace {

TEST(PictureIds, firstNumberingIsThePositionAndStaysThroughLaterOnes) {
    PictureList list = test::picturesAt({300, 100, 200});
    assignPictureIds(list);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(list[i].exif->pictureId, i);
        EXPECT_EQ(list[i].exif->thumbnailIndex, i);
    }
    // After a sort the next numbering moves the thumbnail places, not the ids.
    sortPictures(list, kSortByDate, false);
    assignPictureIds(list);
    EXPECT_EQ(list[0].path, "/src/p2.jpg");
    EXPECT_EQ(list[0].exif->pictureId, 1);
    EXPECT_EQ(list[0].exif->thumbnailIndex, 0);
    EXPECT_EQ(list[2].exif->pictureId, 0);
    EXPECT_EQ(list[2].exif->thumbnailIndex, 2);
}

}  // namespace
}  // namespace lumora
