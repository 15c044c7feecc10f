// Companion files travel with their pictures: named after them, copied or
// moved as they are, asked about as they are, and never parted from them by
// a move.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>

#include "albums/Megabytes.h"
#include "processing/Companions.h"
#include "processing/FreeSpace.h"
#include "processing/ProcessAlbums.h"
#include "processing/ReportSystemError.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::fileExists;
using test::fileTimeAt;
using test::listNames;
using test::readFile;
using test::ScriptedPrompter;
using Names = std::vector<std::string>;

const uint64_t kMorning = fileTimeAt(2024, 7, 14, 16, 5, 22);
constexpr const char* kNewName = "Trip-3 [2024-07-14] [16 05 22]";

class CompanionTransfer : public ::testing::Test {
  protected:
    CompanionTransfer() {
        album = &bench.addAlbum("Trip", "/");
        picture = bench.addPicture("DCIM/IMG_0001.JPG", kMorning, 3, album->id).path;
        folder = bench.target + test::nativePath("/Trip");
    }

    // A file beside the pictures, with bytes of its own; returns its path.
    std::string companion(const std::string& relative) {
        const std::string bytes = "companion " + relative;
        const std::string path = bench.temp.writeFile("source/" + relative, bytes);
        bytes_[path] = bytes;
        return path;
    }
    std::string bytesOf(const std::string& path) { return bytes_[path]; }
    std::string target(const std::string& extension) const {
        return folder + test::nativePath("/") + kNewName + extension;
    }

    test::ProcessBench bench;
    Album* album = nullptr;
    std::string picture;
    std::string folder;

  private:
    std::map<std::string, std::string> bytes_;
};

TEST(CompanionKinds, everyKindIsCopiedOrMovedUnderThePicturesNewName) {
    for (const int moveMode : {0, 1}) {
        SCOPED_TRACE(moveMode == 1 ? "move" : "copy");
        test::ProcessBench bench;
        Album& album = bench.addAlbum("Trip", "/");
        bench.addPicture("DCIM/IMG_0001.JPG", kMorning, 3, album.id);
        const std::string folder = bench.target + test::nativePath("/Trip");
        const Names kinds = {"IMG_0001.CR2", "IMG_0001.xmp", "IMG_0001.JPG.xmp", "img_0001.MOV",
                             "IMG_0001.THM", "IMG_0001.AAE", "IMG_0001.wav",     "IMG_0001.mp4"};
        const Names extensions = {".CR2", ".xmp", ".jpg.xmp", ".MOV",
                                  ".THM", ".AAE", ".wav",     ".mp4"};
        Names sources;
        for (const std::string& name : kinds) {
            sources.push_back(bench.temp.writeFile("source/DCIM/" + name, "companion " + name));
        }
        // Neither of these is a companion of the picture.
        const std::string otherFolder = bench.temp.writeFile("source/OTHER/IMG_0001.NEF", "raw");
        const std::string noPicture = bench.temp.writeFile("source/DCIM/IMG_0002.CR2", "raw");
        ScriptedPrompter prompter;

        const ProcessReport report = bench.run(realFileSystem(), prompter, moveMode);

        const std::string name = kNewName;
        EXPECT_EQ(listNames(folder),
                  (Names{name + ".AAE", name + ".CR2", name + ".MOV", name + ".THM", name + ".jpg",
                         name + ".jpg.xmp", name + ".mp4", name + ".wav", name + ".xmp"}));
        for (size_t i = 0; i < sources.size(); ++i) {
            EXPECT_EQ(readFile(folder + test::nativePath("/") + name + extensions[i]),
                      "companion " + kinds[i]);
            EXPECT_EQ(fileExists(sources[i]), moveMode == 0) << kinds[i];
        }
        EXPECT_TRUE(fileExists(otherFolder));
        EXPECT_TRUE(fileExists(noPicture));
        EXPECT_EQ(report.filesTransferred, 1);
        EXPECT_EQ(report.companionsTransferred, 8);
        EXPECT_TRUE(report.untransferredCompanions.empty());
        EXPECT_EQ(report.summaryText, "1 albums created succesfuly!");
        EXPECT_EQ(bench.upper.last(),
                  std::string("1 albums created succesfuly! 8 companion files ") +
                      (moveMode == 1 ? "moved" : "copied") + " with their pictures.");
    }
}

