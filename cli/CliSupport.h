#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/ProgressSink.h"
#include "platform/Prompter.h"

namespace lumora::cli {

// Asks on the terminal: the question and its buttons go to standard error,
// the answer is read from standard input. End of input answers as the
// fallback does.
class TerminalPrompter : public Prompter {
  public:
    explicit TerminalPrompter(std::FILE* input = stdin, std::FILE* output = stderr)
        : input_(input), output_(output) {}
    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override;

  private:
    std::FILE* input_;
    std::FILE* output_;
};

// Answers every question with the first of its preferred answers that the
// button set offers, and writes the question and the answer to standard
// error so that nothing is decided silently.
class PolicyPrompter : public Prompter {
  public:
    // Answers in order of preference, e.g. {kAnswerOk, kAnswerIgnore, kAnswerNo}.
    PolicyPrompter(std::initializer_list<int> preferred, std::FILE* log = stderr);
    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override;

  private:
    int preferred_[7];
    int preferredCount_ = 0;
    std::FILE* log_;
};

// Shows the status and a percentage on standard error, only when it is a
// terminal.
class TerminalProgress : public ProgressSink {
  public:
    TerminalProgress();
    ~TerminalProgress() override;
    void setStatus(const std::string& text) override;
    void setRange(int64_t lower, int64_t upper) override;
    void setPosition(int64_t position) override;
    void setStep(int64_t step) override { step_ = step; }
    void step() override { setPosition(position_ + step_); }

  private:
    void draw();
    bool enabled_;
    bool drawn_ = false;
    std::string status_;
    int64_t lower_ = 0, upper_ = 0, position_ = 0, step_ = 1;
    int lastPercent_ = -1;
};

bool standardInputIsTerminal();

// The prompter of the scan's read-error question ("skip the file or stop"):
// the user on a terminal, unless answerOk is set or input is not a terminal,
// in which case every such question is answered OK (skip the file).
std::unique_ptr<Prompter> scanQuestionPrompter(bool answerOk);

// The first answer of a button set, used when no one can be asked.
int defaultAnswer(Buttons buttons);

}  // namespace lumora::cli
