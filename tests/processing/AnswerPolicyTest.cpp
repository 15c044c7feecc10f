#include "processing/AnswerPolicy.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(AnswerPolicy, answersEveryQuestionByItsIntentAndNeverRetries) {
    using S = QuestionSubject;
    const struct {
        S subject;
        Buttons buttons;
        int yes, no, abort;
    } cases[] = {
        // "Overwrite?"
        {S::File, Buttons::YesNoCancel, kAnswerYes, kAnswerNo, kAnswerCancel},
        // "Directory already exists" for a move onto an existing file
        {S::File, Buttons::YesNo, kAnswerYes, kAnswerNo, kAnswerNo},
        // ... and for an existing folder
        {S::Folder, Buttons::YesNo, kAnswerYes, kAnswerYes, kAnswerNo},
        // "Move to next album?"
        {S::Album, Buttons::YesNo, kAnswerYes, kAnswerYes, kAnswerNo},
        // "Copy instead of move?"
        {S::File, Buttons::OkCancel, kAnswerOk, kAnswerOk, kAnswerCancel},
        {S::File, Buttons::AbortRetryIgnore, kAnswerIgnore, kAnswerIgnore, kAnswerAbort},
        {S::Folder, Buttons::AbortRetryIgnore, kAnswerIgnore, kAnswerIgnore, kAnswerAbort},
        {S::FreeSpace, Buttons::AbortRetryIgnore, kAnswerIgnore, kAnswerIgnore, kAnswerAbort},
        {S::File, Buttons::RetryCancel, kAnswerCancel, kAnswerCancel, kAnswerCancel},
        {S::File, Buttons::Ok, kAnswerOk, kAnswerOk, kAnswerOk},
        {S::Album, Buttons::Ok, kAnswerOk, kAnswerOk, kAnswerOk},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(buttonsName(c.buttons));
        EXPECT_EQ(policyAnswer(AnswerPolicy::Yes, c.subject, c.buttons), c.yes);
        EXPECT_EQ(policyAnswer(AnswerPolicy::No, c.subject, c.buttons), c.no);
        EXPECT_EQ(policyAnswer(AnswerPolicy::Abort, c.subject, c.buttons), c.abort);
    }
}

}  // namespace
}  // namespace lumora
