#include "albums/CEditAlbumDialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>
#include <functional>

#include "albums/CLargeImageDialog.h"
#include "albums/CManualTimeRangeDialog.h"
#include "albums/CViewOptionsDialog.h"
#include "albums/CustomName.h"
#include "albums/DateTimeText.h"
#include "albums/FilmBuilder.h"
#include "albums/FilmImages.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "imaging/ImageBitmap.h"
#include "res/ResourceIds.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"
#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

using test::controlById;
using test::ScriptedPrompter;

using EditAlbumDialogTest = test::EditAlbumFixture;
using test::TestEditAlbumDialog;

TEST_F(EditAlbumDialogTest, aNewAlbumOpensWithTheWholeFilmAndBothClearsDisabled) {
    writeFourPictures();
    scan();
    openNewAlbum();
    EXPECT_EQ(dialog->windowTitle(), "Edit Album");
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(text(res::kIdStartLabel), dateTimeOf(0));
    EXPECT_EQ(text(res::kIdEndLabel), dateTimeOf(3));
    EXPECT_EQ(text(res::kIdStartLabel), "[2021-06-01] [10 00 00]");
    EXPECT_FALSE(enabled(res::kIdClearStart));
    EXPECT_FALSE(enabled(res::kIdClearEnd));
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album:  4 pictures in album.");
    EXPECT_EQ(text(res::kIdSortLine), "Sorted ascendent by date. Show 4 pic.");
    EXPECT_EQ(text(res::kIdFilmStatusLine),
              "1 Album containing:  4 pictures. Remaining to add: None from a total of 4 "
              "pictures. ");
    EXPECT_TRUE(text(res::kIdTotalSizeText).startsWith("Total albums size: "));
    EXPECT_EQ(text(res::kIdPicturePath), "Picture not selected");
    EXPECT_EQ(text(res::kIdAlbumNameEdit), "Album 1");
    // The first album's pictures go straight into the target.
    EXPECT_EQ(text(res::kIdDirectoryNameEdit), QString(QChar(kPathSeparator)));
    // One 160 x 120 thumbnail of three bytes a pixel per picture, held once.
    EXPECT_EQ(workspace.filmBuilt, 1);
    ASSERT_EQ(filmImages.size(), 4u);
    for (const QImage& image : filmImages) {
        EXPECT_EQ(image.size(), QSize(160, 120));
        EXPECT_EQ(image.sizeInBytes(), 57600);
    }
    // The menu.
    auto* advanced = dialog->findChild<QAction*>(QString::number(res::kCmdAdvancedFilterTool));
    ASSERT_NE(advanced, nullptr);
    EXPECT_TRUE(advanced->isEnabled());
    EXPECT_NE(dialog->findChild<QAction*>(QString::number(res::kCmdViewOptions)), nullptr);
    EXPECT_NE(dialog->findChild<QAction*>(QString::number(res::kCmdManualTimeRange)), nullptr);
}

TEST_F(EditAlbumDialogTest, theBuildShowsItsTextsForThreePicturesAndEndsOnTheOverallStatus) {
    dir.writeFile("src/1.jpg", test::exifPicture("2021:06:01 10:00:00"));
    dir.writeFile("src/2.jpg", test::exifPicture("2021:06:01 11:00:00"));
    dir.writeFile("src/3.jpg", test::exifPicture("2021:06:01 12:00:00"));
    scan();
    openNewAlbum();
    EXPECT_EQ(textsStartingWith("Building"),
              (std::vector<std::string>{"Building film. Adding picture: 1, left 2.",
                                        "Building film. Adding picture: 2, left 1.",
                                        "Building film. Adding picture: 3, left 0."}));
    // Each 32 x 16 test picture is resampled after its own text.
    EXPECT_EQ(status.texts,
              (std::vector<std::string>{"Building film. Adding picture: 1, left 2.", "Resample",
                                        "Building film. Adding picture: 2, left 1.", "Resample",
                                        "Building film. Adding picture: 3, left 0.", "Resample"}));
    EXPECT_EQ(text(res::kIdFilmStatusLine),
              "1 Album containing:  3 pictures. Remaining to add: None from a total of 3 "
              "pictures. ");

    // The next album's film reuses the thumbnails: nothing is built again.
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Save);
    finish();
    status.texts.clear();
    workspace.albums.clear();
    for (PictureEntry& entry : workspace.pictures()) entry.albumId = 0;
    openNewAlbum();
    EXPECT_TRUE(textsStartingWith("Building").empty());
    EXPECT_EQ(rows(), 3);
}

