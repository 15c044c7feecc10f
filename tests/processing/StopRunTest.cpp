// A stop request ends a run between two pictures.
#include <gtest/gtest.h>

#include "processing/ProcessAlbums.h"
#include "processing/StopRequest.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::FaultyFileSystem;
using test::FsCall;
using test::ScriptedPrompter;

const uint64_t kNoon = test::fileTimeAt(2020, 5, 1, 12, 0, 0);

// Two albums, Rome of three pictures and Paris of two.
struct TwoAlbums {
    TwoAlbums() {
        Album& rome = bench.addAlbum("Rome", "Rome");
        for (int i = 1; i <= 3; ++i)
            bench.addPicture("IMG_" + std::to_string(i) + ".JPG", kNoon, i, rome.id);
        Album& paris = bench.addAlbum("Paris", "Paris");
        for (int i = 4; i <= 5; ++i)
            bench.addPicture("IMG_" + std::to_string(i) + ".JPG", kNoon, i, paris.id);
    }
    test::ProcessBench bench;
};

// The request arrives while the picture at `at` (0-based, in run order) is
// transferred: that picture is finished, no later one is touched. (At the
// last picture there is nothing left to stop.)
TEST(StopRunTest, endsAfterThePictureItArrivedAtInBothModes) {
    for (const int32_t moveMode : {0, 1}) {
        for (int at = 0; at < 4; ++at) {
            SCOPED_TRACE("move " + std::to_string(moveMode) + " at " + std::to_string(at));
            TwoAlbums run;
            FaultyFileSystem fs;
            StopRequest stop;
            int transfers = 0;
            fs.setTransferHook([&](FsCall, const std::string&, const std::string&) {
                if (transfers++ == at) stop.request();
                return std::optional<ErrorCode>();
            });
            ScriptedPrompter prompter;

            const ProcessReport report = run.bench.run(fs, prompter, moveMode, &stop);

            EXPECT_TRUE(report.stopped);
            EXPECT_EQ(transfers, at + 1);
            EXPECT_EQ(report.filesTransferred, at + 1);
            EXPECT_EQ(run.bench.misplacedPicture(moveMode), "");
            // Rome is done only when its last picture was finished.
            EXPECT_EQ(run.bench.albums[0].processed, at >= 2 ? 1 : 0);
            EXPECT_EQ(run.bench.albums[1].processed, 0);
            EXPECT_EQ(report.untransferred.size(), static_cast<size_t>(4 - at));
            for (const UntransferredFile& file : report.untransferred)
                EXPECT_EQ(file.outcome, FileOutcome::NotReached);
            EXPECT_EQ(report.summaryText, std::string("Stopped: ") + (at >= 2 ? "1" : "0") +
                                              " of 2 albums processed, " + std::to_string(at + 1) +
                                              (at == 0 ? " picture" : " pictures") +
                                              " transferred.");
            EXPECT_EQ(run.bench.upper.last(), report.summaryText);
            EXPECT_TRUE(prompter.questions().empty());
        }
    }
}

// A request made while a question is open takes effect after the answer
// was carried out; the next album's questions are never asked.
TEST(StopRunTest, aRequestDuringAQuestionLetsTheAnswerFinishTheFile) {
    TwoAlbums run;
    FaultyFileSystem fs;
    StopRequest stop;
    // Rome's folder is there already: the run asks before using it.
    ASSERT_EQ(fs.createDirectory(run.bench.target + test::nativePath("/Rome")), kErrorSuccess);
    class StoppingPrompter : public ScriptedPrompter {
      public:
        explicit StoppingPrompter(StopRequest& stop) : stop_(stop) {}
        int ask(const std::string& text, const std::string& caption, Buttons buttons,
                Icon icon) override {
            stop_.request();
            return ScriptedPrompter::ask(text, caption, buttons, icon);
        }

      private:
        StopRequest& stop_;
    } prompter(stop);
    prompter.answer(kAnswerYes);  // "Directory already exists"

    const ProcessReport report = run.bench.run(fs, prompter, 0, &stop);

    EXPECT_TRUE(report.stopped);
    EXPECT_EQ(prompter.questions().size(), 1u);
    EXPECT_EQ(report.filesTransferred, 1);
    EXPECT_TRUE(test::fileExists(run.bench.target + test::nativePath("/Rome")));
    EXPECT_EQ(run.bench.misplacedPicture(0), "");
    EXPECT_EQ(run.bench.albums[0].processed, 0);
    EXPECT_EQ(report.untransferred.size(), 4u);
}

}  // namespace
}  // namespace lumora
