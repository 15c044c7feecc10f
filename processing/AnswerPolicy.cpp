#include "processing/AnswerPolicy.h"

namespace lumora {

int policyAnswer(AnswerPolicy policy, QuestionSubject subject, Buttons buttons) {
    const bool abort = policy == AnswerPolicy::Abort;
    switch (buttons) {
        case Buttons::Ok:
            return kAnswerOk;
        // "Copy instead of move?"
        case Buttons::OkCancel:
            return abort ? kAnswerCancel : kAnswerOk;
        // "Directory already exists" about a folder; "Move to next album?".
        case Buttons::YesNo:
            if (abort) return kAnswerNo;
            if (subject == QuestionSubject::File && policy == AnswerPolicy::No) return kAnswerNo;
            return kAnswerYes;
        // "Overwrite?", in copy and in move mode
        case Buttons::YesNoCancel:
            if (abort) return kAnswerCancel;
            return policy == AnswerPolicy::Yes ? kAnswerYes : kAnswerNo;
        case Buttons::AbortRetryIgnore:
            return abort ? kAnswerAbort : kAnswerIgnore;
        case Buttons::RetryCancel:
            return kAnswerCancel;
    }
    return kAnswerCancel;
}

}  // namespace lumora
