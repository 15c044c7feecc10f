// Every failing call of a run, with every code of the error table and every
// answer its message offers: the questions asked, what the run does, and that
// no picture is ever lost and no existing file replaced without a Yes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "processing/FreeSpace.h"
#include "processing/ProcessAlbums.h"
#include "processing/ReportSystemError.h"
#include "processing/SystemErrorTable.h"
#include "tests/processing/ProcessFixture.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::FaultRule;
using test::FaultyFileSystem;
using test::FsCall;
using test::readFile;

// The first question of the error table (a "System Error", or one about a
// file or folder that exists) gets the answer under test; every later one is
// declined, "Copy instead of move?" is accepted and "Move to next album?"
// goes on.
class MatrixPrompter : public Prompter {
  public:
    explicit MatrixPrompter(int first) : first_(first) {}

    int ask(const std::string& text, const std::string& caption, Buttons buttons, Icon) override {
        asked.push_back({text, caption, buttons});
        int answer = 0;
        const bool fromTable = caption == kSystemErrorCaption ||
                               (caption == kApplicationTitle && buttons != Buttons::Ok);
        if (fromTable && !used_) {
            used_ = true;
            answer = first_;
        } else if (text == kMoveToNextAlbumText) {
            answer = kAnswerYes;
        } else if (buttons == Buttons::OkCancel) {
            answer = kAnswerOk;
        } else {
            answer = test::ScriptedPrompter::declineAnswer(buttons);
        }
        answers.push_back(answer);
        return answer;
    }

    struct Asked {
        std::string text;
        std::string caption;
        Buttons buttons;
    };
    std::vector<Asked> asked;
    std::vector<int> answers;

  private:
    int first_;
    bool used_ = false;
};

std::vector<int> answersOf(Buttons buttons) {
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
            return {kAnswerAbort, kAnswerRetry, kAnswerIgnore};
        case Buttons::RetryCancel:
            return {kAnswerRetry, kAnswerCancel};
    }
    return {};
}

// Every code of the table, and one it does not know.
std::vector<ErrorCode> tableCodes() {
    int count = 0;
    const SystemErrorEntry* rows = systemErrorRows(count);
    std::vector<ErrorCode> codes;
    for (int i = 0; i < count; ++i) codes.push_back(rows[i].code);
    codes.push_back(kErrorUnmappedErrnoBit | 5);
    return codes;
}

bool givesUp(ErrorCode code, int answer) {
    switch (answer) {
        case kAnswerAbort:
        case kAnswerCancel:
        case kAnswerOk:
            return true;
        case kAnswerNo:
            return systemErrorButtons(code) == Buttons::YesNo;
        default:
            return false;
    }
}

// The picture's own calls, or those of its companion file (a RAW beside it).
enum class Failing {
    CreateFolder,
    Copy,
    PlainMove,
    FlaggedMove,
    CompanionCopy,
    CompanionPlainMove,
    CompanionFlaggedMove
};

bool ofCompanion(Failing failing) {
    return failing == Failing::CompanionCopy || failing == Failing::CompanionPlainMove ||
           failing == Failing::CompanionFlaggedMove;
}

const char* failingName(Failing failing) {
    switch (failing) {
        case Failing::CreateFolder:
            return "create folder";
        case Failing::Copy:
            return "copy";
        case Failing::PlainMove:
            return "plain move";
        case Failing::FlaggedMove:
            return "flagged move";
        case Failing::CompanionCopy:
            return "companion copy";
        case Failing::CompanionPlainMove:
            return "companion plain move";
        case Failing::CompanionFlaggedMove:
            return "companion flagged move";
    }
    return "?";
}

