#include "app/Workspace.h"

#include <gtest/gtest.h>

#include "tests/albums/TestPictures.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using test::albumIdsByPath;
using test::negativesByPath;
using test::ScriptedPrompter;
using Ids = std::vector<int32_t>;

class WorkspaceTest : public ::testing::Test {
  protected:
    WorkspaceTest() : workspace(realFileSystem(), clock) {
        workspace.remakeThumbnail = [this](const PictureEntry& p, bool negative, RemakeReason) {
            remade.emplace_back(p.path, negative);
            return true;
        };
    }

    // Six pictures p1 ... p6 taken at 100 ... 600.
    void listPictures() {
        workspace.pictures() = test::picturesAt({100, 200, 300, 400, 500, 600});
        workspace.assignPictureIds();
    }
    // "Set Start Date" and "Set End Date" with nothing selected, then a range
    // narrowed by hand as the manual time range dialog would.
    void setRangeTo(uint64_t start, uint64_t end) {
        Album& album = *workspace.currentAlbum();
        album.startTime = album.startKey = start;
        album.endTime = album.endKey = end;
        workspace.selectFilm();
    }
    void setWholeFilm() {
        workspace.selectFilm();
        setRangeTo(workspace.film.front().dateTime, workspace.film.back().dateTime);
    }
    // Double-click on the film picture with this path.
    void toggle(const std::string& path) {
        for (size_t i = 0; i < workspace.film.size(); ++i) {
            if (workspace.film[i].path != path) continue;
            toggleFilmPicture(workspace.film, i, *workspace.currentAlbum(),
                              workspace.remakeThumbnail);
            workspace.selectFilm();
            return;
        }
        ADD_FAILURE() << path << " is not in the film";
    }
    Ids albumIds() { return albumIdsByPath(workspace.pictures()); }
    Ids negatives() { return negativesByPath(workspace.pictures()); }

    test::TzGuard zone{"UTC0"};
    FixedClock clock{1700000000};
    Workspace workspace;
    ScriptedPrompter prompter;
    std::vector<std::pair<std::string, bool>> remade;
};

TEST_F(WorkspaceTest, startsWithTheProgramDefaults) {
    EXPECT_EQ(workspace.sourceText, "Not Selected. Please select one first.");
    EXPECT_EQ(workspace.targetText, "Not Selected. Please select one first.");
    EXPECT_EQ(workspace.dateFormat, 1);
    EXPECT_EQ(workspace.timeFormat, 1);
    EXPECT_EQ(workspace.viewOptions, ViewOptions{});
    EXPECT_EQ(workspace.viewOptions.sortByDate, 1);
    EXPECT_EQ(workspace.viewOptions.sortAscending, 1);
    EXPECT_EQ(workspace.excludeDuplicates, 0);
    EXPECT_EQ(workspace.edit.negativeFilm, 0);
    EXPECT_EQ(workspace.moveMode, 0);
    EXPECT_EQ(workspace.filmBuilt, 0);
}

TEST_F(WorkspaceTest, resetEmptiesTheListsAndTheTarget) {
    listPictures();
    workspace.film = workspace.pictures();
    workspace.removedPictures = workspace.pictures();
    workspace.filmBuilt = 1;
    workspace.targetText = "/target";
    workspace.statusText = "Found 6 .JPG pictures that have exif information.";
    workspace.filterValues.of(FilterCriterion::Iso).push_back(CriterionValue{});
    workspace.reset();
    EXPECT_TRUE(workspace.pictures().empty());
    EXPECT_TRUE(workspace.film.empty());
    EXPECT_TRUE(workspace.removedPictures.empty());
    EXPECT_TRUE(workspace.filterValues.of(FilterCriterion::Iso).empty());
    EXPECT_EQ(workspace.filmBuilt, 0);
    EXPECT_EQ(workspace.statusText, "Wait for input...");
    EXPECT_EQ(workspace.targetText, "Not Selected. Please select one first.");
}

