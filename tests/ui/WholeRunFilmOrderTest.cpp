// Whole runs through the windows over the sample pictures: albums made on a
// film shown by name and descending, from a positive and from a negative
// film, must span their pictures and hold every one; a processed album,
// opened and tried with every control, must stay as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

#include "albums/CEditAlbumDialog.h"
#include "albums/CViewOptionsDialog.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "app/CMainDialog.h"
#include "processing/CAlbumsProcessingDialog.h"
#include "res/ResourceIds.h"
#include "samples/SampleGenerator.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/ScriptedShell.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"
#include "tests/ui/DrivenMainDialog.h"

namespace lumora {
namespace {

using test::controlById;
using test::DrivenMainDialog;

// "View Options" from the Edit Album menu, answered as a person would: "By
// Name", "Descendent", "Accept".
void sortByNameDescending(CEditAlbumDialog& edit) {
    QTimer::singleShot(0, &edit, [&edit] {
        auto* options = edit.findChild<CViewOptionsDialog*>();
        ASSERT_NE(options, nullptr);
        options->byName();
        options->findChild<QComboBox*>()->setCurrentIndex(1);
        options->acceptOptions();
    });
    edit.viewOptions();
}

class WholeRunFilmOrder : public ::testing::Test {
  protected:
    void SetUp() override {
        samples::SampleOptions options;
        options.count = 24;
        samples::SampleCounts counts;
        std::string error;
        ASSERT_TRUE(samples::writeSamples(source, options, counts, error)) << error;
        prompter.answer(kAnswerOk);  // the sample with a zero date
        shell.folder(source);
        window.selectSource();
        ASSERT_GE(workspace.pictures().size(), 12u);
    }
    size_t picturesUpTo(uint64_t time) {
        return static_cast<size_t>(std::count_if(
            workspace.pictures().begin(), workspace.pictures().end(),
            [time](const PictureEntry& picture) { return picture.dateTime <= time; }));
    }
    std::vector<int32_t> albumIds() {
        std::vector<int32_t> ids;
        for (const PictureEntry& entry : workspace.pictures()) ids.push_back(entry.albumId);
        return ids;
    }
    void editAlbumAt(int row) {
        controlById<QListWidget>(window, res::kIdAlbumList)->setCurrentRow(row);
        window.editSelectedAlbum();
    }

