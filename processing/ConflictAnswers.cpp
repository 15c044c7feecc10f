#include "processing/ConflictAnswers.h"

namespace lumora {

int ConflictAnswers::answerFor(ConflictKind kind) const {
    return kind == ConflictKind::FileThere ? file_ : folder_;
}

bool ConflictAnswers::remember(ConflictKind kind, int answer) {
    switch (kind) {
        case ConflictKind::FileThere:
            // Cancel would give every later album up.
            if (answer != kAnswerYes && answer != kAnswerNo) return false;
            file_ = answer;
            return true;
        case ConflictKind::FolderThere:
            // No gives the album up.
            if (answer != kAnswerYes) return false;
            folder_ = answer;
            return true;
    }
    return false;
}

int ConflictPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                          Icon icon) {
    const int given = answers_.answerFor(kind_);
    if (given != 0 && answerBelongsTo(given, buttons)) return given;
    bool forAll = false;
    const int answer = inner_.askForAll(text, caption, buttons, icon, kForAllConflictsText, forAll);
    if (forAll) answers_.remember(kind_, answer);
    return answer;
}

}  // namespace lumora