TEST_F(WorkspaceTest, scanSetsTheCountersAndWarnsAboutZeroDates) {
    test::TempDir folder;
    folder.writeFile("a.jpg", test::exifPicture("2005:03:04 10:20:30"));
    folder.writeFile("sub/b.jpg", test::exifPicture("0000:00:00 00:00:00"));
    folder.writeFile("c.jpg", test::plainPicture());
    workspace.targetText = "/target";
    workspace.duplicatesFound = 3;
    workspace.freedBytes = 5.0f;
    workspace.filmBuilt = 1;
    prompter.expect(
        "Warning! Lumora found 1 pictures that have date and time set to zero! Date and time was "
        "modified for those pictures in order to run Lumora. New date and time was taken from "
        "file information. Be aware that date and time may not be the same as real time when "
        "those pictures was shot.",
        "", Buttons::Ok, kAnswerOk);

    const ScanOutcome outcome = workspace.setSource(folder.path(), prompter, nullProgress());
    EXPECT_EQ(outcome.pictureCount, 2);
    EXPECT_EQ(workspace.sourceText, folder.path());
    EXPECT_EQ(workspace.picturesAtScan, 2);
    EXPECT_EQ(workspace.duplicatesFound, 0);
    EXPECT_EQ(workspace.freedBytes, 0.0f);
    EXPECT_EQ(workspace.filmBuilt, 0);
    EXPECT_TRUE(workspace.albumMenusEnabled);
    // The scan's own text, then the picture without EXIF it left out.
    EXPECT_EQ(workspace.statusText,
              "Found 2 .JPG pictures that have exif information. (1 file left out)");
    EXPECT_EQ(workspace.targetText, "Not Selected. Please select one first.");
}

TEST_F(WorkspaceTest, aNewSourceWithAlbumsAsksFirstAndOnlyAChosenFolderDropsTheAlbums) {
    listPictures();
    appendNewAlbum(workspace.albums);
    // Asking changes nothing, whatever the answer: the browser may still be
    // cancelled.
    for (const int answer : {kAnswerCancel, kAnswerOk}) {
        prompter.expect("Albums and filters will be lost!", "Warning", Buttons::OkCancel, answer);
        EXPECT_EQ(workspace.confirmSourceChange(prompter), answer == kAnswerOk);
        EXPECT_EQ(workspace.albums.size(), 1u);
        EXPECT_EQ(workspace.pictures().size(), 6u);
    }

    test::TempDir folder;
    folder.writeFile("a.jpg", test::exifPicture("2021:06:01 10:00:00"));
    workspace.setSource(folder.path(), prompter, nullProgress());
    EXPECT_TRUE(workspace.albums.empty());
    EXPECT_EQ(workspace.pictures().size(), 1u);

    // Without albums nothing is asked (the prompter has nothing scripted).
    EXPECT_TRUE(workspace.confirmSourceChange(prompter));
}

TEST_F(WorkspaceTest, targetMustFollowASourceAndLieOutsideIt) {
    test::TempDir folder;
    const std::string source = folder.makeDir("photos");
    prompter.expect("Please select source directory first!", "Select target directory", Buttons::Ok,
                    kAnswerOk);
    EXPECT_FALSE(workspace.selectTarget(folder.file("sorted"), prompter));
    workspace.sourceText = source;
    prompter.expect("Target directory is the same as source directory!",
                    "Please select other target directory", Buttons::Ok, kAnswerOk);
    EXPECT_FALSE(workspace.selectTarget(source, prompter));
    // A folder inside the source, made already or still to be made.
    for (const std::string& inside : {folder.makeDir("photos/sorted"), source + "/new/albums"}) {
        prompter.expect(kInsideSourceText, "Please select other target directory", Buttons::Ok,
                        kAnswerOk);
        EXPECT_FALSE(workspace.selectTarget(inside, prompter)) << inside;
        EXPECT_EQ(workspace.targetText, kNotSelectedText);
        EXPECT_EQ(workspace.targetDirectory, "");
    }
    const std::string outside = folder.makeDir("sorted");
    EXPECT_TRUE(workspace.selectTarget(outside, prompter));
    EXPECT_EQ(workspace.targetText, outside);
    EXPECT_EQ(workspace.targetDirectory, outside);

    // The command line leaves such a target out of its scans, and may take it.
    workspace.targetInsideSourceAllowed = true;
    EXPECT_TRUE(workspace.selectTarget(source + "/sorted", prompter));
}

