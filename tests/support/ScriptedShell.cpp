#include "tests/support/ScriptedShell.h"

#include <gtest/gtest.h>

namespace lumora::test {
namespace {

const char* kindName(ScriptedShell::Kind kind) {
    switch (kind) {
        case ScriptedShell::Kind::Folder:
            return "folder browser";
        case ScriptedShell::Kind::OpenFile:
            return "open file dialog";
        case ScriptedShell::Kind::SaveFile:
            return "save file dialog";
    }
    return "?";
}

}  // namespace

ScriptedShell& ScriptedShell::folder(std::optional<std::string> answer) {
    script_.push_back({Kind::Folder, std::move(answer)});
    return *this;
}

ScriptedShell& ScriptedShell::openFile(std::optional<std::string> answer) {
    script_.push_back({Kind::OpenFile, std::move(answer)});
    return *this;
}

ScriptedShell& ScriptedShell::saveFile(std::optional<std::string> answer) {
    script_.push_back({Kind::SaveFile, std::move(answer)});
    return *this;
}

ScriptedShell& ScriptedShell::openResult(int result) {
    openResults_.push_back(result);
    return *this;
}

ScriptedShell::~ScriptedShell() {
    EXPECT_TRUE(script_.empty()) << script_.size() << " scripted dialog answers were not used";
}

std::optional<std::string> ScriptedShell::answer(Kind kind, const std::string& title) {
    calls_.push_back({kind, title, startFolder()});
    if (script_.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(kind) << " \"" << title << "\"";
        return std::nullopt;
    }
    Step step = script_.front();
    script_.pop_front();
    if (step.kind != kind) {
        ADD_FAILURE() << "a " << kindName(kind) << " \"" << title << "\" opened where a "
                      << kindName(step.kind) << " was scripted";
        return std::nullopt;
    }
    return step.answer;
}

std::optional<std::string> ScriptedShell::browseForFolder(const std::string& title) {
    return answer(Kind::Folder, title);
}

std::optional<std::string> ScriptedShell::openFileName(const std::string& title,
                                                       const std::string&, const std::string&) {
    return answer(Kind::OpenFile, title);
}

std::optional<std::string> ScriptedShell::saveFileName(const std::string& title,
                                                       const std::string&, const std::string&,
                                                       const std::string&) {
    return answer(Kind::SaveFile, title);
}

int ScriptedShell::open(const std::string& document, const std::string& directory) {
    opened_.push_back(document + "|" + directory);
    if (openResults_.empty()) return kShellSuccess;
    const int result = openResults_.front();
    openResults_.pop_front();
    return result;
}

}  // namespace lumora::test