TEST_F(EditAlbumDialogTest, aNegativeFilmStartsEmptyAndADoubleClickDevelopsAPicture) {
    writeFourPictures();
    scan();
    openNewAlbum(1);
    EXPECT_EQ(textsStartingWith("Building").front(),
              "Building negative film. Adding picture: 1, left 3.");
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album: Pictures in album: None.");
    const QImage negative = filmImages.at(workspace.film[2].exif->thumbnailIndex);
    select(2);
    dialog->filmDoubleClicked();
    EXPECT_EQ(workspace.film[2].isNegative, 0);
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album:  1 picture in album.");
    const QImage positive = filmImages.at(workspace.film[2].exif->thumbnailIndex);
    const QRgb before = negative.pixel(80, 60);
    const QRgb after = positive.pixel(80, 60);
    EXPECT_EQ(qRed(after), 255 - qRed(before));
    EXPECT_EQ(qBlue(after), 255 - qBlue(before));
    EXPECT_EQ(text(res::kIdFilmStatusLine),
              "1 Album containing:  1 picture. Remaining to add: 3 pictures from a total of 4 "
              "pictures. ");
}

TEST_F(EditAlbumDialogTest, afterAClearSaveSaysWhichDateIsMissingAndStays) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->clearStart();
    EXPECT_EQ(text(res::kIdStartLabel), "Not Set");
    EXPECT_FALSE(enabled(res::kIdClearStart));
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album: Start date not set");
    EXPECT_EQ(workspace.currentAlbum()->startKey, 0u);
    prompter.expect("Start date not set. Album will not be saved. Select 'Discard' to exit", "",
                    Buttons::Ok, kAnswerOk);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);

    dialog->clearEnd();
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album: Start and end date not set");
    prompter.expect("Start or end date not set. Album will not be saved. Select 'Discard' to exit",
                    "", Buttons::Ok, kAnswerOk);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);
}

TEST_F(EditAlbumDialogTest, anEmptyNameAnsweredYesSavesWithoutTheChecks) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->clearStart();
    controlById<QLineEdit>(*dialog, res::kIdAlbumNameEdit)->clear();
    EXPECT_FALSE(enabled(res::kIdCreateSubDirCheck));
    prompter.expect("Pictures base name not set. Use default name?", "Picture Name", Buttons::YesNo,
                    kAnswerNo);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);
    prompter.expect("Pictures base name not set. Use default name?", "Picture Name", Buttons::YesNo,
                    kAnswerYes);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Save);
    EXPECT_EQ(dialog->result(), 1);
    EXPECT_EQ(workspace.currentAlbum()->name, "Album 1");
    // The main window then drops the album whose start is not set.
    prompter.expect("Start or end date not set.Album not saved.", "", Buttons::Ok, kAnswerOk);
    finish();
    EXPECT_TRUE(workspace.albums.empty());
}

