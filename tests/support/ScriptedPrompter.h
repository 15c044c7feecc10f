#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompter.h"

namespace lumora::test {

// Answers message boxes from a script and records every question. A question
// with no scripted answer left fails the test and gets the answer that stops
// or declines (Cancel, No, Abort, or OK for a box with only OK); so does a
// scripted answer that the box does not offer, or a question that differs
// from the one the script expects. Answers left over when the prompter goes
// fail the test too, unless allowUnusedAnswers was called.
class ScriptedPrompter : public Prompter {
  public:
    struct Question {
        std::string text;
        std::string caption;
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
    };

    ScriptedPrompter() = default;
    ScriptedPrompter(const ScriptedPrompter&) = delete;
    ScriptedPrompter& operator=(const ScriptedPrompter&) = delete;
    ~ScriptedPrompter() override;

    // The next question gets this answer, whatever it asks.
    ScriptedPrompter& answer(int answer);
    // The next question must have this text, caption and buttons.
    ScriptedPrompter& expect(const std::string& text, const std::string& caption, Buttons buttons,
                             int answer);
    // The next question gets this answer with its "for all" box checked,
    // when it has one.
    ScriptedPrompter& answerForAll(int answer);
    void allowUnusedAnswers() { allowUnused_ = true; }

    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override;
    int askForAll(const std::string& text, const std::string& caption, Buttons buttons, Icon icon,
                  const std::string& forAllText, bool& forAll) override;
    // The "for all" texts offered, one per question that offered one.
    const std::vector<std::string>& forAllOffers() const { return forAllOffers_; }

    const std::vector<Question>& questions() const { return questions_; }
    // The texts of the questions asked, in order.
    std::vector<std::string> texts() const;
    size_t remainingAnswers() const { return script_.size(); }

    static int declineAnswer(Buttons buttons);

  private:
    struct Step {
        int answer = kAnswerOk;
        std::optional<Question> expected;
        bool forAll = false;
    };

    std::deque<Step> script_;
    std::vector<Question> questions_;
    std::vector<std::string> forAllOffers_;
    bool allowUnused_ = false;
};

// Answers OK or Yes to whatever is asked and keeps every question.
class AgreeingPrompter : public Prompter {
  public:
    int ask(const std::string& text, const std::string&, Buttons buttons, Icon) override {
        asked.push_back(text);
        return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? kAnswerOk : kAnswerYes;
    }
    std::vector<std::string> asked;
};

}  // namespace lumora::test