TEST_F(CompanionTransfer, turnedOffTheyStayAndTheSummaryIsTheRunsOwn) {
    const std::string raw = companion("DCIM/IMG_0001.CR2");
    bench.bringCompanions = false;
    ScriptedPrompter prompter;

    const ProcessReport report = bench.run(realFileSystem(), prompter, 1);

    EXPECT_EQ(listNames(folder), Names{std::string(kNewName) + ".jpg"});
    EXPECT_EQ(readFile(raw), bytesOf(raw));
    EXPECT_EQ(report.companionsTransferred, 0);
    EXPECT_EQ(bench.upper.last(), "1 albums created succesfuly!");
}

TEST_F(CompanionTransfer, companionsFollowTheNumberedNameOfTheirPicture) {
    Album& kept = bench.addAlbum("Kept", "/");
    kept.keepOriginalName = 1;
    kept.addDate = 0;
    kept.addTime = 0;
    bench.addPicture("100CANON/IMG_0001.JPG", kMorning, 1, kept.id);
    bench.addPicture("101CANON/IMG_0001.JPG", kMorning, 2, kept.id);
    const std::string first = companion("100CANON/IMG_0001.CR2");
    const std::string second = companion("101CANON/IMG_0001.CR2");
    const std::string sidecar = companion("101CANON/IMG_0001.JPG.xmp");
    ScriptedPrompter prompter;

    bench.run(realFileSystem(), prompter);

    const std::string keptFolder = bench.target + test::nativePath("/Kept");
    EXPECT_EQ(listNames(keptFolder),
              (Names{"IMG_0001 (2).CR2", "IMG_0001 (2).jpg", "IMG_0001 (2).jpg.xmp", "IMG_0001.CR2",
                     "IMG_0001.jpg"}));
    EXPECT_EQ(readFile(keptFolder + test::nativePath("/IMG_0001.CR2")), bytesOf(first));
    EXPECT_EQ(readFile(keptFolder + test::nativePath("/IMG_0001 (2).CR2")), bytesOf(second));
    EXPECT_EQ(readFile(keptFolder + test::nativePath("/IMG_0001 (2).jpg.xmp")), bytesOf(sidecar));
}

TEST_F(CompanionTransfer, theRunLooksAgainAndTakesTheCompanionsAsTheyAreThen) {
    // The scan noted a sidecar that is gone by now, and not the RAW that
    // came since.
    bench.pictures[0].companions = {"IMG_0001.xmp"};
    const std::string raw = companion("DCIM/IMG_0001.CR2");
    ScriptedPrompter prompter;

    const ProcessReport report = bench.run(realFileSystem(), prompter, 1);

    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_EQ(readFile(target(".CR2")), bytesOf(raw));
    EXPECT_FALSE(fileExists(target(".xmp")));
    EXPECT_TRUE(report.untransferred.empty());
    EXPECT_TRUE(report.untransferredCompanions.empty());
    EXPECT_EQ(report.companionsTransferred, 1);
}

