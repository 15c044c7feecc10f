#include "processing/ProcessAlbums.h"

#include <gtest/gtest.h>

#include "tests/processing/ProcessFixture.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::fileExists;
using test::fileTimeAt;
using test::listNames;
using test::readFile;
using test::ScriptedPrompter;

const uint64_t kMorning = fileTimeAt(2019, 11, 3, 10, 20, 30);
const uint64_t kEvening = fileTimeAt(2019, 11, 3, 19, 5, 1);

class ProcessAlbumsTest : public ::testing::Test {
  protected:
    FileSystem& fs = realFileSystem();
    test::ProcessBench bench;
};

TEST_F(ProcessAlbumsTest, copiesAnAlbumIntoItsFolderAndSubFolderUnderNewNames) {
    Album& album = bench.addAlbum("Holiday", "2019");
    bench.addPicture("day/IMG_1.JPG", kMorning, 5, album.id);
    bench.addPicture("day/IMG_2.JPG", kEvening, 6, album.id);
    bench.addPicture("other/IMG_3.JPG", kEvening, 7, 0);
    ScriptedPrompter prompter;

    const ProcessReport report = bench.run(fs, prompter);

    const std::string folder = bench.target + test::nativePath("/2019/Holiday");
    EXPECT_EQ(listNames(bench.target), std::vector<std::string>{"2019"});
    EXPECT_EQ(listNames(folder),
              (std::vector<std::string>{"Holiday-5 [2019-11-03] [10 20 30].jpg",
                                        "Holiday-6 [2019-11-03] [19 05 01].jpg"}));
    EXPECT_EQ(readFile(folder + test::nativePath("/Holiday-5 [2019-11-03] [10 20 30].jpg")),
              bench.contents[0]);
    EXPECT_EQ(readFile(bench.pictures[0].path), bench.contents[0]);
    EXPECT_EQ(bench.albums[0].processed, 1);
    EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
    EXPECT_EQ(report.filesTransferred, 2);
    EXPECT_TRUE(report.untransferred.empty());
    EXPECT_EQ(bench.upper.statuses, (std::vector<std::string>{"Processing album: Holiday",
                                                              "1 albums created succesfuly!"}));
    EXPECT_EQ(bench.lower.statuses,
              (std::vector<std::string>{"Copying...IMG_1.jpg", "Copying...IMG_2.jpg",
                                        "Press 'Close Window' to exit."}));
    EXPECT_EQ(bench.upper.rangeUpper, 1);
    EXPECT_EQ(bench.upper.position, 1);
    EXPECT_EQ(bench.lower.rangeUpper, 2);
    EXPECT_EQ(bench.lower.position, 2);
}

TEST_F(ProcessAlbumsTest, separatorAsDirectoryNameMeansNoAlbumFolder) {
    Album& flat = bench.addAlbum("Flat", "/");
    flat.createSubDirectory = 0;
    flat.addTime = 0;
    Album& sub = bench.addAlbum("", "/");
    sub.addDate = 0;
    sub.addTime = 0;
    bench.addPicture("IMG_1.JPG", kMorning, 0, flat.id);
    bench.addPicture("IMG_2.JPG", kMorning, 1, sub.id);
    ScriptedPrompter prompter;

    EXPECT_EQ(bench.run(fs, prompter).summaryText, "2 albums created succesfuly!");

    EXPECT_EQ(listNames(bench.target),
              (std::vector<std::string>{"Album.2", "Flat-0 [2019-11-03].jpg"}));
    EXPECT_EQ(listNames(bench.target + test::nativePath("/Album.2")),
              std::vector<std::string>{"album2-1.jpg"});
}

TEST_F(ProcessAlbumsTest, namesFromSourcesWithDotsUseTheFileNameUpToItsFirstDot) {
    Album& album = bench.addAlbum("Trip", "/");
    album.createSubDirectory = 0;
    album.keepOriginalName = 1;
    album.addDate = 0;
    album.addTime = 0;
    bench.addPicture("trip.2019/IMG.1.JPG", kMorning, 0, album.id);
    bench.addPicture("trip.2019/DSC_4.jpeg.JPG", kMorning, 1, album.id);
    ScriptedPrompter prompter;

    bench.run(fs, prompter);

    EXPECT_EQ(listNames(bench.target), (std::vector<std::string>{"DSC_4.jpg", "IMG.jpg"}));
    EXPECT_EQ(bench.lower.statuses[0], "Copying...IMG.jpg");
}

TEST_F(ProcessAlbumsTest, reprocessingAsksOncePerExistingFolderAndYesContinuesIntoIt) {
    Album& album = bench.addAlbum("Holiday", "2019");
    album.addDate = 0;
    album.addTime = 0;
    bench.addPicture("IMG_1.JPG", kMorning, 1, album.id);
    bench.addPicture("IMG_2.JPG", kMorning, 2, album.id);
    bench.temp.makeDir("target/2019/Holiday");
    ScriptedPrompter prompter;
    prompter.expect("Directory already exists( 2019)! Continue?", "Lumora", Buttons::YesNo,
                    kAnswerYes);
    prompter.expect("Directory already exists( Holiday)! Continue?", "Lumora", Buttons::YesNo,
                    kAnswerYes);

    EXPECT_EQ(bench.run(fs, prompter).summaryText, "1 albums created succesfuly!");
    EXPECT_EQ(listNames(bench.target + test::nativePath("/2019/Holiday")),
              (std::vector<std::string>{"Holiday-1.jpg", "Holiday-2.jpg"}));
}

