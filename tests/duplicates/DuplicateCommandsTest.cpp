#include "app/DuplicateCommands.h"

#include <gtest/gtest.h>

#include "duplicates/DuplicateRemoval.h"
#include "duplicates/DuplicateTexts.h"
#include "tests/duplicates/RecordingProgress.h"
#include "tests/duplicates/SignaturePictures.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

using test::signedPicture;

using Lines = std::vector<std::string>;

const SignatureValues kA = {0.5, 0.5};
const SignatureValues kB = {0.25, 0.75};

Lines pathsOf(const PictureList& pictures) {
    Lines paths;
    for (const PictureEntry& picture : pictures) paths.push_back(picture.path);
    return paths;
}

// A workspace as a scan of these pictures leaves it.
void fill(Workspace& workspace, PictureList pictures) {
    workspace.pictures() = std::move(pictures);
    workspace.picturesAtScan = workspace.catalog.pictureCount();
    workspace.duplicatesFound = 0;
    workspace.freedBytes = 0.0f;
    workspace.filmBuilt = 1;
}

TEST(DuplicateCommands, aWholeSearchOverAScannedFolder) {
    test::TzGuard tz("UTC");
    test::TempDir dir;
    test::PictureSpec spec;
    spec.dateTimeOriginal = "2021:05:06 07:08:09";
    const std::vector<uint8_t> shared = test::exifPicture(spec);
    dir.writeFile("src/2021/a.jpg", shared);
    dir.writeFile("src/copies/a.jpg", shared);
    spec.seed = 2;
    spec.dateTimeOriginal = "2021:05:06 08:00:00";
    dir.writeFile("src/b.jpg", test::exifPicture(spec));

    Workspace workspace;
    test::ScriptedPrompter prompter;
    test::RecordingProgress progress;
    workspace.scan(dir.file("src"), prompter, progress);
    ASSERT_EQ(workspace.catalog.pictureCount(), 3);
    EXPECT_EQ(openingStatusText(workspace.pictures()),
              "Pictures not analized.Please analize first, then compare");

    EXPECT_EQ(analyseDuplicates(workspace, progress), 3);
    EXPECT_EQ(openingStatusText(workspace.pictures()),
              "Pictures are analized. You may compare them.");
    Lines lines;
    EXPECT_EQ(compareDuplicates(workspace, lines, progress), 1);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "### Duplicate nr.1 ###");
    EXPECT_EQ(workspace.duplicatesFound, 1);

    const uint64_t size = shared.size();
    prompter.expect(spaceFreedText(1, static_cast<float>(size)), "", Buttons::Ok, kAnswerOk);
    acceptDuplicates(workspace, true, prompter);
    EXPECT_EQ(workspace.excludeDuplicates, 1);
    finishDuplicateSearch(workspace);
    EXPECT_EQ(workspace.catalog.pictureCount(), 2);
    EXPECT_EQ(workspace.removedPictures.size(), 1u);
    EXPECT_EQ(workspace.statusText,
              "2 unique .JPG Files with exif information. Duplicates 1. Removed 1");
}

TEST(DuplicateCommands, onlyTheFirstComparisonThatFindsDuplicatesSetsTheCount) {
    Workspace workspace;
    fill(workspace, {signedPicture("/a1", kA), signedPicture("/b1", kB), signedPicture("/a2", kA),
                     signedPicture("/b2", kB)});
    workspace.pictures()[2].exif->signature[0] = 0.125;  // differs for the first pass
    Lines lines;
    test::RecordingProgress progress;
    EXPECT_EQ(compareDuplicates(workspace, lines, progress), 1);
    EXPECT_EQ(workspace.duplicatesFound, 1);
    workspace.pictures()[2].exif->signature[0] = 0.5;
    EXPECT_EQ(compareDuplicates(workspace, lines, progress), 2);
    EXPECT_EQ(workspace.duplicatesFound, 1);

    Workspace fresh;
    fill(fresh, {signedPicture("/a1", kA), signedPicture("/b1", kB)});
    EXPECT_EQ(compareDuplicates(fresh, lines, progress), 0);
    EXPECT_EQ(fresh.duplicatesFound, 0);
}

