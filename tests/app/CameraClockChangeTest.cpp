// Putting camera clock corrections in force over the work: the film's
// order, and albums that would lose pictures.
#include "app/CameraClockChange.h"

#include <gtest/gtest.h>

#include <cstring>

#include "catalog/DateTimeValue.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using test::ScriptedPrompter;

const CameraId kCanon{"Canon", "EOS 5D"};

PictureEntry shot(const std::string& name, const char* when, const char* make, const char* model) {
    PictureEntry picture = test::makePicture("/src/" + name, dateTimeValue(when), 1u << 20);
    std::strcpy(picture.exif->DateTime, when);
    std::strcpy(picture.exif->CameraMake, make);
    std::strcpy(picture.exif->CameraModel, model);
    return picture;
}

class CameraClockChange : public ::testing::Test {
  protected:
    CameraClockChange() {
        // The Canon was left on home time, nine hours behind the trip's.
        workspace.pictures() = {shot("n1.jpg", "2024:07:14 09:00:00", "NIKON", "E995"),
                                shot("c1.jpg", "2024:07:14 01:30:00", "Canon", "EOS 5D"),
                                shot("n2.jpg", "2024:07:14 16:00:00", "NIKON", "E995"),
                                shot("c2.jpg", "2024:07:14 17:00:00", "Canon", "EOS 5D"),
                                shot("n3.jpg", "2024:07:15 08:00:00", "NIKON", "E995")};
        workspace.assignPictureIds();
    }

    std::vector<std::string> filmOrder() {
        std::vector<std::string> names;
        for (const PictureEntry& entry : workspace.film) names.push_back(entry.path.substr(5));
        return names;
    }

    // A saved album of the pictures of one day, as the Edit Album dialog
    // leaves it.
    Album& dayAlbum(const char* day, int32_t processed = 0) {
        Album& album = appendNewAlbum(workspace.albums);
        album.name = day;
        album.unsaved = 0;
        album.processed = processed;
        for (PictureEntry& picture : workspace.pictures()) {
            if (std::strncmp(picture.exif->DateTime, day, 10) != 0) continue;
            picture.albumId = album.id;
            if (album.startKey == 0 || picture.dateTime < album.startKey) {
                album.startKey = album.startTime = picture.dateTime;
            }
            if (picture.dateTime > album.endKey) album.endKey = album.endTime = picture.dateTime;
            ++album.pictureCount;
        }
        return album;
    }

    CameraClocks canonAhead(int64_t seconds) {
        CameraClocks clocks;
        setClockSeconds(clocks, kCanon, seconds);
        return clocks;
    }

    test::TzGuard zone{"UTC0"};
    Workspace workspace;
    ScriptedPrompter prompter;
};

TEST_F(CameraClockChange, aCorrectionMovesTheCamerasPicturesOnTheFilm) {
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    workspace.selectFilm();
    EXPECT_EQ(filmOrder(),
              (std::vector<std::string>{"c1.jpg", "n1.jpg", "n2.jpg", "c2.jpg", "n3.jpg"}));
    workspace.finishAlbumDialog(DialogEnd::Discard, prompter);
    workspace.albums.clear();

    ASSERT_TRUE(changeCameraClocks(workspace, canonAhead(9 * 3600), prompter));
    // c1 moves between n1 and n2; c2 crosses midnight into the next day.
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    workspace.selectFilm();
    EXPECT_EQ(filmOrder(),
              (std::vector<std::string>{"n1.jpg", "c1.jpg", "n2.jpg", "c2.jpg", "n3.jpg"}));
    EXPECT_EQ(workspace.film[1].dateTime, dateTimeValue("2024:07:14 10:30:00"));
    EXPECT_EQ(workspace.film[3].dateTime, dateTimeValue("2024:07:15 02:00:00"));
    EXPECT_TRUE(prompter.questions().empty());
}

