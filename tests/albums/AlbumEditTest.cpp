#include "albums/AlbumEdit.h"

#include <gtest/gtest.h>

#include "albums/AlbumNames.h"
#include "albums/FilmRange.h"
#include "tests/albums/TestPictures.h"

namespace lumora {
namespace {

Album namedAlbum(const std::string& directory, const std::string& name) {
    Album album;
    album.id = 3;
    album.directoryName = directory;
    album.name = name;
    return album;
}

TEST(AlbumNames, theRuleProcessingAppliesFindsTheNameThatCannotBeMade) {
    struct Case {
        std::string directory;
        std::string name;
        int32_t createSubDirectory;
        int32_t keepOriginalName;
        AlbumNameProblem problem;
    };
    const Case cases[] = {
        {"/", "Summer", 1, 0, AlbumNameProblem::None},
        {"2008", "", 1, 0, AlbumNameProblem::None},  // the sub-folder is "Album.3"
        {"2008/trips", "Summer", 1, 0, AlbumNameProblem::DirectoryName},
        {"..", "Summer", 1, 0, AlbumNameProblem::DirectoryName},
        {"", "Summer", 1, 0, AlbumNameProblem::DirectoryName},
        {"/", "Summer/Winter", 1, 0, AlbumNameProblem::AlbumName},
        {"/", "..", 1, 1, AlbumNameProblem::AlbumName},
        // No sub-folder: the name only begins the picture names.
        {"/", "a/b", 0, 0, AlbumNameProblem::AlbumName},
        {"/", "a/b", 0, 1, AlbumNameProblem::None},
    };
    for (const Case& c : cases) {
        Album album = namedAlbum(c.directory, c.name);
        album.createSubDirectory = c.createSubDirectory;
        album.keepOriginalName = c.keepOriginalName;
        EXPECT_EQ(albumNameProblem(album), c.problem) << c.directory << " " << c.name;
        EXPECT_EQ(albumNamesArePlain(album), c.problem == AlbumNameProblem::None);
    }
    EXPECT_EQ(albumSubFolderName(namedAlbum("/", "")), "Album.3");
}

TEST(AlbumEdit, saveRefusesAnEmptyAlbumFirstThenMissingDatesThenNames) {
    const Album bad = namedAlbum("2008/trips", "Summer");
    FilmCounts empty;
    empty.filmCount = 2;
    empty.excludedCount = 2;
    FilmCounts two;
    two.filmCount = 2;
    EXPECT_EQ(saveRefusal(bad, empty, false, false, false),
              "Album empty. Album will not be saved. Select 'Discard' to exit");
    EXPECT_EQ(saveRefusal(bad, two, false, true, true),
              "Start date not set. Album will not be saved. Select 'Discard' to exit");
    EXPECT_EQ(saveRefusal(bad, two, true, false, true),
              "End date not set. Album will not be saved. Select 'Discard' to exit");
    EXPECT_EQ(saveRefusal(bad, two, false, false, true),
              "Start or end date not set. Album will not be saved. Select 'Discard' to exit");
    // After the default name was taken the dates are not asked for.
    EXPECT_EQ(saveRefusal(bad, two, false, false, false),
              "Albums directory name \"2008/trips\" cannot be a folder name. Please choose "
              "another name.");
    EXPECT_EQ(saveRefusal(namedAlbum("2008", "Summer"), two, true, true, true), std::nullopt);
    EXPECT_EQ(defaultAlbumName(bad), "Album 3");
}

TEST(AlbumEdit, anAlbumIsEditedByItsNamesOptionsRangeAndFilterButNotByItsCounts) {
    const Album opened = namedAlbum("/", "Summer");
    Album now = opened;
    now.pictureCount = 7;
    now.sizeMB = 2.5f;
    EXPECT_FALSE(albumEdited(opened, now));
    const std::vector<void (*)(Album&)> changes = {
        [](Album& a) { a.name = "Winter"; },
        [](Album& a) { a.directoryName = "2008"; },
        [](Album& a) { a.createSubDirectory = 0; },
        [](Album& a) { a.keepOriginalName = 1; },
        [](Album& a) { a.addDate = 0; },
        [](Album& a) { a.addTime = 0; },
        [](Album& a) { a.addCameraModel = 1; },
        [](Album& a) { a.startKey = 5; },
        [](Album& a) { a.endKey = 5; },
        [](Album& a) { a.filter.advancedEnabled = 1; },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        Album changed = opened;
        changes[i](changed);
        EXPECT_TRUE(albumEdited(opened, changed)) << i;
    }
}

TEST(FilmRange, aFilmSpansItsEarliestToItsLatestPictureInAnyOrder) {
    FilmList film = test::picturesAt({300, 100, 500, 200});
    EXPECT_EQ(filmSpan(film, SpanOf::EveryPicture), (TimeSpan{100, 500}));
    film[1].isNegative = 1;
    film[2].isNegative = 1;
    EXPECT_EQ(filmSpan(film, SpanOf::EveryPicture), (TimeSpan{100, 500}));
    EXPECT_EQ(filmSpan(film, SpanOf::CountedPictures), (TimeSpan{200, 300}));
    for (PictureEntry& picture : film) picture.isNegative = 1;
    EXPECT_EQ(filmSpan(film, SpanOf::CountedPictures), std::nullopt);
    EXPECT_EQ(filmSpan(FilmList{}, SpanOf::EveryPicture), std::nullopt);
}

}  // namespace
}  // namespace lumora
