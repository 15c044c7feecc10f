// A processed album opened in the Edit Album dialog: every control that could
// change it is tried, and nothing changes. Discard gives every choice back.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>

#include "tests/ui/EditAlbumFixture.h"

namespace lumora {
namespace {

using test::controlById;

class EditAlbumReadOnlyTest : public test::EditAlbumFixture {
  protected:
    // Album 1 of the first three pictures, saved.
    void saveFirstAlbum() {
        writeFourPictures();
        scan();
        openNewAlbum();
        select(2);
        dialog->setEndDate();
        dialog->saveAlbum();
        finish();
        ASSERT_EQ(workspace.albums.size(), 1u);
    }
    QAction* action(int id) { return dialog->findChild<QAction*>(QString::number(id)); }
    std::vector<int32_t> albumIds() {
        std::vector<int32_t> ids;
        for (const PictureEntry& entry : workspace.pictures()) ids.push_back(entry.albumId);
        return ids;
    }
};

TEST_F(EditAlbumReadOnlyTest, noControlChangesAProcessedAlbum) {
    saveFirstAlbum();
    workspace.albums[0].processed = 1;
    const Album before = workspace.albums[0];
    const std::vector<int32_t> idsBefore = albumIds();
    prompter.expect("Album is already processed and cannot be modified!", "", Buttons::Ok,
                    kAnswerOk);
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    ASSERT_EQ(rows(), 3);
    for (int id : {res::kIdOk, res::kIdSetStartDate, res::kIdSetEndDate, res::kIdClearStart,
                   res::kIdClearEnd, res::kIdCreateSubDirCheck}) {
        EXPECT_FALSE(enabled(id)) << id;
    }
    ASSERT_NE(action(res::kCmdManualTimeRange), nullptr);
    EXPECT_FALSE(action(res::kCmdManualTimeRange)->isEnabled());
    EXPECT_FALSE(action(res::kCmdAdvancedFilterTool)->isEnabled());
    EXPECT_TRUE(action(res::kCmdViewOptions)->isEnabled());

    // Tried all the same, as a shortcut or a stray signal would.
    auto* subFolder = controlById<QCheckBox>(*dialog, res::kIdCreateSubDirCheck);
    subFolder->setChecked(false);
    dialog->createSubDirectoryClicked();
    select(1);
    dialog->filmDoubleClicked();
    EXPECT_EQ(workspace.film[1].isNegative, 0);
    dialog->setStartDate();
    dialog->setEndDate();
    dialog->clearStart();
    dialog->clearEnd();
    dialog->answerDialog = [&](QDialog&) {
        Album& album = *workspace.currentAlbum();
        album.startTime = album.startKey = 1;
        return int(QDialog::Accepted);
    };
    dialog->manualTimeRange();
    EXPECT_TRUE(dialog->dialogsRun.isEmpty());
    dialog->advancedFilterTool();
    EXPECT_EQ(dialog->advancedFilter(), nullptr);
    dialog->saveAlbum();
    EXPECT_EQ(dialog->end(), DialogEnd::Other);

    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(text(res::kIdStartLabel), "[2021-06-01] [10 00 00]");
    EXPECT_EQ(text(res::kIdAlbumHeader), "Album Album 1:  3 pictures in album.");
    EXPECT_EQ(workspace.albums[0], before);
    EXPECT_EQ(albumIds(), idsBefore);
    dialog->discard();
    finish();
    EXPECT_EQ(workspace.albums[0], before);
    EXPECT_EQ(albumIds(), idsBefore);
}

TEST_F(EditAlbumReadOnlyTest, discardGivesTheSubFolderChoiceBack) {
    saveFirstAlbum();
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    controlById<QCheckBox>(*dialog, res::kIdCreateSubDirCheck)->click();
    EXPECT_FALSE(controlById<QCheckBox>(*dialog, res::kIdCreateSubDirCheck)->isChecked());
    dialog->discard();
    finish();
    EXPECT_EQ(workspace.albums[0].createSubDirectory, 1);

    // Save Album writes it.
    ASSERT_TRUE(workspace.startEditAlbum(0, prompter));
    openDialog();
    controlById<QCheckBox>(*dialog, res::kIdCreateSubDirCheck)->click();
    dialog->saveAlbum();
    finish();
    EXPECT_EQ(workspace.albums[0].createSubDirectory, 0);
}

}  // namespace
}  // namespace lumora