TEST_F(EditAlbumDialogTest, theStartCannotFollowTheEndNorTheEndPrecedeTheStartButMayEqualIt) {
    writeFourPictures();
    scan();
    openNewAlbum();
    select(1);
    dialog->setEndDate();
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(enabled(res::kIdClearEnd));
    // With the start cleared the whole film shows again, the end still set.
    dialog->clearStart();
    ASSERT_EQ(rows(), 4);
    select(3);
    prompter.expect("Start Date could not be later than end date.", "", Buttons::Ok, kAnswerOk);
    dialog->setStartDate();
    EXPECT_EQ(text(res::kIdStartLabel), "Not Set");
    EXPECT_EQ(workspace.currentAlbum()->startKey, 0u);
    select(1);
    const QString end = dateTimeOf(1);
    dialog->setStartDate();
    EXPECT_EQ(text(res::kIdStartLabel), end);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album:  1 picture in album.");

    // The mirror image: clear the end, then an end before the start.
    dialog->clearEnd();
    ASSERT_EQ(rows(), 4);
    select(0);
    prompter.expect("End Date could not be earlier than start date.", "", Buttons::Ok, kAnswerOk);
    dialog->setEndDate();
    EXPECT_EQ(text(res::kIdEndLabel), "Not Set");
    select(1);
    dialog->setEndDate();
    EXPECT_EQ(text(res::kIdEndLabel), end);
}

TEST_F(EditAlbumDialogTest, pictureInfoShowsEachCommentLineAndTheExposureFraction) {
    writeFourPictures();
    scan();
    openNewAlbum();
    ExifInfo& first = *workspace.film[0].exif;
    std::snprintf(first.Comments, sizeof first.Comments, "Harbour at dawn\nfrom the pier");
    first.ExposureTime = 0.5f;
    select(0);
    dialog->filmClicked();
    EXPECT_EQ(text(res::kIdPicturePath), QString::fromStdString(workspace.film[0].path));
    QStringList lines = infoLines();
    EXPECT_EQ(lines.filter("Comment").size(), 2);
    EXPECT_EQ(lines.filter("Comment").at(0), "Comment      : Harbour at dawn");
    EXPECT_EQ(lines.filter("Comment").at(1), "Comment      : from the pier");
    EXPECT_TRUE(lines.contains("Exposure time: 0.500 s  (1/2)")) << lines.join("|").toStdString();

    ExifInfo& second = *workspace.film[1].exif;
    std::snprintf(second.Comments, sizeof second.Comments, "One line\n");
    second.ExposureTime = 0.6f;
    select(1);
    dialog->filmClicked();
    lines = infoLines();
    EXPECT_EQ(lines.filter("Comment"), QStringList{"Comment      : One line"});
    EXPECT_TRUE(lines.contains("Exposure time: 0.600 s ")) << lines.join("|").toStdString();
}

TEST_F(EditAlbumDialogTest, labelsNameTheFileInADottedFolderAndStarASubstitutedDate) {
    dir.writeFile("src/Holidays 2004.06/IMG_0042.JPG",
                  test::exifPicture(test::PictureSpec{"2021:06:01 10:00:00", "Canon", false, 1}));
    dir.writeFile("src/zero.jpg", test::exifPicture("0000:00:00 00:00:00"));
    prompter.answer(kAnswerOk);  // the scan's warning about the substituted date
    scan();
    openNewAlbum();
    ASSERT_EQ(rows(), 2);
    int dotted = workspace.film[0].path.find("IMG_0042") != std::string::npos ? 0 : 1;
    EXPECT_EQ(label(dotted),
              QString("%1.IMG_0042.%2\nCanon/").arg(dotted + 1).arg(dateTimeOf(dotted)));
    const int substituted = 1 - dotted;
    const PictureEntry& zero = workspace.film[static_cast<size_t>(substituted)];
    ASSERT_EQ(zero.exif->dateSubstituted, 1);
    EXPECT_EQ(label(substituted), QString("%1.zero.**%2*%3**\n/")
                                      .arg(substituted + 1)
                                      .arg(QString::fromStdString(dateText(zero.dateTime, 1)))
                                      .arg(QString::fromStdString(timeText(zero.dateTime, 1))));
}