TEST_F(WorkspaceTest, newAlbumEditDiscardAndDeleteKeepThePictureMarksRight) {
    listPictures();

    // A positive album over p1 ... p3 without p2.
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    EXPECT_EQ(workspace.edit.polarityChanged, 0);
    setWholeFilm();
    setRangeTo(100, 300);
    toggle("/src/p2.jpg");
    EXPECT_EQ(workspace.albums[0].pictureCount, 2);
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    EXPECT_EQ(albumIds(), (Ids{1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(negatives(), (Ids{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(workspace.albums[0].unsaved, 0);
    EXPECT_TRUE(workspace.film.empty());

    // A negative album: p4 and p5 developed.
    remade.clear();
    ASSERT_TRUE(workspace.startNewAlbum(1, prompter));
    EXPECT_EQ(workspace.edit.polarityChanged, 1);
    EXPECT_EQ(negatives(), (Ids{1, 1, 1, 1, 1, 1}));
    setWholeFilm();
    EXPECT_EQ(workspace.film.size(), 4u);  // p2, p4, p5, p6
    toggle("/src/p4.jpg");
    toggle("/src/p5.jpg");
    EXPECT_EQ(workspace.albums[1].pictureCount, 2);
    EXPECT_EQ(workspace.picturesInAlbums(workspace.selectFilm()), 4);
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    EXPECT_EQ(albumIds(), (Ids{1, 0, 1, 2, 2, 0}));
    EXPECT_EQ(negatives(), (Ids{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(workspace.albums[1].id, 2);
    // The album spans the pictures it holds, not the excluded ones around them.
    EXPECT_EQ(workspace.albums[1].startKey, 400u);
    EXPECT_EQ(workspace.albums[1].endKey, 500u);

    // Editing album 1 runs positive; a cleared start pulls in p2 and p6,
    // and Discard puts everything back.
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    EXPECT_EQ(workspace.edit.negativeFilm, 0);
    EXPECT_EQ(negatives(), (Ids{0, 0, 0, 0, 0, 0}));
    workspace.selectFilm();
    EXPECT_EQ(workspace.film.size(), 2u);
    setRangeTo(0, 300);
    EXPECT_EQ(albumIds(), (Ids{1, 1, 1, 2, 2, 1}));
    workspace.finishAlbumDialog(DialogEnd::Discard, prompter);
    EXPECT_EQ(albumIds(), (Ids{1, 0, 1, 2, 2, 0}));
    EXPECT_EQ(negatives(), (Ids{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(workspace.edit.negativeFilm, 1);
    EXPECT_EQ(workspace.edit.editMode, 0);
    EXPECT_EQ(workspace.albums[0].startKey, 100u);
    EXPECT_EQ(workspace.albums[0].endKey, 300u);

    // Deleting album 2 in a negative film turns its pictures negative.
    remade.clear();
    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerOk);
    EXPECT_TRUE(workspace.deleteAlbumAt(1, prompter));
    EXPECT_EQ(albumIds(), (Ids{1, 0, 1, 0, 0, 0}));
    EXPECT_EQ(negatives(), (Ids{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(remade, (std::vector<std::pair<std::string, bool>>{{"/src/p4.jpg", true},
                                                                 {"/src/p5.jpg", true}}));
    ASSERT_EQ(workspace.albums.size(), 1u);

    // The next album takes id 2 again.
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    EXPECT_EQ(workspace.albums.back().id, 2);
}

TEST_F(WorkspaceTest, editNarrowedAndSavedLosesThePicturesOutside) {
    listPictures();
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    EXPECT_EQ(albumIds(), (Ids{1, 1, 1, 1, 1, 1}));

    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    workspace.selectFilm();
    setRangeTo(200, 400);
    EXPECT_EQ(albumIds(), (Ids{-1, 1, 1, 1, -1, -1}));
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    EXPECT_EQ(albumIds(), (Ids{0, 1, 1, 1, 0, 0}));
    EXPECT_EQ(workspace.albums[0].pictureCount, 3);
}

TEST_F(WorkspaceTest, cancelledEditIsDiscardedSoNoPictureStaysPending) {
    listPictures();
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    workspace.selectFilm();
    setRangeTo(300, 300);
    workspace.finishAlbumDialog(DialogEnd::Other, prompter);
    EXPECT_EQ(albumIds(), (Ids{1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(workspace.albums[0].startKey, 100u);
    EXPECT_EQ(workspace.edit.editMode, 0);
}

TEST_F(WorkspaceTest, refusalsAreShownAndOpenNothing) {
    prompter.expect("Source folder does not contain any pictures supported by Lumora", "",
                    Buttons::Ok, kAnswerOk);
    EXPECT_FALSE(workspace.startNewAlbum(0, prompter));
    EXPECT_TRUE(workspace.albums.empty());

    listPictures();
    prompter.expect("Please select an album from Albums List first.", "", Buttons::Ok, kAnswerOk);
    EXPECT_FALSE(workspace.startEditAlbum(-1, prompter));
    EXPECT_EQ(workspace.edit.editMode, 0);

    // A new album closed with Save before both dates were set is dropped.
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setRangeTo(100, 0);
    prompter.expect("Start or end date not set.Album not saved.", "", Buttons::Ok, kAnswerOk);
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    EXPECT_TRUE(workspace.albums.empty());

    // With every picture in an album no further album is made.
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    prompter.expect(
        "Picture List is empty.All pictures are in albums. Double click on any album's name from "
        "Album List to view album's pictures",
        "", Buttons::Ok, kAnswerOk);
    EXPECT_FALSE(workspace.startNewAlbum(0, prompter));
    EXPECT_EQ(workspace.albums.size(), 1u);

    // A processed album is opened after the warning.
    workspace.albums[0].processed = 1;
    prompter.expect("Album is already processed and cannot be modified!", "", Buttons::Ok,
                    kAnswerOk);
    EXPECT_TRUE(workspace.startEditAlbum(0, prompter));

    // Cancel on the delete question keeps the album.
    workspace.finishAlbumDialog(DialogEnd::Discard, prompter);
    prompter.expect("Delete selected album?", "Delete Album", Buttons::OkCancel, kAnswerCancel);
    EXPECT_FALSE(workspace.deleteAlbumAt(0, prompter));
    EXPECT_FALSE(workspace.deleteAlbumAt(-1, prompter));
    EXPECT_EQ(workspace.albums.size(), 1u);
}

TEST_F(WorkspaceTest, noNewAlbumAfterTheLargestId) {
    listPictures();
    appendNewAlbum(workspace.albums).id = INT32_MAX - 1;
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    EXPECT_EQ(workspace.albums.back().id, INT32_MAX);
    setRangeTo(100, 200);
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);

    prompter.expect(kNoAlbumIdLeftText, "", Buttons::Ok, kAnswerOk);
    EXPECT_FALSE(workspace.startNewAlbum(0, prompter));
    ASSERT_EQ(workspace.albums.size(), 2u);
    EXPECT_EQ(workspace.albums.back().id, INT32_MAX);
}

TEST_F(WorkspaceTest, discardOfANewAlbumRemovesIt) {
    listPictures();
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    toggle("/src/p3.jpg");
    workspace.finishAlbumDialog(DialogEnd::Discard, prompter);
    EXPECT_TRUE(workspace.albums.empty());
    EXPECT_EQ(albumIds(), (Ids{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(negatives(), (Ids{0, 0, 0, 0, 0, 0}));
}

// A picture left out of a new album that was refused (Save without both
// dates) or closed without Save or Discard is back in the next new album's
// film as the film polarity gives it, and its thumbnail is re-made to match.
TEST_F(WorkspaceTest, theNextNewAlbumStartsWithAFreshFilmAfterARefusedOrAbandonedOne) {
    using Remades = std::vector<std::pair<std::string, bool>>;
    listPictures();
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    toggle("/src/p3.jpg");
    remade.clear();
    setRangeTo(100, 0);  // "Clear" of the end date
    prompter.expect("Start or end date not set.Album not saved.", "", Buttons::Ok, kAnswerOk);
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    EXPECT_TRUE(workspace.albums.empty());
    EXPECT_EQ(negatives(), (Ids{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(remade, (Remades{{"/src/p3.jpg", false}}));

    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    EXPECT_EQ(workspace.film.size(), 6u);
    EXPECT_EQ(workspace.albums[0].pictureCount, 6);
    EXPECT_EQ(negativesByPath(workspace.film), (Ids{0, 0, 0, 0, 0, 0}));

    // Closed without Save or Discard: the album stays, its film is dropped
    // when the next dialog opens.
    toggle("/src/p4.jpg");
    workspace.finishAlbumDialog(DialogEnd::Other, prompter);
    remade.clear();
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    EXPECT_EQ(remade, (Remades{{"/src/p4.jpg", false}}));
    setWholeFilm();
    ASSERT_EQ(workspace.albums.size(), 2u);
    EXPECT_EQ(workspace.albums[1].pictureCount, 6);
    EXPECT_EQ(negativesByPath(workspace.film), (Ids{0, 0, 0, 0, 0, 0}));
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    EXPECT_EQ(albumIds(), (Ids{2, 2, 2, 2, 2, 2}));
}

TEST_F(WorkspaceTest, aPictureDevelopedInARefusedNegativeAlbumIsNegativeAgainInTheNext) {
    listPictures();
    ASSERT_TRUE(workspace.startNewAlbum(1, prompter));
    setWholeFilm();
    toggle("/src/p2.jpg");
    workspace.finishAlbumDialog(DialogEnd::Other, prompter);

    ASSERT_TRUE(workspace.startNewAlbum(1, prompter));
    setWholeFilm();
    EXPECT_EQ(workspace.albums.back().pictureCount, 0);
    EXPECT_EQ(negativesByPath(workspace.film), (Ids{1, 1, 1, 1, 1, 1}));
}

// An edit opened after an abandoned new album does not take that album's
// exclusions either: a cleared date brings the excluded picture in positive.
TEST_F(WorkspaceTest, anEditAfterAnAbandonedNewAlbumStartsWithoutItsFilm) {
    listPictures();
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    setRangeTo(100, 300);
    workspace.finishAlbumDialog(DialogEnd::Save, prompter);
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    setWholeFilm();
    toggle("/src/p5.jpg");
    workspace.finishAlbumDialog(DialogEnd::Other, prompter);
    workspace.albums.pop_back();

    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    workspace.selectFilm();
    setRangeTo(100, 0);
    EXPECT_EQ(workspace.film.size(), 6u);
    EXPECT_EQ(negativesByPath(workspace.film), (Ids{0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace lumora
