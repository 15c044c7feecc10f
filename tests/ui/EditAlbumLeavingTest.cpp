// Leaving the Edit Album dialog: Save Album's checks (the default name, an
// empty album, names that could not be made on disk) and Esc or the close box
// on an album that was changed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

#include "albums/AlbumNames.h"
#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

using test::controlById;

constexpr const char* kDiscardQuestion = "Discard the changes to this album?";

class EditAlbumLeavingTest : public test::EditAlbumFixture {
  protected:
    QLineEdit* nameBox() { return controlById<QLineEdit>(*dialog, res::kIdAlbumNameEdit); }
    QLineEdit* directoryBox() { return controlById<QLineEdit>(*dialog, res::kIdDirectoryNameEdit); }
};

TEST_F(EditAlbumLeavingTest, theDefaultNameIsStoredAndAnEmptyAlbumIsStillRefused) {
    writeFourPictures();
    scan();
    openNewAlbum(1);  // a negative film: nothing is in the album yet
    nameBox()->clear();
    prompter.expect("Pictures base name not set. Use default name?", "Picture Name", Buttons::YesNo,
                    kAnswerYes);
    prompter.expect("Album empty. Album will not be saved. Select 'Discard' to exit", "",
                    Buttons::Ok, kAnswerOk);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);
    EXPECT_EQ(nameBox()->text(), "Album 1");

    select(0);
    dialog->filmDoubleClicked();
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Save);
    finish();
    ASSERT_EQ(workspace.albums.size(), 1u);
    EXPECT_EQ(workspace.albums[0].name, "Album 1");
    EXPECT_EQ(workspace.albums[0].pictureCount, 1);
}

TEST_F(EditAlbumLeavingTest, namesProcessingCouldNotMakeAreRefusedAtSave) {
    writeFourPictures();
    scan();
    openNewAlbum();
    nameBox()->setText("Summer/Winter");
    prompter.expect(albumNameRefusal(AlbumNameProblem::AlbumName, "Summer/Winter"), "", Buttons::Ok,
                    kAnswerOk);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);

    nameBox()->setText("Summer");
    directoryBox()->setText("2008/trips");
    prompter.expect(albumNameRefusal(AlbumNameProblem::DirectoryName, "2008/trips"), "",
                    Buttons::Ok, kAnswerOk);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);
    directoryBox()->setText("..");
    prompter.expect(albumNameRefusal(AlbumNameProblem::DirectoryName, ".."), "", Buttons::Ok,
                    kAnswerOk);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);

    directoryBox()->setText("2008");
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Save);
    finish();
    EXPECT_EQ(workspace.albums[0].directoryName, "2008");
    EXPECT_EQ(workspace.albums[0].name, "Summer");
}

TEST_F(EditAlbumLeavingTest, escapeOnAChangedAlbumAsksAndNoKeepsTheDialogOpen) {
    writeFourPictures();
    scan();
    // Each kind of change: a picture, the range, a name, an option.
    const std::vector<std::function<void()>> changes = {
        [&] {
            select(1);
            dialog->filmDoubleClicked();
        },
        [&] { dialog->clearStart(); },
        [&] { nameBox()->setText("Harbour"); },
        [&] { directoryBox()->setText("Trips"); },
        [&] { controlById<QCheckBox>(*dialog, res::kIdAddDateCheck)->click(); },
    };
    for (size_t i = 0; i < changes.size(); ++i) {
        SCOPED_TRACE(i);
        openNewAlbum();
        changes[i]();
        prompter.expect(kDiscardQuestion, "Edit Album", Buttons::YesNo, kAnswerNo);
        dialog->reject();
        EXPECT_EQ(dialog->end(), DialogEnd::Other);
        EXPECT_EQ(dialog->result(), 0);
        ASSERT_EQ(workspace.albums.size(), 1u);
        prompter.expect(kDiscardQuestion, "Edit Album", Buttons::YesNo, kAnswerYes);
        dialog->reject();
        EXPECT_EQ(dialog->end(), DialogEnd::Discard);
        finish();
        EXPECT_TRUE(workspace.albums.empty());
    }
}

TEST_F(EditAlbumLeavingTest, theCloseBoxOnAChangedAlbumAsksToo) {
    writeFourPictures();
    scan();
    openNewAlbum();
    dialog->show();
    QApplication::processEvents();
    select(1);
    dialog->filmDoubleClicked();
    prompter.expect(kDiscardQuestion, "Edit Album", Buttons::YesNo, kAnswerNo);
    dialog->close();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->end(), DialogEnd::Other);
    prompter.expect(kDiscardQuestion, "Edit Album", Buttons::YesNo, kAnswerYes);
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->end(), DialogEnd::Discard);
}

}  // namespace
}  // namespace lumora
