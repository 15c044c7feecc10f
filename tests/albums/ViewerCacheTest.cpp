#include "albums/ViewerCache.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/albums/TestPictures.h"
#include "tests/imaging/TestImages.h"

namespace lumora {
namespace {

// Film pictures /src/p1.jpg ... /src/pN.jpg; picture pK decodes to a picture
// K pixels wide, so the width tells which picture is shown. Files named in
// `broken` cannot be decoded.
class ViewerCacheTest : public ::testing::Test {
  protected:
    ViewerCacheTest()
        : film(test::picturesAt({10, 20, 30, 40, 50})),
          cache([this](const PictureEntry& picture) { return decode(picture.path); }) {}

    Image decode(const std::string& path) {
        decoded.push_back(path);
        if (broken.count(path) != 0) return Image();
        const int number = std::stoi(path.substr(path.find('p', 1) + 1));
        return test::solidImage(number, 1, 0, 0, 0);
    }

    // The number of the picture, 0 for none.
    static int number(const Image* picture) { return picture ? picture->GetWidth() : 0; }

    std::vector<std::string> takeDecoded() {
        std::vector<std::string> result;
        result.swap(decoded);
        return result;
    }

    static std::string path(int number) { return "/src/p" + std::to_string(number) + ".jpg"; }

    FilmList film;
    std::vector<std::string> decoded;
    std::set<std::string> broken;
    ViewerCache cache;
};

TEST_F(ViewerCacheTest, openingDecodesThePictureThenPreloadsOnlyTheNeighboursThatExist) {
    EXPECT_EQ(number(cache.open(film, 0)), 1);
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), (std::vector<std::string>{path(1), path(2)}));
    EXPECT_EQ(number(cache.nextPicture()), 2);
    EXPECT_FALSE(cache.hasPrevious());

    EXPECT_EQ(number(cache.open(film, 4)), 5);
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), (std::vector<std::string>{path(5), path(4)}));
    EXPECT_FALSE(cache.hasNext());
    EXPECT_EQ(number(cache.previousPicture()), 4);
    EXPECT_EQ(cache.index(), 4);

    // Opening again on a picture already cached decodes it afresh.
    EXPECT_EQ(number(cache.open(film, 3)), 4);
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), (std::vector<std::string>{path(4), path(5), path(3)}));
}

TEST_F(ViewerCacheTest, singleStepsForwardUseTheCacheAndPreloadTheNewNeighbour) {
    cache.open(film, 1);
    cache.preload(film);
    takeDecoded();

    ViewerCache::Move move = cache.follow(film, 2);
    EXPECT_TRUE(move.moved);
    EXPECT_EQ(number(move.picture), 3);
    EXPECT_TRUE(takeDecoded().empty());
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(4)});
    EXPECT_EQ(number(cache.previousPicture()), 2);

    move = cache.follow(film, 3);
    EXPECT_EQ(number(move.picture), 4);
    EXPECT_TRUE(takeDecoded().empty());
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(5)});

    // To the last picture: nothing left to preload after it.
    EXPECT_EQ(number(cache.follow(film, 4).picture), 5);
    cache.preload(film);
    EXPECT_TRUE(takeDecoded().empty());
    EXPECT_FALSE(cache.hasNext());
}

TEST_F(ViewerCacheTest, singleStepsBackUseTheCacheAndKeepTheShownPictureAsTheNext) {
    cache.open(film, 3);
    cache.preload(film);
    takeDecoded();

    EXPECT_EQ(number(cache.follow(film, 2).picture), 3);
    EXPECT_TRUE(takeDecoded().empty());
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(2)});
    EXPECT_EQ(number(cache.nextPicture()), 4);

    // Forward again: the picture shown at opening is still at hand; the
    // neighbour on the far side was dropped and is decoded anew.
    EXPECT_EQ(number(cache.follow(film, 3).picture), 4);
    EXPECT_TRUE(takeDecoded().empty());
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(5)});

    EXPECT_EQ(number(cache.follow(film, 2).picture), 3);
    cache.preload(film);
    EXPECT_EQ(number(cache.follow(film, 1).picture), 2);
    cache.preload(film);
    EXPECT_EQ(number(cache.follow(film, 0).picture), 1);
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), (std::vector<std::string>{path(2), path(1)}));
    EXPECT_FALSE(cache.hasPrevious());
    EXPECT_EQ(number(cache.nextPicture()), 2);
}

TEST_F(ViewerCacheTest, aJumpDecodesAfreshAndTheSamePositionDoesNothing) {
    cache.open(film, 0);
    cache.preload(film);
    takeDecoded();

    ViewerCache::Move move = cache.follow(film, 0);
    EXPECT_FALSE(move.moved);
    EXPECT_EQ(move.picture, nullptr);
    EXPECT_TRUE(takeDecoded().empty());

    move = cache.follow(film, 2);
    EXPECT_TRUE(move.moved);
    EXPECT_EQ(number(move.picture), 3);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(3)});
    // The old neighbours were dropped: both new ones are decoded.
    EXPECT_FALSE(cache.hasNext());
    EXPECT_FALSE(cache.hasPrevious());
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), (std::vector<std::string>{path(4), path(2)}));

    // Outside the film nothing happens.
    EXPECT_FALSE(cache.follow(film, 5).moved);
    EXPECT_FALSE(cache.follow(film, -1).moved);
    EXPECT_EQ(cache.index(), 2);
    EXPECT_EQ(cache.open(film, 7), nullptr);
    EXPECT_EQ(cache.index(), 2);
    EXPECT_TRUE(takeDecoded().empty());
}

TEST_F(ViewerCacheTest, anUndecodablePictureIsNotShownButTheIndexMovesOn) {
    broken.insert(path(3));
    EXPECT_EQ(cache.open(film, 2), nullptr);
    EXPECT_EQ(cache.index(), 2);

    cache.open(film, 1);
    cache.preload(film);
    takeDecoded();
    const ViewerCache::Move move = cache.follow(film, 2);
    EXPECT_TRUE(move.moved);
    EXPECT_EQ(move.picture, nullptr);
    EXPECT_EQ(cache.index(), 2);
    // The failed picture is not decoded again for a step back onto it.
    cache.preload(film);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(4)});
    EXPECT_EQ(number(cache.follow(film, 1).picture), 2);
    EXPECT_EQ(cache.follow(film, 2).picture, nullptr);
    EXPECT_TRUE(takeDecoded().empty());
}

TEST_F(ViewerCacheTest, aNeighbourCachedBeforeTheFilmChangedIsNotShown) {
    cache.open(film, 1);
    cache.preload(film);
    takeDecoded();
    // The film rebuilt in the other order: the cached p1 is no longer the
    // picture before, p5 is.
    FilmList reversed(film.rbegin(), film.rend());
    EXPECT_EQ(number(cache.follow(reversed, 0).picture), 5);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(5)});
    cache.preload(reversed);
    EXPECT_EQ(takeDecoded(), std::vector<std::string>{path(4)});

    // Position 2 still holds p3 in the new order: that neighbour is used.
    cache.open(film, 1);
    cache.preload(film);
    takeDecoded();
    EXPECT_EQ(number(cache.follow(reversed, 2).picture), 3);
    EXPECT_TRUE(takeDecoded().empty());
    // The picture shown before, p2, is not the one before p3 now.
    cache.preload(reversed);
    EXPECT_EQ(takeDecoded(), (std::vector<std::string>{path(2), path(4)}));
}

}  // namespace
}  // namespace lumora
