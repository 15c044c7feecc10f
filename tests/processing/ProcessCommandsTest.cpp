#include "app/ProcessCommands.h"

#include <gtest/gtest.h>

#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using test::ScriptedPrompter;

TEST(ProcessButton, refusesWithoutAlbums) {
    Workspace workspace;
    ScriptedPrompter prompter;
    prompter.expect("There is no albums defined! Please create at least one album.", "",
                    Buttons::Ok, kAnswerOk);
    EXPECT_EQ(startProcess(workspace, prompter), ProcessStart::Stop);
}

TEST(ProcessButton, asksForATargetAndNeedsASourceFirst) {
    Workspace workspace;
    workspace.albums.resize(1);
    ScriptedPrompter prompter;
    prompter.expect("Target directory not selected. Do you want to select it now?",
                    "Select target directory", Buttons::YesNo, kAnswerNo);
    EXPECT_EQ(startProcess(workspace, prompter), ProcessStart::Stop);

    prompter.expect("Target directory not selected. Do you want to select it now?",
                    "Select target directory", Buttons::YesNo, kAnswerYes);
    prompter.expect("Please select source directory first!", "Select target directory", Buttons::Ok,
                    kAnswerOk);
    EXPECT_EQ(startProcess(workspace, prompter), ProcessStart::Stop);
}

TEST(ProcessButton, aChosenTargetRunsTheButtonAgainAndOpensTheDialog) {
    Workspace workspace;
    workspace.albums.resize(1);
    workspace.sourceText = "/photos";
    ScriptedPrompter prompter;
    prompter.expect("Target directory not selected. Do you want to select it now?",
                    "Select target directory", Buttons::YesNo, kAnswerYes);
    EXPECT_EQ(startProcess(workspace, prompter), ProcessStart::BrowseForTarget);
    EXPECT_FALSE(processTargetChosen(workspace, std::nullopt, prompter));

    prompter.expect("Target directory is the same as source directory!",
                    "Please select other target directory", Buttons::Ok, kAnswerOk);
    EXPECT_TRUE(processTargetChosen(workspace, std::string("/photos"), prompter));
    EXPECT_EQ(workspace.targetText, kNotSelectedText);

    EXPECT_TRUE(processTargetChosen(workspace, std::string("/albums"), prompter));
    workspace.targetDirectory.clear();
    EXPECT_EQ(startProcess(workspace, prompter), ProcessStart::OpenDialog);
    EXPECT_EQ(workspace.targetDirectory, "/albums");
}

// A session can hold a target that is the source under another text.
TEST(ProcessButton, aStoredTargetThatReachesTheSourceIsRefused) {
    test::TempDir temp;
    Workspace workspace;
    workspace.albums.resize(1);
    workspace.sourceText = temp.makeDir("photos");
    workspace.targetText = workspace.sourceText + test::nativePath("/.");
    ScriptedPrompter prompter;
    prompter.expect("Target directory is the same as source directory!",
                    "Please select other target directory", Buttons::Ok, kAnswerOk);
    EXPECT_EQ(startProcess(workspace, prompter), ProcessStart::Stop);

    workspace.targetText = temp.makeDir("albums");
    EXPECT_EQ(startProcess(workspace, prompter), ProcessStart::OpenDialog);
}

}  // namespace
}  // namespace lumora
