#pragma once

#include <string>

namespace lumora {

// The button sets of a message box.
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, AbortRetryIgnore, RetryCancel };

enum class Icon { None, Information, Warning, Error, Question };

// Answers keep the numbers of the Windows message box, because callers and
// stored decisions compare against them.
enum Answer : int {
    kAnswerOk = 1,
    kAnswerCancel = 2,
    kAnswerAbort = 3,
    kAnswerRetry = 4,
    kAnswerIgnore = 5,
    kAnswerYes = 6,
    kAnswerNo = 7,
};

// Every message box of the program goes through a Prompter, so engines stay
// free of the user interface and tests can script the answers.
class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual int ask(const std::string& text, const std::string& caption, Buttons buttons,
                    Icon icon) = 0;
    // The same question with a check box (forAllText) that offers to give
    // the answer to every later question of its kind; forAll tells whether
    // it was checked. A prompter without such a box asks plainly.
    virtual int askForAll(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon icon, const std::string& forAllText, bool& forAll) {
        (void)forAllText;
        forAll = false;
        return ask(text, caption, buttons, icon);
    }
};

// The answers a button set offers, in the order its buttons appear.
const char* buttonsName(Buttons buttons);
bool answerBelongsTo(int answer, Buttons buttons);
const char* answerName(int answer);
// The answer that stops or declines: Cancel, No, Abort, or OK for a box with
// only OK (what Esc gives on Windows, or what a box nobody answers gets).
int decliningAnswer(Buttons buttons);

}  // namespace lumora