TEST_F(EditAlbumDialogTest, aLabelEditNamesThePictureAndRefusesNamesThatAreNoFileNames) {
    writeFourPictures();
    scan();
    openNewAlbum();
    ExifInfo& exif = *workspace.film[1].exif;
    EXPECT_EQ(dialog->filmModel()->data(dialog->filmModel()->index(1), Qt::EditRole).toString(),
              "c");
    dialog->labelEditBegan(1, "c");
    dialog->labelEditEnded(1, "Harbour");
    EXPECT_EQ(exif.hasCustomName, 1);
    EXPECT_STREQ(exif.customName, "Harbour");
    EXPECT_EQ(label(1), "2.Harbour." + dateTimeOf(1) + "\n/");

    dialog->labelEditBegan(1, "Harbour");
    prompter.expect(kCustomNameRefusedText, kCustomNameCaption, Buttons::Ok, kAnswerOk);
    dialog->labelEditEnded(1, "../Harbour");
    EXPECT_STREQ(exif.customName, "Harbour");

    // The same text again changes nothing; an empty one gives the file name back.
    dialog->labelEditBegan(1, "Harbour");
    dialog->labelEditEnded(1, "Harbour");
    EXPECT_EQ(exif.hasCustomName, 1);
    dialog->labelEditBegan(1, "Harbour");
    dialog->labelEditEnded(1, "");
    EXPECT_EQ(exif.hasCustomName, 0);
    EXPECT_EQ(label(1), "2.c." + dateTimeOf(1) + "\n/");
}

TEST_F(EditAlbumDialogTest, rebuildsKeepTheExclusionsOfDoubleClicks) {
    writeFourPictures();
    scan();
    openNewAlbum();
    const std::string excluded = workspace.film[1].path;
    select(1);
    dialog->filmDoubleClicked();
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album:  3 pictures in album.");
    EXPECT_EQ(text(res::kIdFilmStatusLine),
              "1 Album containing:  3 pictures. Remaining to add: 1 picture from a total of 4 "
              "pictures. ");
    dialog->clearEnd();
    dialog->film()->clearSelection();
    dialog->setEndDate();  // nothing selected: the latest picture, and a rebuild
    ASSERT_EQ(rows(), 4);
    EXPECT_EQ(workspace.film[1].path, excluded);
    EXPECT_EQ(workspace.film[1].isNegative, 1);
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album:  3 pictures in album.");
    // Saved: the excluded picture stays out of the album.
    dialog->saveAlbum();
    finish();
    for (const PictureEntry& entry : workspace.pictures()) {
        EXPECT_EQ(entry.albumId, entry.path == excluded ? 0 : 1) << entry.path;
    }
}

TEST_F(EditAlbumDialogTest, sortingByNameRebuildsTheFilmAndDiscardDropsTheAlbum) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->answerDialog = [](QDialog& opened) {
        auto& options = dynamic_cast<CViewOptionsDialog&>(opened);
        options.byName();
        options.acceptOptions();
        return int(QDialog::Accepted);
    };
    dialog->viewOptions();
    EXPECT_EQ(dialog->dialogsRun, QStringList{"Set view options"});
    EXPECT_EQ(text(res::kIdSortLine), "Sorted ascendent by name. Show 4 pic.");
    ASSERT_EQ(rows(), 4);
    EXPECT_TRUE(label(0).startsWith("1.a."));
    EXPECT_TRUE(label(3).startsWith("4.d."));
    dialog->discard();
    EXPECT_EQ(dialog->end(), DialogEnd::Discard);
    EXPECT_EQ(dialog->result(), 8);
    finish();
    EXPECT_TRUE(workspace.albums.empty());
    for (const PictureEntry& entry : workspace.pictures()) EXPECT_EQ(entry.albumId, 0);
}

TEST_F(EditAlbumDialogTest, escapeActsAsDiscard) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->reject();
    EXPECT_EQ(dialog->end(), DialogEnd::Discard);
    finish();
    EXPECT_TRUE(workspace.albums.empty());
}