// A file already at a companion's target: the picture's question, with the
// target's name, and its answer followed, in both modes.
TEST_F(CompanionTransfer, anExistingCompanionTargetIsAskedAboutAndEveryAnswerFollowed) {
    struct Case {
        int moveMode;
        int answer;
    };
    for (const Case c : {Case{0, kAnswerYes}, Case{0, kAnswerNo}, Case{0, kAnswerCancel},
                         Case{1, kAnswerYes}, Case{1, kAnswerNo}, Case{1, kAnswerCancel}}) {
        SCOPED_TRACE(std::string(c.moveMode == 1 ? "move" : "copy") + ", answered " +
                     std::to_string(c.answer));
        test::ProcessBench run;
        Album& trip = run.addAlbum("Trip", "/");
        run.addPicture("DCIM/IMG_0001.JPG", kMorning, 3, trip.id);
        const std::string raw = run.temp.writeFile("source/DCIM/IMG_0001.CR2", "raw bytes");
        const std::string xmp = run.temp.writeFile("source/DCIM/IMG_0001.xmp", "sidecar");
        const std::string tripFolder = run.temp.makeDir("target/Trip");
        const std::string older =
            run.temp.writeFile("target/Trip/" + std::string(kNewName) + ".xmp", "older");
        const std::string newPicture = tripFolder + test::nativePath("/") + kNewName + ".jpg";
        const std::string newRaw = tripFolder + test::nativePath("/") + kNewName + ".CR2";
        ScriptedPrompter prompter;
        prompter.answer(kAnswerYes);  // the album folder that is there
        prompter.expect(std::string(kNewName) + ".xmp already exists! Overwrite?", "Lumora",
                        Buttons::YesNoCancel, c.answer);

        const ProcessReport report = run.run(realFileSystem(), prompter, c.moveMode);

        const bool replaced = c.answer == kAnswerYes;
        EXPECT_EQ(readFile(older), replaced ? "sidecar" : "older");
        EXPECT_EQ(run.albums[0].processed, c.answer != kAnswerCancel);
        if (c.moveMode == 0 || replaced) {
            // The picture and the companions before the question arrived.
            EXPECT_EQ(readFile(newPicture), run.contents[0]);
            EXPECT_EQ(readFile(newRaw), "raw bytes");
            EXPECT_TRUE(report.untransferred.empty());
        } else {
            // A move: the pair stays together at the source.
            EXPECT_EQ(readFile(run.pictures[0].path), run.contents[0]);
            EXPECT_EQ(readFile(raw), "raw bytes");
            EXPECT_EQ(readFile(xmp), "sidecar");
            EXPECT_EQ(listNames(tripFolder), Names{std::string(kNewName) + ".xmp"});
            ASSERT_EQ(report.untransferred.size(), 1u);
            EXPECT_EQ(report.untransferred[0].outcome,
                      c.answer == kAnswerNo ? FileOutcome::PairKept : FileOutcome::GivenUp);
        }
        if (replaced) {
            EXPECT_TRUE(report.untransferredCompanions.empty());
        } else {
            ASSERT_FALSE(report.untransferredCompanions.empty());
            EXPECT_EQ(report.untransferredCompanions[0].source, xmp);
            EXPECT_EQ(report.untransferredCompanions[0].outcome,
                      c.answer == kAnswerNo ? FileOutcome::Skipped : FileOutcome::GivenUp);
        }
        EXPECT_EQ(run.misplacedPicture(c.moveMode), "");
    }
}

TEST_F(CompanionTransfer, anAnswerForAllConflictsStandsForTheCompanionsToo) {
    album->keepOriginalName = 1;
    album->addDate = 0;
    album->addTime = 0;
    bench.addPicture("DCIM/IMG_0002.JPG", kMorning, 4, album->id);
    const std::string first = companion("DCIM/IMG_0001.CR2");
    const std::string second = companion("DCIM/IMG_0002.CR2");
    bench.temp.writeFile("target/Trip/IMG_0001.CR2", "older one");
    bench.temp.writeFile("target/Trip/IMG_0002.CR2", "older two");
    ScriptedPrompter prompter;
    prompter.answer(kAnswerYes);  // the album folder
    prompter.answerForAll(kAnswerNo);

    const ProcessReport report = bench.run(realFileSystem(), prompter, 1);

    EXPECT_EQ(prompter.questions().size(), 2u);
    EXPECT_EQ(listNames(folder), (Names{"IMG_0001.CR2", "IMG_0002.CR2"}));
    EXPECT_EQ(readFile(first), bytesOf(first));
    EXPECT_EQ(readFile(second), bytesOf(second));
    ASSERT_EQ(report.untransferred.size(), 2u);
    EXPECT_EQ(report.untransferred[1].outcome, FileOutcome::PairKept);
    EXPECT_EQ(bench.misplacedPicture(1), "");
}

TEST_F(CompanionTransfer, aCompanionThatCannotBeMovedTakesThePairBackToTheSource) {
    const std::string raw = companion("DCIM/IMG_0001.CR2");
    const std::string xmp = companion("DCIM/IMG_0001.xmp");
    test::FaultyFileSystem fs;
    fs.failPath(test::FsCall::MoveFile, xmp, kErrorSharingViolation);
    fs.failPath(test::FsCall::CopyFile, xmp, kErrorSharingViolation);
    ScriptedPrompter prompter;
    prompter.expect(systemErrorText(kErrorSharingViolation, xmp), "System Error",
                    Buttons::AbortRetryIgnore, kAnswerIgnore);
    prompter.expect("File could not be moved. Copy instead of move?", "", Buttons::OkCancel,
                    kAnswerOk);
    prompter.expect(systemErrorText(kErrorSharingViolation, xmp), "System Error",
                    Buttons::AbortRetryIgnore, kAnswerIgnore);

    const ProcessReport report = bench.run(fs, prompter, 1);

    EXPECT_EQ(readFile(picture), bench.contents[0]);
    EXPECT_EQ(readFile(raw), bytesOf(raw));
    EXPECT_EQ(readFile(xmp), bytesOf(xmp));
    EXPECT_TRUE(listNames(folder).empty());
    ASSERT_EQ(report.untransferred.size(), 1u);
    EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::PairKept);
    EXPECT_EQ(report.filesTransferred, 0);
    EXPECT_EQ(report.companionsTransferred, 0);
    ASSERT_EQ(report.untransferredCompanions.size(), 2u);
    EXPECT_EQ(report.untransferredCompanions[0].source, xmp);
    EXPECT_EQ(report.untransferredCompanions[0].outcome, FileOutcome::Skipped);
    EXPECT_EQ(report.untransferredCompanions[1].source, raw);
    EXPECT_EQ(report.untransferredCompanions[1].outcome, FileOutcome::PairKept);
    EXPECT_EQ(bench.albums[0].processed, 1);  // Ignore goes on
}

