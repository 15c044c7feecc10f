#include "albums/EditAlbumText.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

Album albumNamed(const char* name, uint64_t startKey, uint64_t endKey) {
    Album album;
    album.name = name;
    album.startKey = album.startTime = startKey;
    album.endKey = album.endTime = endKey;
    return album;
}

TEST(EditAlbumText, headerCountsTheFilmLessItsExclusions) {
    const Album album = albumNamed("Holiday", 10, 20);
    struct Case {
        bool editMode;
        int film;
        int excluded;
        const char* expected;
    };
    const Case cases[] = {
        {true, 5, 2, "Album Holiday:  3 pictures in album."},
        {true, 3, 2, "Album Holiday:  1 picture in album."},
        {true, 3, 3, "Album Holiday: Pictures in album: None."},
        {true, 0, 0, "Album Holiday: Pictures in album: None."},
        {false, 2, 1, "New Album:  1 picture in album."},
        {false, 9, 0, "New Album:  9 pictures in album."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(albumHeaderLine(album, c.editMode, c.film, c.excluded), c.expected);
    }
}

TEST(EditAlbumText, headerSaysWhichDatesAreMissing) {
    EXPECT_EQ(albumHeaderLine(albumNamed("A", 0, 0), false, 4, 0),
              "New Album: Start and end date not set");
    EXPECT_EQ(albumHeaderLine(albumNamed("A", 0, 5), true, 4, 0), "Album A: Start date not set");
    EXPECT_EQ(albumHeaderLine(albumNamed("A", 5, 0), true, 4, 0), "Album A: End date not set");
}

TEST(EditAlbumText, sizeAndSortLines) {
    Album album;
    album.sizeMB = 3.14159f;
    EXPECT_EQ(albumSizeLine(album), "3.14MB");
    album.sizeMB = 0.0f;
    EXPECT_EQ(albumSizeLine(album), "0.00MB");

    ViewOptions options;
    EXPECT_EQ(sortLine(options, 12), "Sorted ascendent by date. Show 12 pic.");
    options.sortAscending = 0;
    options.sortByDate = 0;
    EXPECT_EQ(sortLine(options, 1), "Sorted descendent by name. Show 1 pic.");
}

TEST(EditAlbumText, overallStatusInItsThreeForms) {
    EXPECT_EQ(overallStatusLine(0, 0, 0),
              "Albums: none None. Remaining to add: None from a total of None. ");
    EXPECT_EQ(overallStatusLine(1, 1, 2),
              "1 Album containing:  1 picture. Remaining to add: 1 picture from a total of 2 "
              "pictures. ");
    EXPECT_EQ(overallStatusLine(3, 7, 7),
              "Total of 3 Albums containing:  7 pictures. Remaining to add: None from a total "
              "of 7 pictures. ");
    EXPECT_EQ(overallStatusLine(2, 0, 1),
              "Total of 2 Albums containing:  None. Remaining to add: 1 picture from a total of "
              "1 picture. ");
}

TEST(EditAlbumText, totalSizeIsASinglePrecisionSum) {
    AlbumList albums(3);
    albums[0].sizeMB = 16777216.0f;  // 2^24: adding 1 to it is lost in 32 bits
    albums[1].sizeMB = 1.0f;
    albums[2].sizeMB = 1.0f;
    EXPECT_EQ(totalAlbumsSize(albums), 16777216.0f);
    EXPECT_EQ(totalSizeLine(AlbumList{}), "Total albums size: 0.00MB");
    albums.resize(2);
    albums[0].sizeMB = 1.5f;
    albums[1].sizeMB = 2.25f;
    EXPECT_EQ(totalSizeLine(albums), "Total albums size: 3.75MB");
}

}  // namespace
}  // namespace lumora
