#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace lumora::test {

// Answers the folder and file dialogs from a script (a path, or nothing for
// Cancel) and records every call. A dialog with no scripted answer left fails
// the test and is cancelled; so does a dialog of another kind than scripted.
// open() records the document and its folder and returns the scripted result
// (kShellSuccess when none is scripted).
class ScriptedShell : public Shell {
  public:
    enum class Kind { Folder, OpenFile, SaveFile };

    struct Call {
        Kind kind;
        std::string title;
        std::string startFolder;  // where the chooser would have opened
    };

    ScriptedShell& folder(std::optional<std::string> answer);
    ScriptedShell& openFile(std::optional<std::string> answer);
    ScriptedShell& saveFile(std::optional<std::string> answer);
    ScriptedShell& openResult(int result);
    ~ScriptedShell() override;

    std::optional<std::string> browseForFolder(const std::string& title) override;
    std::optional<std::string> openFileName(const std::string& title, const std::string& filterName,
                                            const std::string& pattern) override;
    std::optional<std::string> saveFileName(const std::string& title, const std::string& filterName,
                                            const std::string& pattern,
                                            const std::string& defaultExtension) override;
    int open(const std::string& document, const std::string& directory) override;

    const std::vector<Call>& calls() const { return calls_; }
    // Each open() call as "document|directory".
    const std::vector<std::string>& opened() const { return opened_; }
    size_t remainingAnswers() const { return script_.size(); }

  private:
    std::optional<std::string> answer(Kind kind, const std::string& title);

    struct Step {
        Kind kind;
        std::optional<std::string> answer;
    };
    std::deque<Step> script_;
    std::deque<int> openResults_;
    std::vector<Call> calls_;
    std::vector<std::string> opened_;
};

}  // namespace lumora::test
