// One answer for every later conflict of its kind in a run.
#include <gtest/gtest.h>

#include "processing/ConflictAnswers.h"
#include "processing/ProcessAlbums.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::readFile;
using test::ScriptedPrompter;

const uint64_t kNoon = test::fileTimeAt(2020, 5, 1, 12, 0, 0);

class ConflictAnswersTest : public ::testing::Test {
  protected:
    // An album of ten pictures whose folder under the target holds a file of
    // other bytes under each of their new names.
    Album& filledAlbum(const std::string& name, int32_t firstId) {
        Album& album = bench.addAlbum(name, name);
        album.createSubDirectory = 0;
        album.addDate = 0;
        album.addTime = 0;
        for (int32_t id = firstId; id < firstId + 10; ++id) {
            bench.addPicture(name + test::nativePath("/IMG_") + std::to_string(id) + ".JPG", kNoon,
                             id, album.id);
            bench.temp.writeFile(
                "target/" + name + test::nativePath("/") + name + "-" + std::to_string(id) + ".jpg",
                std::string("already there ") + std::to_string(id));
        }
        return album;
    }

    std::string targetOf(const std::string& name, int32_t id) const {
        return bench.target + test::nativePath("/") + name + test::nativePath("/") + name + "-" +
               std::to_string(id) + ".jpg";
    }

    FileSystem& fs = realFileSystem();
    test::ProcessBench bench;
};

// Yes for all replaces all ten files after one question; No for all keeps
// them all; either way the album completes.
TEST_F(ConflictAnswersTest, oneAnswerForAllFilesIsAskedOnceOverTenConflicts) {
    for (const int answer : {kAnswerYes, kAnswerNo}) {
        SCOPED_TRACE(answerName(answer));
        test::ProcessBench fresh;
        std::swap(bench.pictures, fresh.pictures);
        bench.albums.clear();
        bench.contents.clear();
        filledAlbum("Rome", 1);
        ScriptedPrompter prompter;
        prompter.expect("Directory already exists( Rome)! Continue?", "Lumora", Buttons::YesNo,
                        kAnswerYes);
        prompter.answerForAll(answer);

        const ProcessReport report = bench.run(fs, prompter);

        EXPECT_EQ(prompter.questions().size(), 2u);
        EXPECT_EQ(prompter.forAllOffers(), (std::vector<std::string>{"Do this for all conflicts",
                                                                     "Do this for all conflicts"}));
        EXPECT_EQ(bench.albums[0].processed, 1);
        for (int32_t id = 1; id <= 10; ++id) {
            SCOPED_TRACE(id);
            EXPECT_EQ(readFile(targetOf("Rome", id)), answer == kAnswerYes
                                                          ? bench.contents[id - 1]
                                                          : "already there " + std::to_string(id));
        }
        EXPECT_EQ(report.untransferred.size(), answer == kAnswerYes ? 0u : 10u);
    }
}

// Cancel gives only its own album up, even with the box checked: the next
// album's conflict is asked again. Yes for all folders uses the next album's
// folder without asking, but never answers about a file.
TEST_F(ConflictAnswersTest, answersThatGiveUpOrConcernFoldersNeverDecideAboutFiles) {
    filledAlbum("Rome", 1);
    filledAlbum("Paris", 11);
    ScriptedPrompter prompter;
    prompter.answerForAll(kAnswerYes);     // Rome's folder, for all folders
    prompter.answerForAll(kAnswerCancel);  // Rome-1.jpg: the album is given up
    prompter.expect("Move to next album?", "", Buttons::YesNo, kAnswerYes);
    prompter.answer(kAnswerNo);  // Paris-11.jpg, asked: nothing was said for all files
    for (int i = 0; i < 9; ++i) prompter.answer(kAnswerNo);

    const ProcessReport report = bench.run(fs, prompter);

    const std::vector<std::string> texts = prompter.texts();
    ASSERT_EQ(texts.size(), 13u);
    EXPECT_EQ(texts[0], "Directory already exists( Rome)! Continue?");
    EXPECT_EQ(texts[1], "Rome-1.jpg already exists! Overwrite?");
    EXPECT_EQ(texts[3], "Paris-11.jpg already exists! Overwrite?");
    EXPECT_EQ(bench.albums[0].processed, 0);
    EXPECT_EQ(bench.albums[1].processed, 1);
    for (int32_t id = 11; id <= 20; ++id)
        EXPECT_EQ(readFile(targetOf("Paris", id)), "already there " + std::to_string(id));
    EXPECT_EQ(report.albumsFailed, 1);
}

TEST(ConflictAnswers, keepsOnlyAnswersThatGoOn) {
    ConflictAnswers answers;
    EXPECT_FALSE(answers.remember(ConflictKind::FileThere, kAnswerCancel));
    EXPECT_FALSE(answers.remember(ConflictKind::FolderThere, kAnswerNo));
    EXPECT_EQ(answers.answerFor(ConflictKind::FileThere), 0);
    EXPECT_EQ(answers.answerFor(ConflictKind::FolderThere), 0);
    EXPECT_TRUE(answers.remember(ConflictKind::FolderThere, kAnswerYes));
    EXPECT_EQ(answers.answerFor(ConflictKind::FileThere), 0);
    EXPECT_TRUE(answers.remember(ConflictKind::FileThere, kAnswerNo));
    EXPECT_EQ(answers.answerFor(ConflictKind::FileThere), kAnswerNo);
}

}  // namespace
}  // namespace lumora
