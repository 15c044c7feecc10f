#include "platform/Prompter.h"

namespace lumora {

const char* buttonsName(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return "OK";
        case Buttons::OkCancel:
            return "OK/Cancel";
        case Buttons::YesNo:
            return "Yes/No";
        case Buttons::YesNoCancel:
            return "Yes/No/Cancel";
        case Buttons::AbortRetryIgnore:
            return "Abort/Retry/Ignore";
        case Buttons::RetryCancel:
            return "Retry/Cancel";
    }
    return "?";
}

bool answerBelongsTo(int answer, Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return answer == kAnswerOk;
        case Buttons::OkCancel:
            return answer == kAnswerOk || answer == kAnswerCancel;
        case Buttons::YesNo:
            return answer == kAnswerYes || answer == kAnswerNo;
        case Buttons::YesNoCancel:
            return answer == kAnswerYes || answer == kAnswerNo || answer == kAnswerCancel;
        case Buttons::AbortRetryIgnore:
            return answer == kAnswerAbort || answer == kAnswerRetry || answer == kAnswerIgnore;
        case Buttons::RetryCancel:
            return answer == kAnswerRetry || answer == kAnswerCancel;
    }
    return false;
}

int decliningAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return kAnswerOk;
        case Buttons::YesNo:
            return kAnswerNo;
        case Buttons::AbortRetryIgnore:
            return kAnswerAbort;
        case Buttons::OkCancel:
        case Buttons::YesNoCancel:
        case Buttons::RetryCancel:
            return kAnswerCancel;
    }
    return kAnswerCancel;
}

const char* answerName(int answer) {
    switch (answer) {
        case kAnswerOk:
            return "OK";
        case kAnswerCancel:
            return "Cancel";
        case kAnswerAbort:
            return "Abort";
        case kAnswerRetry:
            return "Retry";
        case kAnswerIgnore:
            return "Ignore";
        case kAnswerYes:
            return "Yes";
        case kAnswerNo:
            return "No";
    }
    return "?";
}

}  // namespace lumora