TEST_F(CameraClockChange, takingPicturesOutOfASavedAlbumAsksFirst) {
    const Album before = dayAlbum("2024:07:14");
    const PictureList picturesBefore = workspace.pictures();
    const std::string question =
        "1 picture of a saved album would leave its album's time range with the new camera "
        "clock. Widen the album's range so that it keeps the picture?";
    EXPECT_EQ(picturesLeavingAlbums(workspace.pictures(), workspace.albums, canonAhead(9 * 3600)),
              1);

    // No: nothing changes.
    prompter.expect(question, "Camera clocks", Buttons::YesNo, kAnswerNo);
    EXPECT_FALSE(changeCameraClocks(workspace, canonAhead(9 * 3600), prompter));
    EXPECT_TRUE(workspace.clocks.empty());
    EXPECT_EQ(workspace.albums.front(), before);
    for (size_t i = 0; i < picturesBefore.size(); ++i) {
        EXPECT_EQ(workspace.pictures()[i].dateTime, picturesBefore[i].dateTime);
    }

    // Yes: the album's range takes in the moved picture, which stays in it.
    prompter.expect(question, "Camera clocks", Buttons::YesNo, kAnswerYes);
    ASSERT_TRUE(changeCameraClocks(workspace, canonAhead(9 * 3600), prompter));
    const Album& after = workspace.albums.front();
    EXPECT_EQ(after.startKey, before.startKey);
    EXPECT_EQ(after.endKey, dateTimeValue("2024:07:15 02:00:00"));
    EXPECT_EQ(after.endTime, after.endKey);
    EXPECT_EQ(after.pictureCount, before.pictureCount);
    EXPECT_EQ(test::albumIdsByPath(workspace.pictures()), (std::vector<int32_t>{1, 1, 1, 1, 0}));

    // Pictures that stay inside the range ask nothing.
    EXPECT_TRUE(changeCameraClocks(workspace, canonAhead(8 * 3600), prompter));
    EXPECT_EQ(prompter.questions().size(), 2u);
}

TEST_F(CameraClockChange, manyPicturesAreCountedAndADescendingRangeStaysDescending) {
    Album& album = dayAlbum("2024:07:14");
    std::swap(album.startKey, album.endKey);
    std::swap(album.startTime, album.endTime);
    prompter.expect(
        "2 pictures of saved albums would leave their albums' time ranges with the new camera "
        "clocks. Widen the albums' ranges so that they keep them?",
        "Camera clocks", Buttons::YesNo, kAnswerYes);
    ASSERT_TRUE(changeCameraClocks(workspace, canonAhead(-18 * 3600), prompter));
    const Album& after = workspace.albums.front();
    EXPECT_EQ(after.startKey, dateTimeValue("2024:07:14 17:00:00"));
    EXPECT_EQ(after.endKey, dateTimeValue("2024:07:13 07:30:00"));
}

TEST_F(CameraClockChange, processedAlbumsKeepTheirPicturesAndRangeWithoutAsking) {
    const Album before = dayAlbum("2024:07:14", 1);
    ASSERT_TRUE(changeCameraClocks(workspace, canonAhead(9 * 3600), prompter));
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_EQ(workspace.albums.front(), before);
    EXPECT_EQ(test::albumIdsByPath(workspace.pictures()), (std::vector<int32_t>{1, 1, 1, 1, 0}));
}

TEST_F(CameraClockChange, removedDuplicatesTakeTheirCamerasCorrectionToo) {
    workspace.removedPictures = {shot("c3.jpg", "2024:07:14 02:00:00", "Canon", "EOS 5D")};
    workspace.removedPictures[0].isRemoved = 1;
    ASSERT_TRUE(changeCameraClocks(workspace, canonAhead(3600), prompter));
    EXPECT_EQ(workspace.removedPictures[0].dateTime, dateTimeValue("2024:07:14 03:00:00"));
    EXPECT_EQ(workspace.clocks, canonAhead(3600));
    // A new source is other cameras: its corrections go with the old one.
    workspace.reset();
    EXPECT_TRUE(workspace.clocks.empty());
}

}  // namespace
}  // namespace lumora
