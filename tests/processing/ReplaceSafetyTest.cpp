// Runs whose targets meet other pictures: two pictures of one run with the
// same new name, a target folder inside the source that a rerun lists again,
// and names that would lead outside the target. Whatever is answered, every
// picture is still there, byte for byte, and nothing is written elsewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "processing/ProcessAlbums.h"
#include "processing/ReportSystemError.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::fileExists;
using test::readFile;

// Gives every question the same answer where its box offers it, else the
// first button of the box; "Move to next album?" always goes on.
class SameAnswerPrompter : public Prompter {
  public:
    explicit SameAnswerPrompter(int answer) : answer_(answer) {}

    int ask(const std::string& text, const std::string& /*caption*/, Buttons buttons,
            Icon) override {
        asked.push_back(text);
        if (text == kMoveToNextAlbumText) return kAnswerYes;
        const std::vector<int> offered = offeredAnswers(buttons);
        for (const int answer : offered) {
            if (answer == answer_) return answer;
        }
        // Retry is offered first in some boxes: taking it would repeat a
        // failing call for ever, so the fallback is the box's last answer.
        return offered.back();
    }

    static std::vector<int> offeredAnswers(Buttons buttons) {
        switch (buttons) {
            case Buttons::Ok:
                return {kAnswerOk};
            case Buttons::OkCancel:
                return {kAnswerOk, kAnswerCancel};
            case Buttons::YesNo:
                return {kAnswerYes, kAnswerNo};
            case Buttons::YesNoCancel:
                return {kAnswerYes, kAnswerNo, kAnswerCancel};
            case Buttons::AbortRetryIgnore:
                return {kAnswerAbort, kAnswerIgnore};
            case Buttons::RetryCancel:
                return {kAnswerCancel};
        }
        return {kAnswerOk};
    }

    std::vector<std::string> asked;

  private:
    int answer_;
};

const int kEveryAnswer[] = {kAnswerOk,     kAnswerCancel, kAnswerAbort,
                            kAnswerIgnore, kAnswerYes,    kAnswerNo};

Album& plainAlbum(test::ProcessBench& bench, const std::string& name) {
    Album& album = bench.addAlbum(name, "/");
    album.addDate = 0;
    album.addTime = 0;
    return album;
}

TEST(RunCollisions, picturesWithOneNameAllArriveUnderDistinctNames) {
    for (const int32_t moveMode : {0, 1}) {
        for (const int answer : kEveryAnswer) {
            SCOPED_TRACE(std::string(moveMode ? "move" : "copy") + ", answered " +
                         answerName(answer));
            test::ProcessBench bench;
            Album& camera = plainAlbum(bench, "camera");
            camera.keepOriginalName = 1;
            const uint64_t when = test::fileTimeAt(2020, 5, 6, 7, 8, 9);
            // Camera numbering that repeats across the card's folders.
            bench.addPicture("100CANON/IMG_0001.JPG", when, 1, camera.id);
            bench.addPicture("101CANON/IMG_0001.JPG", when, 2, camera.id);
            bench.addPicture("102CANON/img_0001.jpg", when, 3, camera.id);
            // Two pictures given the same custom name in another album.
            Album& named = plainAlbum(bench, "named");
            for (int i = 0; i < 2; ++i) {
                PictureEntry& picture =
                    bench.addPicture("named" + std::to_string(i) + ".JPG", when, 4 + i, named.id);
                picture.exif->hasCustomName = 1;
                std::snprintf(picture.exif->customName, sizeof picture.exif->customName, "Beach");
            }
            SameAnswerPrompter prompter(answer);

            const ProcessReport report = bench.run(realFileSystem(), prompter, moveMode);

            EXPECT_EQ(prompter.asked, std::vector<std::string>{});
            EXPECT_TRUE(report.untransferred.empty());
            const std::string folder = bench.target + test::nativePath("/camera");
            EXPECT_EQ(readFile(folder + test::nativePath("/IMG_0001.jpg")), bench.contents[0]);
            EXPECT_EQ(readFile(folder + test::nativePath("/IMG_0001 (2).jpg")), bench.contents[1]);
            // Letter case aside the third name is the first one again.
            EXPECT_EQ(readFile(folder + test::nativePath("/img_0001 (3).jpg")), bench.contents[2]);
            EXPECT_EQ(readFile(bench.target + test::nativePath("/named/Beach.jpg")),
                      bench.contents[3]);
            EXPECT_EQ(readFile(bench.target + test::nativePath("/named/Beach (2).jpg")),
                      bench.contents[4]);
            EXPECT_EQ(bench.misplacedPicture(moveMode), "");
        }
    }
}