TEST_F(EditAlbumDialogTest, aProcessedAlbumOpensReadOnlyAndDiscardKeepsIt) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->saveAlbum();
    finish();
    ASSERT_EQ(workspace.albums.size(), 1u);
    workspace.albums[0].processed = 1;
    const Album before = workspace.albums[0];
    prompter.expect("Album is already processed and cannot be modified!", "", Buttons::Ok,
                    kAnswerOk);
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    EXPECT_FALSE(enabled(res::kIdOk));
    EXPECT_EQ(dialog->film()->editTriggers(), QAbstractItemView::NoEditTriggers);
    dialog->labelEditBegan(0, "d");
    dialog->labelEditEnded(0, "Renamed");
    EXPECT_EQ(workspace.film[0].exif->hasCustomName, 0);
    EXPECT_EQ(text(res::kIdAlbumHeader), "Album Album 1:  4 pictures in album.");
    EXPECT_EQ(text(res::kIdStartLabel), "[2021-06-01] [10 00 00]");
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);
    select(2);
    dialog->setEndDate();
    dialog->discard();
    finish();
    EXPECT_EQ(workspace.albums[0], before);
    for (const PictureEntry& entry : workspace.pictures()) EXPECT_EQ(entry.albumId, 1);
}

TEST_F(EditAlbumDialogTest, theSecondAlbumIsOfferedThePreviousAlbumsFolderAndOptions) {
    writeFourPictures();
    scan();
    openNewAlbum();
    select(1);
    dialog->setEndDate();
    controlById<QLineEdit>(*dialog, res::kIdDirectoryNameEdit)->setText("Summer");
    controlById<QCheckBox>(*dialog, res::kIdAddCameraModelCheck)->setChecked(true);
    controlById<QCheckBox>(*dialog, res::kIdAddTimeCheck)->setChecked(false);
    dialog->saveAlbum();
    finish();
    ASSERT_EQ(workspace.albums.size(), 1u);
    EXPECT_EQ(workspace.albums[0].directoryName, "Summer");

    openNewAlbum();
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(text(res::kIdAlbumNameEdit), "Album 2");
    EXPECT_EQ(text(res::kIdDirectoryNameEdit), "Summer");
    EXPECT_TRUE(controlById<QCheckBox>(*dialog, res::kIdAddCameraModelCheck)->isChecked());
    EXPECT_FALSE(controlById<QCheckBox>(*dialog, res::kIdAddTimeCheck)->isChecked());
    // Shown, not written, until Save Album.
    EXPECT_EQ(workspace.albums[1].directoryName, "");
    EXPECT_EQ(workspace.albums[1].addCameraModel, 0);
    dialog->saveAlbum();
    EXPECT_EQ(workspace.albums[1].directoryName, "Summer");
    EXPECT_EQ(workspace.albums[1].addCameraModel, 1);
}

TEST_F(EditAlbumDialogTest, theNameBoxAndTheSubFolderCheckFollowTheirRules) {
    writeFourPictures();
    scan();
    openNewAlbum();
    auto* name = controlById<QLineEdit>(*dialog, res::kIdAlbumNameEdit);
    auto* subFolder = controlById<QCheckBox>(*dialog, res::kIdCreateSubDirCheck);
    auto* keep = controlById<QCheckBox>(*dialog, res::kIdKeepOriginalNameCheck);
    EXPECT_TRUE(subFolder->isEnabled());
    EXPECT_TRUE(subFolder->isChecked());
    subFolder->click();  // cleared; written by Save Album
    EXPECT_TRUE(name->isEnabled());
    keep->click();  // set while the sub folder is clear
    EXPECT_FALSE(name->isEnabled());
    keep->click();  // clearing it does not enable the box again
    EXPECT_FALSE(name->isEnabled());
    subFolder->click();
    EXPECT_TRUE(name->isEnabled());
    name->clear();
    EXPECT_FALSE(subFolder->isEnabled());
    name->setText("Harbour");
    EXPECT_TRUE(subFolder->isEnabled());
}

TEST_F(EditAlbumDialogTest, anUnreadablePictureAsksAndCancelEndsTheDialogAsDiscard) {
    writeFourPictures();
    scan();
    // Damaged after the scan listed it.
    dir.writeFile("src/c.jpg", std::string("not a picture any more"));
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    const std::string damaged = "Error while reading from disk\n" + dir.file("src/c.jpg");
    prompter.expect(damaged, kDiskErrorCaption, Buttons::OkCancel, kAnswerCancel);
    openDialog();
    EXPECT_EQ(dialog->end(), DialogEnd::Discard);
    EXPECT_EQ(workspace.filmBuilt, 0);
    EXPECT_TRUE(filmImages.empty());
    finish();
    EXPECT_TRUE(workspace.albums.empty());

    // OK puts the placeholder in its place and the film is built.
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    prompter.expect(damaged, kDiskErrorCaption, Buttons::OkCancel, kAnswerOk);
    openDialog();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);
    EXPECT_EQ(workspace.filmBuilt, 1);
    EXPECT_EQ(filmImages.size(), 4u);
    EXPECT_EQ(rows(), 4);
}