TEST(DuplicateCommands, removeSelectedRefusesLinesThatAreNoPicture) {
    Workspace workspace;
    fill(workspace, {signedPicture("/a1", kA), signedPicture("/a2", kA)});
    Lines lines;
    test::RecordingProgress progress;
    compareDuplicates(workspace, lines, progress);
    test::ScriptedPrompter prompter;
    prompter.expect("Item not removed", "", Buttons::Ok, kAnswerOk);
    EXPECT_FALSE(
        removeSelectedDuplicate(workspace, "### Duplicate nr.1 ###", lines, prompter, progress));
    EXPECT_EQ(workspace.catalog.pictureCount(), 2);
    EXPECT_EQ(lines.size(), 3u);

    Workspace empty;
    prompter.expect("Item not removed", "", Buttons::Ok, kAnswerOk);
    EXPECT_FALSE(removeSelectedDuplicate(empty, "/a1", lines, prompter, progress));
    EXPECT_TRUE(empty.removedPictures.empty());
}

TEST(DuplicateCommands, removingAGroupsFirstPictureRegroupsTheRestAndCancelKeepsIt) {
    Workspace workspace;
    fill(workspace, {signedPicture("/a1", kA, 2u << 20), signedPicture("/a2", kA, 1u << 20),
                     signedPicture("/a3", kA, 1u << 20), signedPicture("/a4", kA, 1u << 20)});
    // a1 and a3 are in the album: both stay, a2 and a4 are their duplicates.
    workspace.albums.resize(1);
    workspace.albums[0].id = 1;
    workspace.pictures()[0].albumId = 1;
    workspace.pictures()[2].albumId = 1;
    workspace.albums[0].pictureCount = 2;
    workspace.albums[0].sizeMB = 3.0f;

    Lines lines;
    test::RecordingProgress progress;
    ASSERT_EQ(compareDuplicates(workspace, lines, progress), 2);
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", "/a1", "/a3", "/a2", "/a4"}));
    EXPECT_EQ(markedDuplicateCount(workspace), 2);
    test::ScriptedPrompter prompter;
    EXPECT_TRUE(removeSelectedDuplicate(workspace, "/a1", lines, prompter, progress));
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", "/a3", "/a2", "/a4"}));
    EXPECT_EQ(markedDuplicateCount(workspace), 2);
    EXPECT_TRUE(removeSelectedDuplicate(workspace, "/a3", lines, prompter, progress));
    // No album picture is left: the first of the rest heads the new group,
    // and only its duplicate is marked.
    EXPECT_EQ(lines, (Lines{"### Duplicate nr.1 ###", "/a2", "/a4"}));
    EXPECT_EQ(markedDuplicateCount(workspace), 1);
    EXPECT_EQ(pathsOf(workspace.removedPictures), (Lines{"/a1", "/a3"}));
    EXPECT_EQ(workspace.freedBytes, 3145728.0f);

    // Cancel: no removal of the marked duplicates, but the summary and the
    // recount still happen, and happen the same way a second time.
    for (int opening = 0; opening < 2; ++opening) {
        finishDuplicateSearch(workspace);
        EXPECT_EQ(workspace.statusText,
                  "2 unique .JPG Files with exif information. Duplicates 2. Removed 2");
        EXPECT_EQ(workspace.albums[0].pictureCount, 0);
        EXPECT_EQ(workspace.albums[0].sizeMB, 0.0f);
    }
}

TEST(DuplicateCommands, okWithoutTheCheckBoxRemovesNothingButReportsEarlierRemovals) {
    Workspace workspace;
    fill(workspace,
         {signedPicture("/a1", kA, 3u << 20), signedPicture("/a2", kA), signedPicture("/b", kB)});
    Lines lines;
    test::RecordingProgress progress;
    compareDuplicates(workspace, lines, progress);
    test::ScriptedPrompter prompter;
    acceptDuplicates(workspace, false, prompter);  // nothing freed yet: no message
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_EQ(workspace.filmBuilt, 0);
    finishDuplicateSearch(workspace);
    EXPECT_EQ(workspace.statusText,
              "Found 3 .JPG Files with exif information. Duplicates 1. None removed");

    ASSERT_TRUE(removeSelectedDuplicate(workspace, "/a1", lines, prompter, progress));
    prompter.expect("Ready! 1 duplicate pics removed:   3.0 MB space freed.", "", Buttons::Ok,
                    kAnswerOk);
    acceptDuplicates(workspace, false, prompter);
    EXPECT_EQ(pathsOf(workspace.pictures()), (Lines{"/a2", "/b"}));
}

}  // namespace
}  // namespace lumora
