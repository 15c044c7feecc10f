#include "processing/ReportSystemError.h"

#include <gtest/gtest.h>

#include "processing/SystemErrorTable.h"
#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

struct TextCase {
    ErrorCode code;
    const char* withPath;  // for the path "/src/day one/IMG_1.JPG"
    const char* withoutPath;
    Buttons buttons;
};

const TextCase kTexts[] = {
    {2, "The system cannot find the file specified( IMG_1.JPG). Continue?",
     "The system cannot find the file specified. Continue?", Buttons::AbortRetryIgnore},
    {3, "The system cannot find the path specified( /src/day one). Continue?",
     "The system cannot find the path specified. Continue?", Buttons::AbortRetryIgnore},
    {5, "Access is denied.( /src/day one). Continue?", "Access is denied. Continue?",
     Buttons::AbortRetryIgnore},
    {8, "Not enough storage is available to process this command. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {14, "Not enough storage is available to complete this operation. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {15, "The system cannot find the drive specified. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {20, "The system cannot find the drive specified. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {19, "The media is write protected. Continue?", nullptr, Buttons::AbortRetryIgnore},
    {21, "The device is not ready. Continue?", nullptr, Buttons::AbortRetryIgnore},
    {25, "The drive cannot locate a specific area or track on the disk. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {26, "The specified disk or diskette cannot be accessed. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {27, "The drive cannot find the sector requested. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {29, "The system cannot write to the specified device. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {30, "The system cannot read from the specified device. Continue?", nullptr,
     Buttons::AbortRetryIgnore},
    {32,
     "The process cannot access the file because it is being used by another process( "
     "IMG_1.JPG). Continue?",
     "The process cannot access the file because it is being used by another process. Continue?",
     Buttons::AbortRetryIgnore},
    {33,
     "The process cannot access the file because another process has locked a portion of the "
     "file( IMG_1.JPG). Continue?",
     "The process cannot access the file because another process has locked a portion of the "
     "file. Continue?",
     Buttons::AbortRetryIgnore},
    {39,
     "The disk is full. Please close all other applications while Lumora is processing albums. "
     "Continue?",
     nullptr, Buttons::RetryCancel},
    {72, "The specified disk device has been paused. Continue?", nullptr, Buttons::RetryCancel},
    {80, "IMG_1.JPG already exists! Overwrite?", "File already exists! Overwrite?",
     Buttons::YesNoCancel},
    {82, "The file cannot be created. Continue?", nullptr, Buttons::AbortRetryIgnore},
    {183, "Directory already exists( IMG_1.JPG)! Continue?",
     "Directory already exists( )! Continue?", Buttons::YesNo},
    {206, "The filename or extension is too long. Please redefine album", nullptr, Buttons::Ok},
    {266, "The copy functions cannot be used.", nullptr, Buttons::RetryCancel},
    {267, "The directory name is invalid. Please redefine album", nullptr, Buttons::Ok},
    {1785, "The disk media is not recognized. It may not be formatted.", nullptr,
     Buttons::AbortRetryIgnore},
    {17, "Unknown error.", nullptr, Buttons::AbortRetryIgnore},
    {kErrorUnmappedErrnoBit | 95, "Unknown error.", nullptr, Buttons::AbortRetryIgnore},
};

TEST(SystemErrorText, givesEveryCodeItsTextWithAndWithoutAPath) {
    for (const TextCase& c : kTexts) {
        EXPECT_EQ(systemErrorText(c.code, "/src/day one/IMG_1.JPG"), c.withPath) << c.code;
        EXPECT_EQ(systemErrorText(c.code, ""), c.withoutPath ? c.withoutPath : c.withPath)
            << c.code;
        EXPECT_EQ(systemErrorButtons(c.code), c.buttons) << c.code;
    }
}

TEST(SystemErrorText, coversEveryRowOfTheTable) {
    int count = 0;
    const SystemErrorEntry* rows = systemErrorRows(count);
    for (int i = 0; i < count; ++i) {
        bool listed = false;
        for (const TextCase& c : kTexts) listed = listed || c.code == rows[i].code;
        EXPECT_TRUE(listed) << "no test case for code " << rows[i].code;
    }
    EXPECT_EQ(count + 2, static_cast<int>(std::size(kTexts)));
}

TEST(SystemErrorText, putsAPercentInANameThroughUnchanged) {
    EXPECT_EQ(systemErrorText(80, "/src/100%s%d.jpg"), "100%s%d.jpg already exists! Overwrite?");
    EXPECT_EQ(systemErrorText(2, "plain.jpg"),
              "The system cannot find the file specified( plain.jpg). Continue?");
}

TEST(ReportSystemError, setsTheFlagAndTheResultByTheAnswer) {
    const struct {
        ErrorCode code;
        int answer;
        int continueFlag;
        bool retry;
    } cases[] = {
        {2, kAnswerAbort, 0, false}, {2, kAnswerRetry, 1, true},    {2, kAnswerIgnore, 1, false},
        {39, kAnswerRetry, 1, true}, {39, kAnswerCancel, 0, false}, {206, kAnswerOk, 0, false},
        {80, kAnswerYes, 1, true},   {80, kAnswerNo, 1, false},     {80, kAnswerCancel, 0, false},
        {183, kAnswerYes, 1, true},  {183, kAnswerNo, 0, false},    {999, kAnswerIgnore, 1, false},
    };
    for (const auto& c : cases) {
        test::ScriptedPrompter prompter;
        // Questions about what exists already are routine, not errors.
        const bool routine = c.code == 80 || c.code == 183;
        prompter.expect(systemErrorText(c.code, "/a/b.jpg"), routine ? "Lumora" : "System Error",
                        systemErrorButtons(c.code), c.answer);
        int continueFlag = 1 - c.continueFlag;
        int answerCode = 0;
        EXPECT_EQ(reportSystemError(c.code, continueFlag, answerCode, "/a/b.jpg", prompter),
                  c.retry)
            << c.code << " " << c.answer;
        EXPECT_EQ(continueFlag, c.continueFlag) << c.code << " " << c.answer;
        EXPECT_EQ(answerCode, c.answer);
    }
}

// A prompter that answers what the box does not offer, as a box closed
// another way might.
class StrayPrompter : public Prompter {
  public:
    int ask(const std::string&, const std::string&, Buttons, Icon) override { return kAnswerYes; }
};

TEST(ReportSystemError, givesUpOnAnAnswerTheBoxDoesNotOffer) {
    StrayPrompter prompter;
    int continueFlag = 1;
    int answerCode = 0;
    EXPECT_FALSE(reportSystemError(2, continueFlag, answerCode, "/a/b.jpg", prompter));
    EXPECT_EQ(continueFlag, 0);
    EXPECT_EQ(answerCode, kAnswerYes);
}

}  // namespace
}  // namespace lumora