TEST_F(EditAlbumDialogTest, startingFromNegativeRemakesThePicturesInNoAlbumAtTheFirstPaint) {
    writeFourPictures();
    scan();
    openNewAlbum();
    select(1);
    dialog->setEndDate();
    dialog->saveAlbum();
    finish();
    const int32_t firstIndex = workspace.pictures()[2].exif->thumbnailIndex;
    const QRgb positive = filmImages.at(firstIndex).pixel(80, 60);
    status.texts.clear();
    openNewAlbum(1);
    EXPECT_EQ(textsStartingWith("Updating"),
              (std::vector<std::string>{"Updating film. Picture: 1, of 2.",
                                        "Updating film. Picture: 2, of 2."}));
    EXPECT_TRUE(textsStartingWith("Building").empty());
    EXPECT_EQ(workspace.edit.polarityChanged, 0);
    EXPECT_EQ(qRed(filmImages.at(firstIndex).pixel(80, 60)), 255 - qRed(positive));
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(text(res::kIdAlbumHeader), "New Album: Pictures in album: None.");
    EXPECT_EQ(text(res::kIdFilmStatusLine),
              "Total of 2 Albums containing:  2 pictures. Remaining to add: 2 pictures from a "
              "total of 4 pictures. ");
}

TEST_F(EditAlbumDialogTest, anEditCountsEveryPictureAndShowsTheAlbumsRange) {
    writeFourPictures();
    scan();
    openNewAlbum();
    select(2);
    dialog->setEndDate();
    controlById<QLineEdit>(*dialog, res::kIdAlbumNameEdit)->setText("Harbour");
    dialog->saveAlbum();
    finish();
    status.texts.clear();
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    EXPECT_EQ(textsStartingWith("Updating"),
              (std::vector<std::string>{
                  "Updating film. Picture: 1, left 3.", "Updating film. Picture: 2, left 2.",
                  "Updating film. Picture: 3, left 1.", "Updating film. Picture: 4, left 0."}));
    EXPECT_EQ(text(res::kIdAlbumHeader), "Album Harbour:  3 pictures in album.");
    EXPECT_EQ(text(res::kIdEndLabel), dateTimeOf(2));
    EXPECT_EQ(rows(), 3);
    EXPECT_FALSE(enabled(res::kIdClearStart));
    EXPECT_TRUE(enabled(res::kIdOk));
    EXPECT_EQ(text(res::kIdFilmStatusLine),
              "1 Album containing:  3 pictures. Remaining to add: 1 picture from a total of 4 "
              "pictures. ");
}

TEST_F(EditAlbumDialogTest, theManualRangeSetsBothLabelsEnablesBothClearsAndRebuilds) {
    writeFourPictures();
    scan();
    openNewAlbum();
    const uint64_t second = workspace.film[1].dateTime;
    const uint64_t third = workspace.film[2].dateTime;
    dialog->answerDialog = [&](QDialog& opened) {
        EXPECT_NE(dynamic_cast<CManualTimeRangeDialog*>(&opened), nullptr);
        // What OK writes, as the dialog's own tests show it does.
        Album& album = *workspace.currentAlbum();
        album.startTime = album.startKey = second;
        album.endTime = album.endKey = third;
        return int(QDialog::Accepted);
    };
    dialog->manualTimeRange();
    EXPECT_EQ(dialog->dialogsRun, QStringList{"Manual Time Range Settings"});
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(text(res::kIdStartLabel), QString::fromStdString(dateTimeText(second, 1, 1)));
    EXPECT_EQ(text(res::kIdEndLabel), QString::fromStdString(dateTimeText(third, 1, 1)));
    EXPECT_TRUE(enabled(res::kIdClearStart));
    EXPECT_TRUE(enabled(res::kIdClearEnd));

    // Cancel changes nothing.
    dialog->answerDialog = [](QDialog&) { return int(QDialog::Rejected); };
    dialog->manualTimeRange();
    EXPECT_EQ(rows(), 2);
}