TEST_F(ProcessAlbumsTest, noToAnExistingFolderGivesTheOnlyAlbumUp) {
    Album& album = bench.addAlbum("Holiday", "2019");
    bench.addPicture("IMG_1.JPG", kMorning, 1, album.id);
    bench.addPicture("IMG_2.JPG", kMorning, 2, album.id);
    bench.temp.makeDir("target/2019");
    ScriptedPrompter prompter;
    prompter.expect("Directory already exists( 2019)! Continue?", "Lumora", Buttons::YesNo,
                    kAnswerNo);

    const ProcessReport report = bench.run(fs, prompter);

    EXPECT_EQ(report.summaryText, "Operation canceled by user!");
    EXPECT_EQ(bench.albums[0].processed, 0);
    EXPECT_TRUE(listNames(bench.target + test::nativePath("/2019")).empty());
    ASSERT_EQ(report.untransferred.size(), 2u);
    EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::GivenUp);
    EXPECT_EQ(report.untransferred[1].outcome, FileOutcome::NotReached);
    EXPECT_EQ(report.untransferred[1].source, bench.pictures[1].path);
}

TEST_F(ProcessAlbumsTest, anExistingTargetIsKeptOnNoAndReplacedOnYes) {
    for (const int answer : {kAnswerNo, kAnswerYes}) {
        test::ProcessBench run;
        Album& album = run.addAlbum("A", "/");
        album.createSubDirectory = 0;
        album.addDate = 0;
        album.addTime = 0;
        run.addPicture("IMG_1.JPG", kMorning, 1, album.id);
        run.addPicture("IMG_2.JPG", kMorning, 2, album.id);
        run.temp.writeFile("target/A-1.jpg", std::string("older file"));
        ScriptedPrompter prompter;
        prompter.expect("A-1.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                        answer);

        const ProcessReport report = run.run(fs, prompter);

        EXPECT_EQ(readFile(run.target + test::nativePath("/A-1.jpg")),
                  answer == kAnswerYes ? run.contents[0] : std::string("older file"));
        EXPECT_EQ(readFile(run.target + test::nativePath("/A-2.jpg")), run.contents[1]);
        EXPECT_EQ(run.albums[0].processed, 1);
        EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
        EXPECT_EQ(run.lower.position, 2) << "a skipped file still counts as done";
        EXPECT_EQ(report.untransferred.size(), answer == kAnswerYes ? 0u : 1u);
        EXPECT_EQ(listNames(run.target).size(), 2u) << "no temporary file is left";
    }
}

TEST_F(ProcessAlbumsTest, skipsProcessedAlbumsAndCountsThemAsCreated) {
    Album& first = bench.addAlbum("First", "one");
    first.processed = 1;
    Album& second = bench.addAlbum("Second", "two");
    Album& third = bench.addAlbum("Third", "three");
    bench.addPicture("IMG_1.JPG", kMorning, 1, first.id);
    bench.addPicture("IMG_2.JPG", kMorning, 2, second.id);
    bench.addPicture("IMG_3.JPG", kMorning, 3, third.id);
    ScriptedPrompter prompter;
    prompter.expect("Album 'First' is processed. Skip to next album", "Lumora", Buttons::Ok,
                    kAnswerOk);

    EXPECT_EQ(bench.run(fs, prompter).summaryText, "3 albums created succesfuly!");
    EXPECT_EQ(listNames(bench.target), (std::vector<std::string>{"three", "two"}));
    EXPECT_EQ(bench.upper.position, 3);
}

TEST_F(ProcessAlbumsTest, noToMoveToNextAlbumEndsTheRunWithTheCountOfAllAlbums) {
    for (int i = 0; i < 5; ++i) {
        Album& album = bench.addAlbum("A" + std::to_string(i + 1), "d" + std::to_string(i + 1));
        bench.addPicture("IMG_" + std::to_string(i) + ".JPG", kMorning, i, album.id);
    }
    bench.temp.makeDir("target/d2");
    ScriptedPrompter prompter;
    prompter.expect("Directory already exists( d2)! Continue?", "Lumora", Buttons::YesNo,
                    kAnswerNo);
    prompter.expect("Move to next album?", "", Buttons::YesNo, kAnswerNo);

    const ProcessReport report = bench.run(fs, prompter);

    EXPECT_EQ(report.summaryText, "1 albums from 5 created succesfuly!");
    EXPECT_EQ(report.albumsVisited, 2);
    EXPECT_EQ(listNames(bench.target), (std::vector<std::string>{"d1", "d2"}));
    std::vector<FileOutcome> outcomes;
    for (const UntransferredFile& file : report.untransferred) outcomes.push_back(file.outcome);
    EXPECT_EQ(outcomes,
              (std::vector<FileOutcome>{FileOutcome::GivenUp, FileOutcome::NotReached,
                                        FileOutcome::NotReached, FileOutcome::NotReached}));
    EXPECT_EQ(bench.albums[0].processed, 1);
    EXPECT_EQ(bench.albums[1].processed + bench.albums[2].processed, 0);
}

TEST_F(ProcessAlbumsTest, everyAlbumFailingEndsWithCanceledByUser) {
    for (int i = 0; i < 3; ++i) {
        Album& album = bench.addAlbum("A" + std::to_string(i), "d" + std::to_string(i));
        bench.addPicture("IMG_" + std::to_string(i) + ".JPG", kMorning, i, album.id);
        bench.temp.makeDir("target/d" + std::to_string(i));
    }
    ScriptedPrompter prompter;
    for (int i = 0; i < 3; ++i) {
        prompter.expect("Directory already exists( d" + std::to_string(i) + ")! Continue?",
                        "Lumora", Buttons::YesNo, kAnswerNo);
        if (i < 2) prompter.expect("Move to next album?", "", Buttons::YesNo, kAnswerYes);
    }

    const ProcessReport report = bench.run(fs, prompter);

    EXPECT_EQ(report.summaryText, "Operation canceled by user!");
    EXPECT_EQ(report.albumsFailed, 3);
}

TEST_F(ProcessAlbumsTest, anAlbumWithoutPicturesMakesNoFolderAndIsProcessed) {
    bench.addAlbum("Empty", "nothing");
    ScriptedPrompter prompter;
    EXPECT_EQ(bench.run(fs, prompter).summaryText, "1 albums created succesfuly!");
    EXPECT_TRUE(listNames(bench.target).empty());
    EXPECT_EQ(bench.albums[0].processed, 1);
}

TEST_F(ProcessAlbumsTest, movesPicturesAndLeavesTheSourcePathsOfTheListAlone) {
    Album& album = bench.addAlbum("M", "/");
    album.createSubDirectory = 0;
    album.addDate = 0;
    album.addTime = 0;
    bench.addPicture("IMG_1.JPG", kMorning, 1, album.id);
    const std::string sourcePath = bench.pictures[0].path;
    ScriptedPrompter prompter;

    EXPECT_EQ(bench.run(fs, prompter, 1).summaryText, "1 albums created succesfuly!");
    EXPECT_FALSE(fileExists(sourcePath));
    EXPECT_EQ(readFile(bench.target + test::nativePath("/M-1.jpg")), bench.contents[0]);
    EXPECT_EQ(bench.pictures[0].path, sourcePath);
    EXPECT_EQ(bench.lower.statuses[0], "Moving...IMG_1.jpg");
}

// A move meets an existing target as a copy does: the question names the
// target file; Yes replaces it, No skips the picture, Cancel gives the album up.
TEST_F(ProcessAlbumsTest, aMoveOntoAnExistingFileAsksAboutThatFileAndNeverReplacesWithoutYes) {
    for (const int answer : {kAnswerNo, kAnswerYes, kAnswerCancel}) {
        SCOPED_TRACE(answerName(answer));
        test::ProcessBench run;
        Album& album = run.addAlbum("M", "/");
        album.createSubDirectory = 0;
        album.addDate = 0;
        album.addTime = 0;
        run.addPicture("IMG_1.JPG", kMorning, 1, album.id);
        run.temp.writeFile("target/M-1.jpg", std::string("older file"));
        ScriptedPrompter prompter;
        prompter.expect("M-1.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                        answer);

        const ProcessReport report = run.run(fs, prompter, 1);

        if (answer == kAnswerYes) {
            EXPECT_EQ(readFile(run.target + test::nativePath("/M-1.jpg")), run.contents[0]);
            EXPECT_FALSE(fileExists(run.pictures[0].path));
            EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
            continue;
        }
        EXPECT_EQ(readFile(run.target + test::nativePath("/M-1.jpg")), "older file");
        EXPECT_EQ(readFile(run.pictures[0].path), run.contents[0]);
        ASSERT_EQ(report.untransferred.size(), 1u);
        if (answer == kAnswerNo) {
            EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::Skipped);
            EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
        } else {
            EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::GivenUp);
            EXPECT_EQ(report.summaryText, "Operation canceled by user!");
        }
    }
}

TEST(SummaryText, choosesByTheFailedAndVisitedCounts) {
    EXPECT_EQ(summaryText(0, 0, 0), "0 albums created succesfuly!");
    EXPECT_EQ(summaryText(4, 0, 4), "4 albums created succesfuly!");
    EXPECT_EQ(summaryText(2, 2, 4), "Operation canceled by user!");
    EXPECT_EQ(summaryText(4, 1, 4), "3 albums from 4 created succesfuly!");
}

}  // namespace
}  // namespace lumora
