// A whole session through the windows, as a person would go: the sample
// pictures as source, one album from a positive film and one from a negative
// film with pictures taken in and one renamed on the film, the session saved,
// and the albums processed by copy into a new target. Every file written is
// checked, by name and by bytes, and nothing else may appear in the target.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "albums/CEditAlbumDialog.h"
#include "albums/DateTimeText.h"
#include "albums/FilmView.h"
#include "app/CMainDialog.h"
#include "app/SessionCommands.h"
#include "processing/CAlbumsProcessingDialog.h"
#include "processing/TargetNames.h"
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

using test::DrivenMainDialog;

using test::AgreeingPrompter;

std::string bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(WholeRunThroughTheWindows, twoAlbumsSavedAndProcessedByCopyWriteEveryPictureOnce) {
    test::TzGuard zone{"UTC0"};
    test::TempDir dir;
    const std::string source = dir.file("card");
    samples::SampleOptions options;
    options.count = 24;
    samples::SampleCounts counts;
    std::string error;
    ASSERT_TRUE(samples::writeSamples(source, options, counts, error)) << error;
    const std::string target = dir.makeDir("albums");
    const std::string session = dir.file("trip.lsn");

    Workspace workspace;
    // The one question of the whole run: the sample with a zero date.
    test::ScriptedPrompter prompter;
    prompter.answer(kAnswerOk);
    test::ScriptedShell shell;
    DrivenMainDialog window(workspace, prompter, shell);
    shell.folder(source);
    window.selectSource();
    const size_t pictureCount = workspace.pictures().size();
    ASSERT_GE(pictureCount, 12u);
    ASSERT_EQ(prompter.questions().size(), 1u);
    EXPECT_EQ(prompter.questions()[0].text.rfind("Warning! Lumora found 1 pictures", 0), 0u);

    // Album 1, positive: the first five pictures of the film, one left out.
    window.editAlbum = [&](CEditAlbumDialog& edit) {
        edit.film()->selectRow(0);
        edit.setStartDate();
        edit.film()->selectRow(4);
        edit.setEndDate();
        edit.film()->selectRow(2);
        edit.filmDoubleClicked();
        edit.saveAlbum();
    };
    window.startFromPositive();
    ASSERT_EQ(workspace.albums.size(), 1u);
    EXPECT_EQ(workspace.albums[0].pictureCount, 4);

    // Album 2, negative: every picture starts out; three are taken in and the
    // second of them is renamed on the film.
    window.editAlbum = [&](CEditAlbumDialog& edit) {
        edit.film()->selectRow(0);
        edit.setStartDate();
        edit.film()->selectRow(5);
        edit.setEndDate();
        for (const int row : {1, 3, 5}) {
            edit.film()->selectRow(row);
            edit.filmDoubleClicked();
        }
        edit.labelEditEnded(3, QStringLiteral("Harbour at dawn"));
        edit.saveAlbum();
    };
    window.startFromNegative();
    ASSERT_EQ(workspace.albums.size(), 2u);
    EXPECT_EQ(workspace.albums[1].pictureCount, 3);

    shell.saveFile(session);
    window.saveSession();
    ASSERT_TRUE(std::filesystem::exists(session));

    shell.folder(target);
    window.selectTarget();
    window.process();
    EXPECT_EQ(workspace.albums[0].processed, 1);
    EXPECT_EQ(workspace.albums[1].processed, 1);

    // What each picture of an album must have become.
    std::map<std::string, std::string> expected;
    int customNames = 0;
    for (const Album& album : workspace.albums) {
        for (const PictureEntry& picture : workspace.pictures()) {
            if (picture.albumId != album.id) continue;
            std::string name = picture.exif->hasCustomName
                                   ? std::string(picture.exif->customName)
                                   : album.name + "-" + std::to_string(picture.exif->pictureId);
            customNames += picture.exif->hasCustomName ? 1 : 0;
            name +=
                " " + dateText(picture.dateTime, 1) + " " + timeText(picture.dateTime, 1) + ".jpg";
            expected[joinPath(albumTargetFolder(album, target), name)] = bytesOf(picture.path);
        }
    }
    EXPECT_EQ(customNames, 1);
    EXPECT_EQ(expected.size(), 7u);
    std::map<std::string, std::string> written;
    for (const auto& item : std::filesystem::recursive_directory_iterator(target)) {
        // The run's journal is the one file beside the pictures.
        if (item.path().lexically_relative(target).begin()->string() == ".lumora") continue;
        if (item.is_regular_file()) written[item.path().string()] = bytesOf(item.path().string());
    }
    EXPECT_EQ(written.size(), expected.size());
    for (const auto& [path, bytes] : expected) {
        ASSERT_EQ(written.count(path), 1u) << path << " was not written";
        EXPECT_TRUE(written[path] == bytes) << path << " does not hold its picture's bytes";
    }
    const bool renamedWritten = std::any_of(written.begin(), written.end(), [](const auto& item) {
        return item.first.find(kPathSeparator + std::string("Harbour at dawn [")) !=
               std::string::npos;
    });
    EXPECT_TRUE(renamedWritten);

    // The saved session, loaded into a fresh window, shows the two albums.
    Workspace reloaded;
    AgreeingPrompter otherPrompter;
    test::ScriptedShell otherShell;
    CMainDialog other(reloaded, otherPrompter, otherShell);
    other.loadSessionFile(session);
    ASSERT_EQ(reloaded.albums.size(), 2u);
    EXPECT_EQ(reloaded.albums[0].pictureCount, 4);
    EXPECT_EQ(reloaded.albums[1].pictureCount, 3);
}

}  // namespace
}  // namespace lumora