TEST_F(EditAlbumDialogTest, aRightDoubleClickOpensTheViewerWhichThenFollowsTheSelection) {
    writeFourPictures();
    scan();
    openNewAlbum();
    select(1);
    dialog->filmRightDoubleClicked();
    CLargeImageDialog* viewer = CLargeImageDialog::openViewer();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->isVisible());
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 1);
    select(2);
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 2);
    EXPECT_EQ(text(res::kIdPicturePath), QString::fromStdString(workspace.film[2].path));
    viewer->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(CLargeImageDialog::openViewer(), nullptr);
    // Closed, the viewer is no longer followed; the picture still is.
    select(3);
    EXPECT_EQ(CLargeImageDialog::viewerIndex(), 2);
    EXPECT_EQ(text(res::kIdPicturePath), QString::fromStdString(workspace.film[3].path));
}

// Answers OK and notes what the film's status line showed when asked.
class StatusReadingPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string&, Buttons, Icon) override {
        asked.push_back(text);
        shown.push_back(status ? status->text() : QString());
        return kAnswerOk;
    }
    QLabel* status = nullptr;
    std::vector<std::string> asked;
    QStringList shown;
};

TEST_F(EditAlbumDialogTest, theStatusLineNamesThePictureADiskErrorIsAbout) {
    writeFourPictures();
    scan();
    dir.writeFile("src/c.jpg", std::string("not a picture any more"));
    ASSERT_TRUE(workspace.startNewAlbum(0, prompter));
    StatusReadingPrompter reader;
    CEditAlbumDialog edit(workspace, filmImages, reader);
    reader.status = controlById<QLabel>(edit, res::kIdFilmStatusLine);
    edit.firstPaint();
    ASSERT_EQ(reader.asked,
              std::vector<std::string>{"Error while reading from disk\n" + dir.file("src/c.jpg")});
    // c.jpg is the second picture by date.
    EXPECT_EQ(reader.shown, QStringList{"Building film. Adding picture: 2, left 2."});
}

TEST(FilmImages, aThumbnailKeepsItsColoursAndRowsInThreeBytesAPixel) {
    Image image;
    ASSERT_NE(image.Create(160, 120, 24, kFormatUnknown), nullptr);
    for (int32_t y = 0; y < 120; ++y) {
        uint8_t* row = image.GetBits(y);
        for (int32_t x = 0; x < 160; ++x) {
            // Blue rises to the right, red to the top (rows are bottom-up).
            row[x * 3] = static_cast<uint8_t>(x);
            row[x * 3 + 1] = 7;
            row[x * 3 + 2] = static_cast<uint8_t>(y * 2);
        }
    }
    const QImage bitmap = thumbnailBitmap(image);
    EXPECT_EQ(bitmap.sizeInBytes(), 57600);
    const QImage reference = makeBitmap(image);
    for (int y : {0, 1, 60, 119}) {
        for (int x : {0, 1, 80, 159}) {
            EXPECT_EQ(bitmap.pixel(x, y), reference.pixel(x, y)) << x << "," << y;
        }
    }
    EXPECT_EQ(qRed(bitmap.pixel(0, 0)), 238);  // the top row
    Image grey;
    ASSERT_NE(grey.Create(160, 120, 8, kFormatUnknown), nullptr);
    grey.GetBits(119)[3] = 200;
    EXPECT_EQ(thumbnailBitmap(grey).pixel(3, 0), qRgb(200, 200, 200));
    EXPECT_TRUE(thumbnailBitmap(Image()).isNull());
}

}  // namespace
}  // namespace lumora
