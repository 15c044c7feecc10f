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

TEST(PictureSort, folderSeparatorComparesAsABackslash) {
    // Between '.' (0x2E) and '_' (0x5F) the separator takes the place of the
    // backslash (0x5C), so digits, '@' and '[' come before it and letters after,
    // whatever byte the platform separates folders with.
    const Paths expected = {"/p/Trip.x/e.jpg", "/p/Trip2/b.jpg", "/p/Trip@/c.jpg", "/p/Trip[/d.jpg",
                            "/p/Trip/a.jpg",   "/p/Trip_/f.jpg", "/p/TripA/g.jpg"};
    PictureList list;
    for (auto it = expected.rbegin(); it != expected.rend(); ++it)
        list.push_back(makePicture(*it, 0));
    sortPictures(list, kSortByName, false);
    EXPECT_EQ(paths(list), expected);
    sortPictures(list, kSortByName, true);
    EXPECT_EQ(paths(list), (Paths(expected.rbegin(), expected.rend())));

    EXPECT_LT(compareNamesIgnoringCase("/p/Trip2/b.jpg", "/p/Trip/a.jpg"), 0);
    EXPECT_GT(compareNamesIgnoringCase("/p/trip/a.jpg", "/p/Trip@/c.jpg"), 0);
    EXPECT_LT(compareNamesIgnoringCase("/p/Trip/a.jpg", "/p/tripa/g.jpg"), 0);
}

TEST(PictureSort, tiesOrderFoldersAsWithABackslashToo) {
    // Burst shots of one second in the folders "Trip" and "Trip2".
    for (int key : {kSortByDate, kSortBySize}) {
        for (bool descending : {false, true}) {
            PictureList list = {makePicture("/p/Trip/a.jpg", 5, 9),
                                makePicture("/p/Trip2/a.jpg", 5, 9)};
            sortPictures(list, key, descending);
            EXPECT_EQ(paths(list), (Paths{"/p/Trip2/a.jpg", "/p/Trip/a.jpg"}))
                << key << " " << descending;
        }
    }
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