TEST_F(CompanionTransfer, aPairThatCannotGoBackStaysWholeAtTheTargetAndIsReported) {
    const std::string raw = companion("DCIM/IMG_0001.CR2");
    const std::string xmp = companion("DCIM/IMG_0001.xmp");
    test::FaultyFileSystem fs;
    // While the sidecar fails, a new file takes the picture's place on the card.
    fs.setTransferHook([&](test::FsCall, const std::string& source,
                           const std::string&) -> std::optional<ErrorCode> {
        if (source != xmp) return std::nullopt;
        std::ofstream(picture) << "a new picture";
        return kErrorSharingViolation;
    });
    ScriptedPrompter prompter;
    prompter.expect(systemErrorText(kErrorSharingViolation, xmp), "System Error",
                    Buttons::AbortRetryIgnore, kAnswerAbort);

    const ProcessReport report = bench.run(fs, prompter, 1);

    EXPECT_EQ(readFile(picture), "a new picture");
    EXPECT_EQ(readFile(target(".jpg")), bench.contents[0]);
    EXPECT_EQ(readFile(target(".CR2")), bytesOf(raw));
    EXPECT_EQ(readFile(xmp), bytesOf(xmp));
    ASSERT_EQ(report.splitPairs.size(), 1u);
    EXPECT_EQ(report.splitPairs[0].picture, target(".jpg"));
    EXPECT_EQ(report.splitPairs[0].companion, xmp);
    EXPECT_EQ(report.splitPairs[0].blocked, picture);
    EXPECT_EQ(bench.albums[0].processed, 0);
}

TEST_F(CompanionTransfer, aCompanionThatCannotBeCopiedIsReportedAndThePictureArrives) {
    const std::string raw = companion("DCIM/IMG_0001.CR2");
    test::FaultyFileSystem fs;
    fs.failPath(test::FsCall::CopyFile, raw, kErrorSharingViolation);
    ScriptedPrompter prompter;
    prompter.answer(kAnswerIgnore);

    const ProcessReport report = bench.run(fs, prompter, 0);

    EXPECT_EQ(listNames(folder), Names{std::string(kNewName) + ".jpg"});
    EXPECT_EQ(report.filesTransferred, 1);
    ASSERT_EQ(report.untransferredCompanions.size(), 1u);
    EXPECT_EQ(report.untransferredCompanions[0].source, raw);
    EXPECT_EQ(report.untransferredCompanions[0].target, target(".CR2"));
    EXPECT_EQ(report.untransferredCompanions[0].outcome, FileOutcome::Skipped);
    EXPECT_EQ(bench.albums[0].processed, 1);
}

