#include "tests/support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace lumora::test {

ScriptedPrompter::~ScriptedPrompter() {
    if (!allowUnused_ && !script_.empty()) {
        ADD_FAILURE() << script_.size() << " scripted answer(s) were never asked for; the first is "
                      << answerName(script_.front().answer);
    }
}

ScriptedPrompter& ScriptedPrompter::answer(int answer) {
    script_.push_back(Step{answer, std::nullopt});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expect(const std::string& text, const std::string& caption,
                                           Buttons buttons, int answer) {
    script_.push_back(Step{answer, Question{text, caption, buttons, Icon::None}});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::answerForAll(int answer) {
    script_.push_back(Step{answer, std::nullopt, true});
    return *this;
}

int ScriptedPrompter::askForAll(const std::string& text, const std::string& caption,
                                Buttons buttons, Icon icon, const std::string& forAllText,
                                bool& forAll) {
    forAllOffers_.push_back(forAllText);
    forAll = !script_.empty() && script_.front().forAll;
    return ask(text, caption, buttons, icon);
}

int ScriptedPrompter::declineAnswer(Buttons buttons) {
    return decliningAnswer(buttons);
}

int ScriptedPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon icon) {
    questions_.push_back(Question{text, caption, buttons, icon});
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected question \"" << text << "\" (caption \"" << caption << "\", "
                      << buttonsName(buttons) << ")";
        return declineAnswer(buttons);
    }
    const Step step = script_.front();
    script_.pop_front();
    if (step.expected) {
        const Question& want = *step.expected;
        if (want.text != text || want.caption != caption || want.buttons != buttons) {
            ADD_FAILURE() << "asked \"" << text << "\" (caption \"" << caption << "\", "
                          << buttonsName(buttons) << ") but the script expects \"" << want.text
                          << "\" (caption \"" << want.caption << "\", " << buttonsName(want.buttons)
                          << ")";
            return declineAnswer(buttons);
        }
    }
    if (!answerBelongsTo(step.answer, buttons)) {
        ADD_FAILURE() << "the scripted answer " << answerName(step.answer) << " is not offered by "
                      << buttonsName(buttons) << " for \"" << text << "\"";
        return declineAnswer(buttons);
    }
    return step.answer;
}

std::vector<std::string> ScriptedPrompter::texts() const {
    std::vector<std::string> result;
    for (const Question& question : questions_) result.push_back(question.text);
    return result;
}

}  // namespace lumora::test