void runCase(Failing failing, ErrorCode code, int answer, bool targetInsideSource) {
    SCOPED_TRACE(std::string(failingName(failing)) + " fails with " + std::to_string(code) +
                 ", answered " + answerName(answer) +
                 (targetInsideSource ? ", target inside the source" : ""));
    test::ProcessBench bench;
    if (targetInsideSource) bench.target = bench.temp.makeDir("source/albums");
    Album& first = bench.addAlbum("A", "dir");
    bench.addPicture("day one/IMG_1.JPG", test::fileTimeAt(2019, 1, 2, 3, 4, 5), 1, first.id);
    bench.addPicture("day one/IMG_2.JPG", test::fileTimeAt(2019, 1, 2, 3, 4, 6), 2, first.id);
    // The first picture's RAW, which must travel with it and never apart.
    const std::string raw = bench.temp.writeFile("source/day one/IMG_1.CR2", "raw of IMG_1");
    const std::string rawTarget =
        bench.target + test::nativePath("/dir/A/A-1 [2019-01-02] [03 04 05].CR2");
    Album& second = bench.addAlbum("B", "/");
    second.createSubDirectory = 0;
    second.addDate = 0;
    second.addTime = 0;
    bench.addPicture("IMG_B.JPG", test::fileTimeAt(2019, 1, 3, 3, 4, 5), 9, second.id);
    // Two pictures that get one name: both must arrive.
    Album& third = bench.addAlbum("C", "/");
    third.keepOriginalName = 1;
    third.addDate = 0;
    third.addTime = 0;
    bench.addPicture("100CANON/IMG_0001.JPG", test::fileTimeAt(2019, 1, 4, 3, 4, 5), 10, third.id);
    bench.addPicture("101CANON/IMG_0001.JPG", test::fileTimeAt(2019, 1, 4, 3, 4, 6), 11, third.id);
    // An existing file the run must never replace without a Yes.
    const std::string guard = bench.target + test::nativePath("/B-9.jpg");
    { std::ofstream(guard) << "older file"; }

    const bool retried = answer == kAnswerRetry || answer == kAnswerYes;
    const int times = retried ? 1 : -1;
    const std::string picture = ofCompanion(failing) ? raw : bench.pictures[0].path;
    FaultyFileSystem fs;
    FaultRule rule;
    rule.error = code;
    rule.times = times;
    std::string expectedPath = picture;
    // A transfer that meets an existing target asks about that file.
    ErrorCode askedCode = code;
    if (failing != Failing::CreateFolder &&
        (code == kErrorFileExists || code == kErrorAlreadyExists)) {
        askedCode = kErrorFileExists;
        expectedPath =
            ofCompanion(failing)
                ? rawTarget
                : bench.target + test::nativePath("/dir/A/A-1 [2019-01-02] [03 04 05].jpg");
    }
    int moveMode = 0;
    switch (failing) {
        case Failing::CreateFolder:
            rule.call = FsCall::CreateDirectory;
            rule.path = bench.target + test::nativePath("/dir");
            expectedPath = rule.path;
            break;
        case Failing::Copy:
        case Failing::CompanionCopy:
            rule.call = FsCall::CopyFile;
            rule.path = picture;
            break;
        case Failing::PlainMove:
        case Failing::CompanionPlainMove:
            rule.call = FsCall::MoveFile;
            rule.path = picture;
            moveMode = 1;
            break;
        case Failing::FlaggedMove:
        case Failing::CompanionFlaggedMove: {
            // The plain move fails first with a sharing violation that is
            // retried: the retry is the flagged move under test.
            FaultRule plain;
            plain.call = FsCall::MoveFile;
            plain.path = picture;
            plain.times = 1;
            plain.error = kErrorSharingViolation;
            fs.addRule(plain);
            rule.call = FsCall::MoveFile;
            rule.path = picture;
            rule.skip = 1;
            moveMode = 1;
            break;
        }
    }
    fs.addRule(rule);
    MatrixPrompter prompter(answer);
    if (failing == Failing::FlaggedMove || failing == Failing::CompanionFlaggedMove) {
        // The sharing violation's own question comes first and is retried.
        struct Retrying : Prompter {
            MatrixPrompter& inner;
            bool first = true;
            explicit Retrying(MatrixPrompter& p) : inner(p) {}
            int ask(const std::string& text, const std::string& caption, Buttons buttons,
                    Icon icon) override {
                if (first) {
                    first = false;
                    return kAnswerRetry;
                }
                return inner.ask(text, caption, buttons, icon);
            }
        } retrying(prompter);
        bench.run(fs, retrying, moveMode);
    } else {
        bench.run(fs, prompter, moveMode);
    }

    ASSERT_FALSE(prompter.asked.empty());
    EXPECT_EQ(prompter.asked[0].text, systemErrorText(askedCode, expectedPath));
    EXPECT_EQ(prompter.asked[0].caption,
              askedCode == kErrorFileExists || askedCode == kErrorAlreadyExists ? "Lumora"
                                                                                : "System Error");
    EXPECT_EQ(prompter.asked[0].buttons, systemErrorButtons(askedCode));

    if (givesUp(askedCode, answer)) {
        EXPECT_EQ(bench.albums[0].processed, 0);
        ASSERT_GE(prompter.asked.size(), 2u);
        EXPECT_EQ(prompter.asked[1].text, "Move to next album?");
    }
    if (retried) {
        EXPECT_EQ(bench.albums[0].processed, 1);
        EXPECT_EQ(
            readFile(bench.target + test::nativePath("/dir/A/A-1 [2019-01-02] [03 04 05].jpg")),
            bench.contents[0]);
        EXPECT_EQ(readFile(rawTarget), "raw of IMG_1");
    }
    // The RAW is never lost nor changed at its source by a copy, and a move
    // never parts it from its picture: each is at its source or at its
    // target, and one only at the target means the other is there too.
    const std::string pictureTarget =
        bench.target + test::nativePath("/dir/A/A-1 [2019-01-02] [03 04 05].jpg");
    const bool pictureAtSource = readFile(bench.pictures[0].path) == bench.contents[0];
    const bool pictureAtTarget = readFile(pictureTarget) == bench.contents[0];
    const bool rawAtSource = readFile(raw) == "raw of IMG_1";
    const bool rawAtTarget = readFile(rawTarget) == "raw of IMG_1";
    EXPECT_TRUE(rawAtSource || rawAtTarget) << "the RAW is lost";
    if (moveMode == 0) {
        EXPECT_TRUE(rawAtSource);
    } else {
        EXPECT_FALSE(pictureAtTarget && !pictureAtSource && !rawAtTarget)
            << "the RAW stayed behind";
        EXPECT_FALSE(rawAtTarget && !rawAtSource && !pictureAtTarget)
            << "the picture stayed behind";
    }
    // Album B's existing file is declined, so it gives B up.
    EXPECT_EQ(bench.albums[1].processed, 0);
    EXPECT_EQ(readFile(guard), "older file");
    EXPECT_EQ(readFile(bench.target + test::nativePath("/C/IMG_0001.jpg")), bench.contents[3]);
    EXPECT_EQ(readFile(bench.target + test::nativePath("/C/IMG_0001 (2).jpg")), bench.contents[4]);
    EXPECT_EQ(bench.misplacedPicture(moveMode), "");
    std::error_code error;
    for (const auto& item : std::filesystem::recursive_directory_iterator(bench.target, error)) {
        EXPECT_NE(item.path().filename().string().rfind(".lumora-", 0), 0u) << item.path();
    }
}

