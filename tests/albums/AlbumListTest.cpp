#include "albums/AlbumList.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

AlbumList albumsWithIds(std::initializer_list<int32_t> ids) {
    AlbumList albums;
    for (int32_t id : ids) {
        Album album;
        album.id = id;
        albums.push_back(album);
    }
    return albums;
}

TEST(AlbumList, newAlbumHasTheValuesOfACreatedAlbum) {
    AlbumList albums;
    const Album& album = appendNewAlbum(albums);
    EXPECT_EQ(album.id, 1);
    EXPECT_EQ(album.directoryName, "");
    EXPECT_EQ(album.name, "");
    EXPECT_EQ(album.createSubDirectory, 1);
    EXPECT_EQ(album.keepOriginalName, 0);
    EXPECT_EQ(album.addDate, 1);
    EXPECT_EQ(album.addTime, 1);
    EXPECT_EQ(album.addCameraModel, 0);
    EXPECT_EQ(album.pictureCount, 0);
    EXPECT_EQ(album.unsaved, 1);
    EXPECT_EQ(album.startKey, 0u);
    EXPECT_EQ(album.endKey, 0u);
    EXPECT_EQ(album.processed, 0);
    EXPECT_EQ(album.sizeMB, 0.0f);
    EXPECT_EQ(album.filter.cameraMake, "All");
    EXPECT_EQ(album.filter.cameraModel, "");
    EXPECT_EQ(album.filter.liveUpdate, 1);
    EXPECT_EQ(album.filter.flashUsed, -1);
}

TEST(AlbumList, idFollowsTheLastAlbum) {
    AlbumList albums = albumsWithIds({1, 2, 5});
    EXPECT_EQ(appendNewAlbum(albums).id, 6);

    // Deleting the last album frees its id again.
    ASSERT_TRUE(removeAlbum(albums, 6));
    EXPECT_EQ(appendNewAlbum(albums).id, 6);

    // Deleting another one does not: the id comes from the last album.
    ASSERT_TRUE(removeAlbum(albums, 2));
    EXPECT_EQ(appendNewAlbum(albums).id, 7);
}

TEST(AlbumList, noIdFollowsTheLargestOne) {
    EXPECT_EQ(nextAlbumId(albumsWithIds({3, INT32_MAX - 1})), INT32_MAX);
    EXPECT_EQ(nextAlbumId(albumsWithIds({3, INT32_MAX})), 0);
    EXPECT_EQ(nextAlbumId(albumsWithIds({-7})), 0);
    EXPECT_EQ(nextAlbumId(albumsWithIds({})), 1);
}

TEST(AlbumList, removingClosesTheGapAndKeepsTheOrder) {
    AlbumList albums = albumsWithIds({1, 2, 5, 6});
    EXPECT_TRUE(removeAlbum(albums, 2));
    EXPECT_FALSE(removeAlbum(albums, 2));
    ASSERT_EQ(albums.size(), 3u);
    EXPECT_EQ(albums[0].id, 1);
    EXPECT_EQ(albums[1].id, 5);
    EXPECT_EQ(albums[2].id, 6);
}

TEST(AlbumList, findsByIdOrGivesNull) {
    AlbumList albums = albumsWithIds({3, 4});
    ASSERT_NE(findAlbum(albums, 4), nullptr);
    EXPECT_EQ(findAlbum(albums, 4), &albums[1]);
    EXPECT_EQ(findAlbum(albums, 0), nullptr);
    EXPECT_EQ(findAlbum(albums, -1), nullptr);
}

}  // namespace
}  // namespace lumora