TEST(RunCollisions, aRerunStillAsksAboutWhatAnEarlierRunLeft) {
    test::ProcessBench bench;
    Album& camera = plainAlbum(bench, "camera");
    camera.keepOriginalName = 1;
    bench.addPicture("100CANON/IMG_0001.JPG", 1, 1, camera.id);
    bench.addPicture("101CANON/IMG_0001.JPG", 1, 2, camera.id);
    bench.temp.writeFile("target/camera/IMG_0001.jpg", std::string("earlier run"));
    bench.temp.writeFile("target/camera/IMG_0001 (2).jpg", std::string("earlier run"));
    test::ScriptedPrompter prompter;
    prompter.expect("Directory already exists( camera)! Continue?", "Lumora", Buttons::YesNo,
                    kAnswerYes);
    prompter.expect("IMG_0001.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                    kAnswerYes);
    prompter.expect("IMG_0001 (2).jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                    kAnswerNo);

    const ProcessReport report = bench.run(realFileSystem(), prompter);

    EXPECT_EQ(readFile(bench.target + test::nativePath("/camera/IMG_0001.jpg")), bench.contents[0]);
    EXPECT_EQ(readFile(bench.target + test::nativePath("/camera/IMG_0001 (2).jpg")), "earlier run");
    ASSERT_EQ(report.untransferred.size(), 1u);
    EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::Skipped);
}

// Reorganising a folder into a folder inside it, a second time after one
// more picture came: the scan lists the first run's results again, and the
// new picture's number is one of them.
TEST(RunCollisions, aRerunInsideTheSourceNeverReplacesAListedPicture) {
    for (const int32_t moveMode : {0, 1}) {
        for (const int answer : kEveryAnswer) {
            SCOPED_TRACE(std::string(moveMode ? "move" : "copy") + ", answered " +
                         answerName(answer));
            test::ProcessBench bench;
            bench.target = bench.source + test::nativePath("/albums");
            std::filesystem::create_directory(bench.target);
            Album& first = plainAlbum(bench, "day");
            bench.addPicture("IMG_2.JPG", test::fileTimeAt(2020, 1, 1, 10, 0, 0), 1, first.id);
            bench.addPicture("IMG_3.JPG", test::fileTimeAt(2020, 1, 1, 11, 0, 0), 2, first.id);
            SameAnswerPrompter firstPrompter(kAnswerYes);
            bench.run(realFileSystem(), firstPrompter, moveMode);
            ASSERT_EQ(readFile(bench.target + test::nativePath("/day/day-1.jpg")),
                      bench.contents[0]);
            // After a copy the originals were deleted: the results are the
            // only pictures left, as after a move.
            for (const PictureEntry& picture : bench.pictures) std::remove(picture.path.c_str());

            // The second scan: the new, earlier picture and the earlier results.
            const std::vector<std::string> contents = bench.contents;
            bench.pictures.clear();
            bench.contents.clear();
            bench.albums.clear();
            Album& again = plainAlbum(bench, "day");
            bench.addPicture("IMG_1.JPG", test::fileTimeAt(2020, 1, 1, 9, 0, 0), 1, again.id);
            for (int i = 0; i < 2; ++i) {
                PictureEntry earlier = bench.pictures[0];
                earlier.path =
                    bench.target + test::nativePath("/day/day-") + std::to_string(i + 1) + ".jpg";
                earlier.exif = std::make_shared<ExifInfo>();
                earlier.exif->pictureId = i + 2;
                bench.pictures.push_back(earlier);
                bench.contents.push_back(contents[static_cast<size_t>(i)]);
            }
            SameAnswerPrompter prompter(answer);

            const ProcessReport report = bench.run(realFileSystem(), prompter, moveMode);

            EXPECT_EQ(bench.misplacedPicture(moveMode), "");
            // Only a Yes to the existing album folder goes on into it.
            if (answer != kAnswerYes) continue;
            // The pictures whose targets were listed pictures stay and are told.
            ASSERT_EQ(report.untransferred.size(), 2u);
            EXPECT_EQ(report.untransferred[0].source, bench.pictures[0].path);
            EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::TargetIsPicture);
            EXPECT_EQ(report.untransferred[1].source, bench.pictures[1].path);
            EXPECT_EQ(report.untransferred[1].outcome, FileOutcome::TargetIsPicture);
            EXPECT_EQ(readFile(bench.target + test::nativePath("/day/day-3.jpg")),
                      bench.contents[2]);
        }
    }
}