TEST(FaultMatrix, everyFailingTransferCallWithEveryCodeAndAnswer) {
    for (const Failing failing :
         {Failing::CreateFolder, Failing::Copy, Failing::PlainMove, Failing::FlaggedMove,
          Failing::CompanionCopy, Failing::CompanionPlainMove, Failing::CompanionFlaggedMove}) {
        for (const ErrorCode code : tableCodes()) {
            for (const int answer : answersOf(systemErrorButtons(code))) {
                for (const bool inside : {false, true}) runCase(failing, code, answer, inside);
            }
        }
    }
}

TEST(FaultMatrix, everyFailingFreeSpaceQueryWithEveryCodeAndAnswer) {
    for (const ErrorCode code : tableCodes()) {
        for (const int answer : answersOf(systemErrorButtons(code))) {
            SCOPED_TRACE(std::to_string(code) + " answered " + answerName(answer));
            AlbumList albums(1);
            albums[0].sizeMB = 1.0f;
            FaultyFileSystem fs;
            fs.setDriveHook([](const std::string&) { return std::string("C"); });
            fs.setFreeBytes(uint64_t{100} << 20);
            const bool retried = answer == kAnswerRetry || answer == kAnswerYes;
            FaultRule rule;
            rule.call = FsCall::FreeSpace;
            rule.error = code;
            rule.times = retried ? 1 : -1;
            fs.addRule(rule);
            MatrixPrompter prompter(answer);
            test::RecordingSink upper, lower;

            const FreeSpaceCheck check =
                checkFreeSpace(albums, {}, "/target", 0, fs, prompter, upper, lower);

            ASSERT_EQ(prompter.asked.size(), 1u);
            EXPECT_EQ(prompter.asked[0].text, systemErrorText(code, "/target"));
            EXPECT_EQ(check.processEnabled, retried);
            if (retried) {
                EXPECT_EQ(check.firstStatus,
                          "Checking for free space... Found enough space on C:(100.000MB)");
            } else {
                EXPECT_EQ(check.firstStatus, "Checking for free space... Drive C: not ready!");
                EXPECT_EQ(check.secondStatus, "Please select other drive.");
            }
        }
    }
}

}  // namespace
}  // namespace lumora