    test::TzGuard zone{"UTC0"};
    test::TempDir dir;
    const std::string source = dir.file("card");
    Workspace workspace;
    test::ScriptedPrompter prompter;
    test::ScriptedShell shell;
    DrivenMainDialog window{workspace, prompter, shell};
};

TEST_F(WholeRunFilmOrder, albumsFromAFilmByNameDescendingSpanAndHoldEveryPicture) {
    const int total = static_cast<int>(workspace.pictures().size());
    uint64_t middle = 0;
    window.editAlbum = [&](CEditAlbumDialog& edit) {
        sortByNameDescending(edit);
        EXPECT_EQ(workspace.viewOptions.sortByDate, 0);
        EXPECT_EQ(workspace.viewOptions.sortAscending, 0);
        const Album& album = *workspace.currentAlbum();
        EXPECT_LE(album.startKey, album.endKey);
        ASSERT_EQ(edit.filmModel()->rowCount(), total);
        // The album ends at the middle picture in time, wherever it shows.
        std::vector<uint64_t> times;
        for (const PictureEntry& picture : workspace.film) times.push_back(picture.dateTime);
        std::sort(times.begin(), times.end());
        middle = times[times.size() / 2];
        const auto at = std::find_if(workspace.film.begin(), workspace.film.end(),
                                     [&](const PictureEntry& p) { return p.dateTime == middle; });
        edit.film()->selectRow(static_cast<int>(at - workspace.film.begin()));
        edit.setEndDate();
        edit.saveAlbum();
    };
    window.startFromPositive();
    ASSERT_EQ(workspace.albums.size(), 1u);
    const int first = static_cast<int>(picturesUpTo(middle));
    EXPECT_EQ(workspace.albums[0].pictureCount, first);
    EXPECT_LE(workspace.albums[0].startKey, workspace.albums[0].endKey);
    EXPECT_EQ(workspace.albums[0].endKey, middle);

    // From a negative film, still by name and descending: every picture left
    // is taken in.
    window.editAlbum = [&](CEditAlbumDialog& edit) {
        const Album& album = *workspace.currentAlbum();
        EXPECT_LE(album.startKey, album.endKey);
        const int rows = edit.filmModel()->rowCount();
        EXPECT_EQ(rows, total - first);
        for (int row = 0; row < rows; ++row) {
            edit.film()->selectRow(row);
            edit.filmDoubleClicked();
        }
        edit.saveAlbum();
    };
    window.startFromNegative();
    ASSERT_EQ(workspace.albums.size(), 2u);
    EXPECT_EQ(workspace.albums[1].pictureCount, total - first);
    EXPECT_LE(workspace.albums[1].startKey, workspace.albums[1].endKey);
    EXPECT_GT(workspace.albums[1].startKey, middle);
    for (const PictureEntry& picture : workspace.pictures()) {
        EXPECT_EQ(picture.albumId, picture.dateTime <= middle ? 1 : 2) << picture.path;
    }

    // The first album, edited later, shows every picture and keeps them.
    window.editAlbum = [&](CEditAlbumDialog& edit) {
        EXPECT_EQ(edit.filmModel()->rowCount(), first);
        edit.saveAlbum();
    };
    editAlbumAt(0);
    EXPECT_EQ(workspace.albums[0].pictureCount, first);
    EXPECT_EQ(workspace.albums[1].pictureCount, total - first);
}

TEST_F(WholeRunFilmOrder, aProcessedAlbumTriedWithEveryControlStaysAsItWas) {
    window.editAlbum = [&](CEditAlbumDialog& edit) { edit.saveAlbum(); };
    window.startFromPositive();
    ASSERT_EQ(workspace.albums.size(), 1u);
    shell.folder(dir.makeDir("albums"));
    window.selectTarget();
    window.process();
    ASSERT_EQ(workspace.albums[0].processed, 1);
    const Album before = workspace.albums[0];
    const std::vector<int32_t> idsBefore = albumIds();
    const int rows = static_cast<int>(workspace.pictures().size());

    prompter.expect("Album is already processed and cannot be modified!", "", Buttons::Ok,
                    kAnswerOk);
    window.editAlbum = [&](CEditAlbumDialog& edit) {
        ASSERT_EQ(edit.filmModel()->rowCount(), rows);
        edit.film()->selectRow(1);
        for (int id : {res::kIdOk, res::kIdSetStartDate, res::kIdSetEndDate, res::kIdClearStart,
                       res::kIdClearEnd}) {
            controlById<QPushButton>(edit, id)->click();
        }
        for (int id : {res::kIdCreateSubDirCheck, res::kIdKeepOriginalNameCheck,
                       res::kIdAddDateCheck, res::kIdAddTimeCheck, res::kIdAddCameraModelCheck}) {
            controlById<QCheckBox>(edit, id)->click();
        }
        for (int id : {res::kIdAlbumNameEdit, res::kIdDirectoryNameEdit}) {
            EXPECT_TRUE(controlById<QLineEdit>(edit, id)->isReadOnly()) << id;
        }
        edit.filmDoubleClicked();
        edit.labelEditBegan(1, "x");
        edit.labelEditEnded(1, "Renamed");
        for (int id : {res::kCmdManualTimeRange, res::kCmdAdvancedFilterTool}) {
            QAction* action = edit.findChild<QAction*>(QString::number(id));
            ASSERT_FALSE(action->isEnabled()) << id;
            action->trigger();
        }
        EXPECT_EQ(edit.advancedFilter(), nullptr);
        // The order may still be changed: it is the film's, not the album's.
        sortByNameDescending(edit);
        EXPECT_EQ(edit.filmModel()->rowCount(), rows);
        EXPECT_EQ(edit.end(), DialogEnd::Other);
        edit.reject();  // nothing changed: no question
        EXPECT_EQ(edit.end(), DialogEnd::Discard);
    };
    editAlbumAt(0);
    EXPECT_EQ(workspace.albums[0], before);
    EXPECT_EQ(albumIds(), idsBefore);
    for (const PictureEntry& picture : workspace.pictures()) {
        EXPECT_EQ(picture.exif->hasCustomName, 0);
    }
}

}  // namespace
}  // namespace lumora
