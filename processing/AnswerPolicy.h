#pragma once

#include "platform/Prompter.h"
#include "processing/QuestionSubject.h"

namespace lumora {

// Ways to answer every question of a run without asking anyone. None of them
// answers Retry, so a run under a policy always ends.
enum class AnswerPolicy {
    // Replace existing files, continue into existing folders, skip a file
    // that fails otherwise, go on with the next album.
    Yes,
    // As Yes, but never replace an existing file.
    No,
    // Give up at the first question.
    Abort,
};

int policyAnswer(AnswerPolicy policy, QuestionSubject subject, Buttons buttons);

}  // namespace lumora