TEST(RunCollisions, aPictureAlreadyAtItsTargetStaysAsItIs) {
    test::ProcessBench bench;
    bench.target = bench.source;
    Album& album = plainAlbum(bench, "day");
    album.createSubDirectory = 0;
    bench.addPicture("day-1.jpg", 1, 1, album.id);
    test::ScriptedPrompter prompter;

    const ProcessReport report = bench.run(realFileSystem(), prompter, 1);

    EXPECT_TRUE(report.untransferred.empty());
    EXPECT_EQ(report.filesTransferred, 1);
    EXPECT_EQ(readFile(bench.pictures[0].path), bench.contents[0]);
}

// Everything in the folder that holds the source and the target, with the
// target's own contents left out.
std::vector<std::string> outsideTarget(const test::ProcessBench& bench) {
    std::vector<std::string> names;
    const std::filesystem::path top = std::filesystem::path(bench.target).parent_path();
    for (const auto& item : std::filesystem::recursive_directory_iterator(top)) {
        const std::string path = item.path().string();
        if (path.rfind(bench.target + test::nativePath("/"), 0) != 0) names.push_back(path);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(NamesOutsideTheTarget, anAlbumWhoseNamesAreNotPlainIsRefusedBeforeAnythingIsMade) {
    struct Case {
        std::string directoryName;
        std::string name;
        int32_t createSubDirectory;
    };
    const Case cases[] = {
        {"../escape", "a", 0}, {"..", "a", 0},       {".", "a", 1},
        {"a/b", "a", 0},       {"ok", "../../x", 1}, {"ok", "..", 1},
        {"ok", "x/y", 0},      {"", "a", 0},         {"ok", std::string("a\0b", 3), 1},
        {"/etc", "a", 0},      {"ok", "/x", 0},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE("directory '" + item.directoryName + "', name '" + item.name + "'");
        test::ProcessBench bench;
        Album& album = bench.addAlbum(item.name, item.directoryName);
        album.createSubDirectory = item.createSubDirectory;
        bench.addPicture("IMG_1.JPG", 1, 1, album.id);
        const std::vector<std::string> before = outsideTarget(bench);
        test::ScriptedPrompter prompter;
        prompter.expect("The directory name is invalid. Please redefine album", "System Error",
                        Buttons::Ok, kAnswerOk);

        const ProcessReport report = bench.run(realFileSystem(), prompter, 1);

        EXPECT_EQ(outsideTarget(bench), before);
        EXPECT_EQ(test::listNames(bench.target), std::vector<std::string>{});
        EXPECT_EQ(bench.albums[0].processed, 0);
        EXPECT_EQ(report.summaryText, "Operation canceled by user!");
        EXPECT_EQ(readFile(bench.pictures[0].path), bench.contents[0]);
    }
}

TEST(NamesOutsideTheTarget, aCustomNameThatIsNotPlainLeavesThatPictureWhereItIs) {
    for (const std::string custom : {"../../x", "a/b", "/tmp/x"}) {
        SCOPED_TRACE(custom);
        test::ProcessBench bench;
        Album& album = plainAlbum(bench, "day");
        PictureEntry& odd = bench.addPicture("IMG_1.JPG", 1, 1, album.id);
        odd.exif->hasCustomName = 1;
        std::snprintf(odd.exif->customName, sizeof odd.exif->customName, "%s", custom.c_str());
        bench.addPicture("IMG_2.JPG", 1, 2, album.id);
        const std::vector<std::string> before = outsideTarget(bench);
        test::ScriptedPrompter prompter;
        const std::string name = custom + ".jpg";
        prompter.expect("Invalid picture name( " + name + "). The picture is left where it is.",
                        "Lumora", Buttons::Ok, kAnswerOk);

        const ProcessReport report = bench.run(realFileSystem(), prompter);

        EXPECT_EQ(outsideTarget(bench), before);
        EXPECT_EQ(readFile(bench.pictures[0].path), bench.contents[0]);
        EXPECT_EQ(readFile(bench.target + test::nativePath("/day/day-2.jpg")), bench.contents[1]);
        ASSERT_EQ(report.untransferred.size(), 1u);
        EXPECT_EQ(report.untransferred[0].outcome, FileOutcome::InvalidName);
        EXPECT_EQ(bench.albums[0].processed, 1);
    }
}

}  // namespace
}  // namespace lumora
