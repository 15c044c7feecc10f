#include "albums/PictureSort.h"

#include <gtest/gtest.h>

#include "tests/albums/TestPictures.h"

namespace lumora {
namespace {

using test::makePicture;
using test::paths;
using Paths = std::vector<std::string>;

TEST(PictureSort, nameIgnoresLetterCase) {
    PictureList list = {makePicture("/d/Bird.jpg", 1), makePicture("/d/apple.jpg", 2),
                        makePicture("/d/CAT.jpg", 3)};
    sortPictures(list, kSortByName, false);
    EXPECT_EQ(paths(list), (Paths{"/d/apple.jpg", "/d/Bird.jpg", "/d/CAT.jpg"}));
    sortPictures(list, kSortByName, true);
    EXPECT_EQ(paths(list), (Paths{"/d/CAT.jpg", "/d/Bird.jpg", "/d/apple.jpg"}));
}

TEST(PictureSort, lettersCompareAsLowerCaseAgainstPunctuation) {
    // '_' lies between the upper- and lower-case letters: against lower case
    // it sorts first.
    PictureList list = {makePicture("/d/B.jpg", 1), makePicture("/d/_.jpg", 2)};
    sortPictures(list, kSortByName, false);
    EXPECT_EQ(paths(list), (Paths{"/d/_.jpg", "/d/B.jpg"}));
}

TEST(PictureSort, dateAndSizeInBothDirections) {
    PictureList list = {makePicture("/d/a.jpg", 30, 1), makePicture("/d/b.jpg", 10, 3),
                        makePicture("/d/c.jpg", 20, 2)};
    sortPictures(list, kSortByDate, false);
    EXPECT_EQ(paths(list), (Paths{"/d/b.jpg", "/d/c.jpg", "/d/a.jpg"}));
    sortPictures(list, kSortByDate, true);
    EXPECT_EQ(paths(list), (Paths{"/d/a.jpg", "/d/c.jpg", "/d/b.jpg"}));
    sortPictures(list, kSortBySize, false);
    EXPECT_EQ(paths(list), (Paths{"/d/a.jpg", "/d/c.jpg", "/d/b.jpg"}));
    sortPictures(list, kSortBySize, true);
    EXPECT_EQ(paths(list), (Paths{"/d/b.jpg", "/d/c.jpg", "/d/a.jpg"}));
}

TEST(PictureSort, datesCompareAsUnsignedNumbers) {
    PictureList list = {makePicture("/d/late.jpg", UINT64_MAX), makePicture("/d/early.jpg", 1)};
    sortPictures(list, kSortByDate, false);
    EXPECT_EQ(paths(list), (Paths{"/d/early.jpg", "/d/late.jpg"}));
}

TEST(PictureSort, equalValuesAreOrderedByPathBytesInEveryDirection) {
    // Burst shots taken in the same second, of the same size.
    const Paths expected = {"/d/A.jpg", "/d/a.jpg", "/d/b.jpg", "/d/c.jpg"};
    for (int key : {kSortByDate, kSortBySize}) {
        for (bool descending : {false, true}) {
            PictureList list = {makePicture("/d/c.jpg", 7, 5), makePicture("/d/a.jpg", 7, 5),
                                makePicture("/d/b.jpg", 7, 5), makePicture("/d/A.jpg", 7, 5)};
            sortPictures(list, key, descending);
            EXPECT_EQ(paths(list), expected) << key << " " << descending;
        }
    }
    // Names equal but for letter case.
    for (bool descending : {false, true}) {
        PictureList list = {makePicture("/d/a.jpg", 0), makePicture("/d/A.jpg", 0)};
        sortPictures(list, kSortByName, descending);
        EXPECT_EQ(paths(list), (Paths{"/d/A.jpg", "/d/a.jpg"})) << descending;
    }
}

TEST(PictureSort, unknownKeyLeavesTheList) {
    PictureList list = {makePicture("/d/b.jpg", 2), makePicture("/d/a.jpg", 1)};
    for (int key : {0, 4, -1}) {
        EXPECT_TRUE(sortPictures(list, key, false));
        EXPECT_EQ(paths(list), (Paths{"/d/b.jpg", "/d/a.jpg"}));
    }
}

}  // namespace
}  // namespace lumora
