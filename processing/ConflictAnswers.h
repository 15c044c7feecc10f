#pragma once

#include <string>

#include "platform/Prompter.h"

namespace lumora {

inline constexpr const char* kForAllConflictsText = "Do this for all conflicts";

// What a question about something already at the target found there. The
// kinds are told apart by what exists, never by the question's words.
enum class ConflictKind {
    FileThere,    // Yes replaces the file, No skips the picture
    FolderThere,  // Yes uses the folder
};

// The answers a run was told to give to every later conflict of a kind.
// Only answers that go on are kept: an answer for all files never gives an
// album up, and one for all folders never replaces a file.
class ConflictAnswers {
  public:
    // The answer to give without asking, or 0 when the question is asked.
    int answerFor(ConflictKind kind) const;
    // Keeps the answer for the kind when it may stand for all; false when not.
    bool remember(ConflictKind kind, int answer);

  private:
    int file_ = 0;
    int folder_ = 0;
};

// Asks a conflict question through `inner` with the "for all" box, or
// answers it from the run's answers when the user gave one for its kind.
class ConflictPrompter : public Prompter {
  public:
    ConflictPrompter(Prompter& inner, ConflictAnswers& answers, ConflictKind kind)
        : inner_(inner), answers_(answers), kind_(kind) {}

    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override;

  private:
    Prompter& inner_;
    ConflictAnswers& answers_;
    ConflictKind kind_;
};

}  // namespace lumora
