#include "cli/CliSupport.h"

#include <unistd.h>

#include <cctype>

#include "app/SessionCommands.h"
#include "catalog/PictureCatalog.h"
#include "cli/ErrorWords.h"
#include "processing/ProcessAlbums.h"
#include "processing/ReportSystemError.h"
#include "session/SessionLoad.h"

namespace lumora::cli {
namespace {

struct Choice {
    int answer;
    char key;
};

// The keys a user types for each answer, in the order of the button set.
int choicesOf(Buttons buttons, Choice* out) {
    switch (buttons) {
        case Buttons::Ok:
            out[0] = {kAnswerOk, 'o'};
            return 1;
        case Buttons::OkCancel:
            out[0] = {kAnswerOk, 'o'};
            out[1] = {kAnswerCancel, 'c'};
            return 2;
        case Buttons::YesNo:
            out[0] = {kAnswerYes, 'y'};
            out[1] = {kAnswerNo, 'n'};
            return 2;
        case Buttons::YesNoCancel:
            out[0] = {kAnswerYes, 'y'};
            out[1] = {kAnswerNo, 'n'};
            out[2] = {kAnswerCancel, 'c'};
            return 3;
        case Buttons::AbortRetryIgnore:
            out[0] = {kAnswerAbort, 'a'};
            out[1] = {kAnswerRetry, 'r'};
            out[2] = {kAnswerIgnore, 'i'};
            return 3;
        case Buttons::RetryCancel:
            out[0] = {kAnswerRetry, 'r'};
            out[1] = {kAnswerCancel, 'c'};
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
        case Buttons::YesNo:
            return kAnswerNo;
        case Buttons::AbortRetryIgnore:
            return kAnswerAbort;
        default:
            return kAnswerCancel;
    }
}

// Questions about a call that just failed.
bool isAboutAFailure(const std::string& text, const std::string& caption) {
    return caption == kSystemErrorCaption ||
           (caption == kReadErrorCaption && text == kReadErrorText);
}

}  // namespace

std::string messageLine(const std::string& text, const std::string& caption) {
    if (caption.empty() || caption == kApplicationTitle) return text;
    return caption + ": " + text;
}

bool standardInputIsTerminal() {
    return ::isatty(STDIN_FILENO) == 1;
}

std::optional<AnswerPolicy> questionPolicy(std::optional<AnswerPolicy> given) {
    if (given) return given;
    if (standardInputIsTerminal()) return std::nullopt;
    return AnswerPolicy::No;
}

void CliPrompter::tellFailure() {
    if (watch_ == nullptr) return;
    const std::optional<FailedCall> failure = watch_->takeLastFailure();
    if (!failure || isAlreadyThere(*failure)) return;
    console_.error(describeFailure(*failure));
}

int CliPrompter::ask(const std::string& text, const std::string& caption, Buttons buttons,
                     Icon icon) {
    if (isAboutAFailure(text, caption)) tellFailure();
    if (watch_ != nullptr) watch_->takeLastFailure();
    const std::string line = messageLine(text, caption);
    const QuestionSubject subject = subject_;
    subject_ = QuestionSubject::Album;
    if (buttons == Buttons::Ok) {
        // A message to read, not a question: an error's is shown even when quiet.
        if (caption == kSystemErrorCaption || icon == Icon::Error) {
            console_.prompt(line + "\n");
        } else {
            console_.notice(line);
        }
        return kAnswerOk;
    }
    if (!policy_) return askOnInput(line, buttons);
    const int answer = policyAnswer(*policy_, subject, buttons);
    if (!console_.quiet()) {
        console_.prompt(line + " [" + buttonsName(buttons) + "] -> " + answerName(answer) + "\n");
    }
    return answer;
}

int CliPrompter::askForAll(const std::string& text, const std::string& caption, Buttons buttons,
                           Icon icon, const std::string& forAllText, bool& forAll) {
    forAll = false;
    // A policy answers every question alike already.
    if (policy_ || buttons == Buttons::Ok) return ask(text, caption, buttons, icon);
    (void)forAllText;
    if (isAboutAFailure(text, caption)) tellFailure();
    if (watch_ != nullptr) watch_->takeLastFailure();
    subject_ = QuestionSubject::Album;
    return askOnInput(messageLine(text, caption), buttons, &forAll);
}

int CliPrompter::askOnInput(const std::string& line, Buttons buttons, bool* forAll) {
    Choice choices[3] = {};
    const int count = choicesOf(buttons, choices);
    std::string keys;
    for (int i = 0; i < count; ++i) {
        keys += std::string(i ? ", " : "") + choices[i].key + "=" + answerName(choices[i].answer);
    }
    if (forAll != nullptr) keys += "; upper case: for all conflicts";
    for (;;) {
        console_.prompt(line + " [" + keys + "] ");
        char typed[64];
        if (std::fgets(typed, sizeof typed, input_) == nullptr) {
            const int answer = safeAnswer(buttons);
            console_.prompt(std::string("\n(no answer: ") + answerName(answer) + ")\n");
            return answer;
        }
        const auto first = static_cast<unsigned char>(typed[0]);
        const char key = static_cast<char>(std::tolower(first));
        for (int i = 0; i < count; ++i) {
            if (key != choices[i].key) continue;
            if (forAll != nullptr) *forAll = std::isupper(first) || typed[1] == 'a';
            return choices[i].answer;
        }
    }
}

std::string folderProblem(FileSystem& fileSystem, const std::string& path, ErrorCode error) {
    FileIdentity identity;
    if (error == kErrorDirectory && fileSystem.identify(path, identity)) {
        return path + ": is a file, not a folder";
    }
    if (error == kErrorFileNotFound || error == kErrorPathNotFound)
        return path + ": no such folder";
    return path + ": cannot read the folder: " + describeError(error);
}

bool folderReadable(FileSystem& fileSystem, const std::string& path, Console& console) {
    std::vector<DirectoryEntry> entries;
    const ErrorCode error = fileSystem.listDirectory(path, entries);
    if (error == kErrorSuccess) return true;
    console.error(folderProblem(fileSystem, path, error));
    return false;
}

bool readSessionForCommand(FileSystem& fileSystem, const std::string& path, SessionData& data,
                           Console& console) {
    ErrorCode error = kErrorSuccess;
    std::string problem;
    if (readSessionFile(fileSystem, path, data, error, problem)) return true;
    // The reader's own words for a damaged file; a file that cannot be
    // read at all is said in words, not by its number.
    if (error != kErrorSuccess) problem = "cannot read the file: " + describeError(error);
    console.error(path + ": " + kFileCouldNotBeLoadedText + " (" + problem + ")");
    return false;
}

bool reportUnreadable(const std::string& source, int folders, size_t files, Console& console) {
    if (folders == 0 && files == 0) return false;
    std::string what;
    if (folders > 0) what = std::to_string(folders) + (folders == 1 ? " folder" : " folders");
    if (folders > 0 && files > 0) what += " and ";
    if (files > 0) what += std::to_string(files) + (files == 1 ? " file" : " files");
    console.error(what + " under " + source + " could not be read");
    return true;
}

}  // namespace lumora::cli
