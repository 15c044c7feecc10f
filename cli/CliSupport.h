#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "cli/Console.h"
#include "cli/FailureWatch.h"
#include "platform/Prompter.h"
#include "processing/AnswerPolicy.h"
#include "processing/QuestionSubject.h"
#include "session/SessionData.h"

namespace lumora::cli {

// A message of the program as one terminal line: "caption: text", or the
// text alone when the caption is empty or only the program's title.
std::string messageLine(const std::string& text, const std::string& caption);

// Shows the program's messages on the console and answers its questions:
// by asking on the terminal, or by a policy. A message with only OK is shown
// without waiting. Before a question about a failed call of the watched file
// system, a line says which file or folder failed and why, in words.
class CliPrompter : public Prompter, public QuestionListener {
  public:
    // policy: answer by it and show each question with its answer; none: ask
    // on input.
    CliPrompter(Console& console, std::optional<AnswerPolicy> policy, FailureWatch* watch = nullptr,
                std::FILE* input = stdin)
        : console_(console), policy_(policy), watch_(watch), input_(input) {}

    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override;
    // Asked on input, an answer typed in upper case (or followed by "a")
    // stands for every later conflict of its kind.
    int askForAll(const std::string& text, const std::string& caption, Buttons buttons, Icon icon,
                  const std::string& forAllText, bool& forAll) override;
    void questionAbout(QuestionSubject subject) override { subject_ = subject; }

  private:
    void tellFailure();
    int askOnInput(const std::string& line, Buttons buttons, bool* forAll = nullptr);

    Console& console_;
    std::optional<AnswerPolicy> policy_;
    FailureWatch* watch_;
    std::FILE* input_;
    QuestionSubject subject_ = QuestionSubject::Album;
};

bool standardInputIsTerminal();

// The policy questions are answered by: the one given; else none (ask) when
// standard input is a terminal; else --no.
std::optional<AnswerPolicy> questionPolicy(std::optional<AnswerPolicy> given);

// Why listing the folder at path failed, in words, the path first.
std::string folderProblem(FileSystem& fileSystem, const std::string& path, ErrorCode error);

// Whether path is a folder that can be listed; otherwise one error line that
// names it and says why in words ("no such folder", "is a file, not a folder").
bool folderReadable(FileSystem& fileSystem, const std::string& path, Console& console);

// One last error line when folders or files under source could not be read
// ("1 folder and 2 files under SRC could not be read"); whether there was any.
bool reportUnreadable(const std::string& source, int folders, size_t files, Console& console);

// Reads and checks a session file; otherwise one error line with the reason,
// "FILE: File could not be loaded! (the file ends in the header ...)".
bool readSessionForCommand(FileSystem& fileSystem, const std::string& path, SessionData& data,
                           Console& console);

}  // namespace lumora::cli
