// A previewed run: it takes the decisions of a real run over the same
// pictures and target, and touches nothing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "processing/ProcessAlbums.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::listNames;
using test::readFile;

Album& plainAlbum(test::ProcessBench& bench, const std::string& name,
                  const std::string& directoryName = "/") {
    Album& album = bench.addAlbum(name, directoryName);
    album.addDate = 0;
    album.addTime = 0;
    return album;
}

// A library whose names collide: camera numbering repeating across folders,
// two pictures given one custom name, a file left by an earlier run at one
// target and a picture of the list at another.
void collidingLibrary(test::ProcessBench& bench) {
    Album& camera = plainAlbum(bench, "camera", "2020");
    camera.keepOriginalName = 1;
    bench.addPicture("100CANON/IMG_0001.JPG", 1, 1, camera.id);
    bench.addPicture("101CANON/IMG_0001.JPG", 2, 2, camera.id);
    bench.addPicture("102CANON/img_0001.jpg", 3, 3, camera.id);
    Album& named = plainAlbum(bench, "named");
    for (int i = 0; i < 2; ++i) {
        PictureEntry& picture =
            bench.addPicture("named" + std::to_string(i) + ".JPG", 4, 4 + i, named.id);
        picture.exif->hasCustomName = 1;
        std::snprintf(picture.exif->customName, sizeof picture.exif->customName, "Beach");
    }
    bench.temp.writeFile("target/named/Beach (2).jpg", std::string("earlier run"));
}

TEST(ProcessPlan, previewsTheTargetsARealRunWritesAndTouchesNothing) {
    for (const int32_t moveMode : {0, 1}) {
        SCOPED_TRACE(moveMode ? "move" : "copy");
        test::ProcessBench bench;
        collidingLibrary(bench);
        test::ScriptedPrompter silent;  // fails the test on any question

        bench.countAlbums();
        ProcessSettings settings;
        settings.targetDirectory = bench.target;
        settings.moveMode = moveMode;
        settings.planOnly = true;
        const ProcessServices services{realFileSystem(), silent, bench.upper, bench.lower};
        const ProcessReport plan = processAlbums(bench.albums, bench.pictures, settings, services);

        EXPECT_EQ(listNames(bench.target), std::vector<std::string>{"named"});
        EXPECT_EQ(listNames(bench.target + test::nativePath("/named")),
                  std::vector<std::string>{"Beach (2).jpg"});
        for (size_t i = 0; i < bench.pictures.size(); ++i) {
            EXPECT_EQ(readFile(bench.pictures[i].path), bench.contents[i]);
        }
        EXPECT_EQ(bench.albums[0].processed, 0);
        EXPECT_EQ(bench.albums[1].processed, 0);
        ASSERT_EQ(plan.plannedFolders.size(), 3u);
        EXPECT_EQ(plan.plannedFolders[0].path, bench.target + test::nativePath("/2020"));
        EXPECT_FALSE(plan.plannedFolders[0].exists);
        EXPECT_EQ(plan.plannedFolders[1].path, bench.target + test::nativePath("/2020/camera"));
        EXPECT_EQ(plan.plannedFolders[2].path, bench.target + test::nativePath("/named"));
        EXPECT_TRUE(plan.plannedFolders[2].exists);
        ASSERT_EQ(plan.plannedTransfers.size(), 5u);
        EXPECT_EQ(plan.plannedTransfers[2].target,
                  bench.target + test::nativePath("/2020/camera/img_0001 (3).jpg"));
        EXPECT_EQ(plan.plannedTransfers[4].existing, ExistingTarget::Replaceable);
        EXPECT_TRUE(plan.untransferred.empty());

        // The real run, told Yes to the existing folder and the existing
        // file, writes exactly the previewed targets.
        test::ScriptedPrompter prompter;
        prompter.answer(kAnswerYes).answer(kAnswerYes);
        bench.run(realFileSystem(), prompter, moveMode);
        for (size_t i = 0; i < plan.plannedTransfers.size(); ++i) {
            EXPECT_EQ(plan.plannedTransfers[i].source, bench.pictures[i].path);
            EXPECT_EQ(readFile(plan.plannedTransfers[i].target), bench.contents[i]);
        }
        EXPECT_EQ(listNames(bench.target + test::nativePath("/2020/camera")).size(), 3u);
        EXPECT_EQ(listNames(bench.target + test::nativePath("/named")).size(), 2u);
    }
}

// What a real run leaves alone or refuses, a preview reports the same way,
// without the questions.
TEST(ProcessPlan, reportsRefusalsAndPicturesInPlaceWithoutAsking) {
    test::ProcessBench bench;
    Album& done = plainAlbum(bench, "done");
    done.processed = 1;
    Album& escaping = plainAlbum(bench, "../out");
    Album& odd = plainAlbum(bench, "odd");
    bench.addPicture("IMG_1.JPG", 1, 1, done.id);
    bench.addPicture("IMG_2.JPG", 2, 2, escaping.id);
    PictureEntry& named = bench.addPicture("IMG_3.JPG", 3, 3, odd.id);
    named.exif->hasCustomName = 1;
    std::snprintf(named.exif->customName, sizeof named.exif->customName, "a/b");
    // A picture already at the target its album gives it.
    Album& inPlace = plainAlbum(bench, "day");
    inPlace.createSubDirectory = 0;
    bench.target = bench.source;
    bench.addPicture("day-4.jpg", 4, 4, inPlace.id);
    test::ScriptedPrompter silent;

    bench.countAlbums();
    ProcessSettings settings;
    settings.targetDirectory = bench.target;
    settings.planOnly = true;
    const ProcessServices services{realFileSystem(), silent, bench.upper, bench.lower};
    const ProcessReport plan = processAlbums(bench.albums, bench.pictures, settings, services);

    ASSERT_EQ(plan.untransferred.size(), 2u);
    EXPECT_EQ(plan.untransferred[0].outcome, FileOutcome::GivenUp);
    EXPECT_EQ(plan.untransferred[0].source, bench.pictures[1].path);
    EXPECT_EQ(plan.untransferred[1].outcome, FileOutcome::InvalidName);
    ASSERT_EQ(plan.plannedTransfers.size(), 1u);
    EXPECT_EQ(plan.plannedTransfers[0].existing, ExistingTarget::ItsOwnSource);
    EXPECT_EQ(plan.albumsFailed, 1);
    EXPECT_EQ(bench.upper.statuses.back(), "Processing album: day") << "no summary shown";
    for (const Album& album : bench.albums) EXPECT_EQ(album.processed, album.id == done.id);
    EXPECT_FALSE(std::filesystem::exists(bench.source + test::nativePath("/odd")));
}

}  // namespace
}  // namespace lumora