TEST_F(CompanionTransfer, aPreviewPlansEveryCompanionLineTheRunThenWrites) {
    for (const int moveMode : {0, 1}) {
        SCOPED_TRACE(moveMode);
        test::ProcessBench run;
        Album& trip = run.addAlbum("Trip", "/");
        trip.keepOriginalName = 1;
        run.addPicture("A/IMG_0001.JPG", kMorning, 1, trip.id);
        run.addPicture("B/IMG_0001.JPG", kMorning, 2, trip.id);
        run.temp.writeFile("source/A/IMG_0001.CR2", "a raw");
        run.temp.writeFile("source/B/IMG_0001.CR2", "b raw");
        run.temp.writeFile("source/B/IMG_0001.JPG.xmp", "b sidecar");
        run.countAlbums();
        ProcessSettings settings;
        settings.targetDirectory = run.target;
        settings.moveMode = moveMode;
        settings.planOnly = true;
        ScriptedPrompter silent;
        const ProcessServices services{realFileSystem(), silent, run.upper, run.lower};
        const ProcessReport plan = processAlbums(run.albums, run.pictures, settings, services);
        std::map<std::string, std::string> planned;  // target -> bytes of its source
        Names lines;
        for (const PlannedTransfer& transfer : plan.plannedTransfers) {
            planned[transfer.target] = readFile(transfer.source);
            lines.push_back((transfer.companion ? "companion " : "picture ") +
                            transfer.target.substr(run.target.size() + 1));
        }
        EXPECT_EQ(
            lines,
            (Names{"picture " + test::nativePath("Trip/IMG_0001 [2024-07-14] [16 05 22].jpg"),
                   "companion " + test::nativePath("Trip/IMG_0001 [2024-07-14] [16 05 22].CR2"),
                   "picture " + test::nativePath("Trip/IMG_0001 [2024-07-14] [16 05 22] (2).jpg"),
                   "companion " + test::nativePath("Trip/IMG_0001 [2024-07-14] [16 05 22] (2).CR2"),
                   "companion " +
                       test::nativePath("Trip/IMG_0001 [2024-07-14] [16 05 22] (2).jpg.xmp")}));
        EXPECT_FALSE(fileExists(run.target + test::nativePath("/Trip")));

        run.run(realFileSystem(), silent, moveMode);

        Names written = listNames(run.target + test::nativePath("/Trip"));
        ASSERT_EQ(written.size(), planned.size());
        for (const auto& [path, bytes] : planned) EXPECT_EQ(readFile(path), bytes) << path;
    }
}

TEST_F(CompanionTransfer, theFreeSpaceCheckCountsTheCompanionsAsTheyAreNow) {
    const std::string raw =
        bench.temp.writeFile("source/DCIM/IMG_0001.CR2", std::string(3 * 1024 * 1024, 'r'));
    bench.countAlbums();
    FileSystem& fs = realFileSystem();
    const float without = requiredMegabytes(bench.albums, bench.pictures, bench.target, 0, fs);
    const float with = requiredMegabytes(bench.albums, bench.pictures, bench.target, 0, fs, true);
    EXPECT_FLOAT_EQ(with - without, megabytesOf(3 * 1024 * 1024));
    // A move within one drive needs room for the largest file, companions too.
    EXPECT_FLOAT_EQ(
        requiredMegabytes(bench.albums, bench.pictures, bench.target, 1, fs, true),
        fs.driveOf(bench.target) == fs.driveOf(raw) ? megabytesOf(3 * 1024 * 1024) : with);
}

#ifndef _WIN32  // the picture's new name X.jpg and the listed X.JPG are one name on Windows
// Organising a folder into itself: a companion whose target is the
// companion of another listed picture never replaces it, nor asks to.
TEST_F(CompanionTransfer, theCompanionOfAnotherListedPictureIsNeverReplaced) {
    Album& inPlace = bench.addAlbum("Here", "/");
    inPlace.createSubDirectory = 0;
    inPlace.addDate = 0;
    inPlace.addTime = 0;
    bench.target = bench.source + test::nativePath("/DCIM");
    PictureEntry& renamed = bench.addPicture("DCIM/IMG_0005.JPG", kMorning, 5, inPlace.id);
    renamed.exif->hasCustomName = 1;
    std::snprintf(renamed.exif->customName, sizeof renamed.exif->customName, "X");
    const std::string raw = companion("DCIM/IMG_0005.CR2");
    bench.addPicture("DCIM/X.JPG", kMorning, 6, 0);  // in no album
    const std::string other = companion("DCIM/X.CR2");
    album->processed = 1;  // the fixture's own album is not run here
    ScriptedPrompter prompter;
    prompter.answer(kAnswerOk);  // "Album 'Trip' is processed. Skip to next album"

    const ProcessReport report = bench.run(realFileSystem(), prompter, 0);

    EXPECT_EQ(readFile(other), bytesOf(other));
    EXPECT_EQ(readFile(bench.target + test::nativePath("/X.jpg")), bench.contents[1]);
    ASSERT_EQ(report.untransferredCompanions.size(), 1u);
    EXPECT_EQ(report.untransferredCompanions[0].source, raw);
    EXPECT_EQ(report.untransferredCompanions[0].outcome, FileOutcome::TargetIsPicture);
}
#endif

}  // namespace
}  // namespace lumora
