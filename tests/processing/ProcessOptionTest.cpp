#include "processing/ProcessOption.h"

#include <gtest/gtest.h>

#include "tests/support/ScriptedPrompter.h"

namespace lumora {
namespace {

using test::ScriptedPrompter;

const char* const kWarning =
    "Even if this program use the most safe routine for moving files, in order to protect your "
    "data, before continue it is strongly recommended to make a backup of your source folder.";

TEST(ProcessOption, choosingMoveIsConfirmedAndSaved) {
    AlbumList albums(2);
    ScriptedPrompter prompter;
    ProcessOption option(albums, 0, prompter);
    EXPECT_FALSE(option.checked());
    EXPECT_TRUE(option.editable());

    prompter.expect(kWarning, "Move selected", Buttons::OkCancel, kAnswerCancel);
    option.click(true, prompter);
    EXPECT_FALSE(option.checked());

    prompter.expect(kWarning, "Move selected", Buttons::OkCancel, kAnswerOk);
    option.click(true, prompter);
    EXPECT_TRUE(option.checked());

    int32_t moveMode = 0;
    prompter.expect("Move selected", "Lumora", Buttons::Ok, kAnswerOk);
    option.save(moveMode, prompter);
    EXPECT_EQ(moveMode, 1);
}

TEST(ProcessOption, clearingTheBoxAsksNothingAndSavesCopy) {
    AlbumList albums(1);
    ScriptedPrompter prompter;
    ProcessOption option(albums, 1, prompter);
    EXPECT_TRUE(option.checked());
    option.click(false, prompter);
    int32_t moveMode = 1;
    prompter.expect("Copy selected", "Lumora", Buttons::Ok, kAnswerOk);
    option.save(moveMode, prompter);
    EXPECT_EQ(moveMode, 0);
}

TEST(ProcessOption, aProcessedAlbumLocksTheChoice) {
    AlbumList albums(2);
    albums[1].processed = 1;
    ScriptedPrompter prompter;
    prompter.expect(
        "This option is available only if no album is processed yet. You must decide from the "
        "begining if files will be copied or moved.",
        "Lumora", Buttons::Ok, kAnswerOk);
    ProcessOption option(albums, 0, prompter);
    EXPECT_FALSE(option.editable());
    option.click(true, prompter);
    EXPECT_FALSE(option.checked());
    int32_t moveMode = 0;
    option.save(moveMode, prompter);
    EXPECT_EQ(moveMode, 0);
}

}  // namespace
}  // namespace lumora
