#include "cli/CliSupport.h"

#include <unistd.h>

#include <cctype>
#include <cstring>

namespace lumora::cli {
namespace {

struct Choice {
    int answer;
    const char* key;
};

// The keys a user types for each answer, in the order of the button set.
int choicesOf(Buttons buttons, Choice* out) {
    switch (buttons) {
        case Buttons::Ok:
            out[0] = {kAnswerOk, "o"};
            return 1;
        case Buttons::OkCancel:
            out[0] = {kAnswerOk, "o"};
            out[1] = {kAnswerCancel, "c"};
            return 2;
        case Buttons::YesNo:
            out[0] = {kAnswerYes, "y"};
            out[1] = {kAnswerNo, "n"};
            return 2;
        case Buttons::YesNoCancel:
            out[0] = {kAnswerYes, "y"};
            out[1] = {kAnswerNo, "n"};
            out[2] = {kAnswerCancel, "c"};
            return 3;
        case Buttons::AbortRetryIgnore:
            out[0] = {kAnswerAbort, "a"};
            out[1] = {kAnswerRetry, "r"};
            out[2] = {kAnswerIgnore, "i"};
            return 3;
        case Buttons::RetryCancel:
            out[0] = {kAnswerRetry, "r"};
            out[1] = {kAnswerCancel, "c"};
            return 2;
    }
    return 0;
}

// When input ends, a question is answered by its safest answer: the one that
// stops rather than retries or replaces.
int safeAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::Ok:
            return kAnswerOk;
        case Buttons::OkCancel:
            return kAnswerCancel;
        case Buttons::YesNo:
            return kAnswerNo;
        case Buttons::YesNoCancel:
            return kAnswerCancel;
        case Buttons::AbortRetryIgnore:
            return kAnswerAbort;
        case Buttons::RetryCancel:
            return kAnswerCancel;
    }
    return kAnswerCancel;
}

}  // namespace

bool standardInputIsTerminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

std::unique_ptr<Prompter> scanQuestionPrompter(bool answerOk) {
    if (!answerOk && standardInputIsTerminal()) return std::make_unique<TerminalPrompter>();
    return std::make_unique<PolicyPrompter>(std::initializer_list<int>{kAnswerOk});
}

int defaultAnswer(Buttons buttons) {
    Choice choices[3] = {};
    choicesOf(buttons, choices);
    return choices[0].answer;
}

int TerminalPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon /*icon*/) {
    Choice choices[3] = {};
    const int count = choicesOf(buttons, choices);
    for (;;) {
        std::fprintf(output_, "%s: %s [", caption.c_str(), text.c_str());
        for (int i = 0; i < count; ++i) {
            std::fprintf(output_, "%s%s=%s", i ? ", " : "", choices[i].key,
                         answerName(choices[i].answer));
        }
        std::fprintf(output_, "] ");
        std::fflush(output_);
        char line[64];
        if (std::fgets(line, sizeof line, input_) == nullptr) {
            const int answer = safeAnswer(buttons);
            std::fprintf(output_, "\n(no answer: %s)\n", answerName(answer));
            return answer;
        }
        const char typed = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
        for (int i = 0; i < count; ++i) {
            if (typed == choices[i].key[0]) return choices[i].answer;
        }
        if (count == 1 && (line[0] == '\n' || line[0] == '\0')) return choices[0].answer;
    }
}

PolicyPrompter::PolicyPrompter(std::initializer_list<int> preferred, std::FILE* log) : log_(log) {
    for (int answer : preferred) {
        if (preferredCount_ < 7) preferred_[preferredCount_++] = answer;
    }
}

int PolicyPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                        Icon /*icon*/) {
    int answer = safeAnswer(buttons);
    for (int i = 0; i < preferredCount_; ++i) {
        if (answerBelongsTo(preferred_[i], buttons)) {
            answer = preferred_[i];
            break;
        }
    }
    if (log_ != nullptr) {
        std::fprintf(log_, "%s: %s [%s] -> %s\n", caption.c_str(), text.c_str(),
                     buttonsName(buttons), answerName(answer));
    }
    return answer;
}

TerminalProgress::TerminalProgress() : enabled_(::isatty(STDERR_FILENO) == 1) {}

TerminalProgress::~TerminalProgress() {
    if (enabled_ && drawn_) std::fputc('\n', stderr);
}

void TerminalProgress::setStatus(const std::string& text) {
    status_ = text;
    lastPercent_ = -1;
    draw();
}

void TerminalProgress::setRange(int64_t lower, int64_t upper) {
    lower_ = lower;
    upper_ = upper;
    position_ = lower;
    lastPercent_ = -1;
}

void TerminalProgress::setPosition(int64_t position) {
    position_ = position;
    draw();
}

void TerminalProgress::draw() {
    if (!enabled_) return;
    int percent = -1;
    if (upper_ > lower_) {
        percent = static_cast<int>((position_ - lower_) * 100 / (upper_ - lower_));
        if (percent < 0) percent = 0;
        if (percent > 100) percent = 100;
        if (percent == lastPercent_) return;
    }
    lastPercent_ = percent;
    if (status_.empty() && percent < 0) {
        // Nothing left to show: clear the line for the output that follows.
        if (drawn_) std::fprintf(stderr, "\r\033[K");
        std::fflush(stderr);
        drawn_ = false;
        return;
    }
    if (percent >= 0) {
        std::fprintf(stderr, "\r\033[K%s %3d%%", status_.c_str(), percent);
    } else {
        std::fprintf(stderr, "\r\033[K%s", status_.c_str());
    }
    std::fflush(stderr);
    drawn_ = true;
}

}  // namespace lumora::cli
