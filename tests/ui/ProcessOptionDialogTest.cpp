#include "processing/CProcessOptionDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>

#include "res/ResourceIds.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;
using test::ScriptedPrompter;

constexpr const char* kLockedText =
    "This option is available only if no album is processed yet. You must decide from the "
    "begining if files will be copied or moved.";
constexpr const char* kWarningText =
    "Even if this program use the most safe routine for moving files, in order to protect your "
    "data, before continue it is strongly recommended to make a backup of your source folder.";

struct Controls {
    QCheckBox* moveFiles;
    QPushButton* save;
    QPushButton* discard;
};

Controls controlsOf(const QDialog& dialog) {
    return {controlById<QCheckBox>(dialog, res::kIdMoveFilesCheck),
            controlById<QPushButton>(dialog, res::kIdOk),
            controlById<QPushButton>(dialog, res::kIdCancel)};
}

TEST(ProcessOptionDialog, aProcessedAlbumLocksTheChoiceAfterSayingWhy) {
    AlbumList albums(2);
    albums[1].processed = 1;
    int32_t moveMode = 1;
    ScriptedPrompter prompter;
    prompter.expect(kLockedText, "Lumora", Buttons::Ok, kAnswerOk);
    bool companions = true;
    CProcessOptionDialog dialog(albums, moveMode, companions, prompter);
    EXPECT_EQ(prompter.remainingAnswers(), 0u);

    const Controls controls = controlsOf(dialog);
    ASSERT_NE(controls.moveFiles, nullptr);
    ASSERT_NE(controls.save, nullptr);
    ASSERT_NE(controls.discard, nullptr);
    EXPECT_TRUE(controls.moveFiles->isChecked());
    EXPECT_FALSE(controls.moveFiles->isEnabled());
    EXPECT_FALSE(controls.save->isEnabled());
    EXPECT_TRUE(controls.discard->isEnabled());
    controls.discard->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(moveMode, 1);
}

TEST(ProcessOptionDialog, cancellingTheMoveWarningClearsTheBoxAndSaveConfirmsTheChoice) {
    AlbumList albums(1);
    int32_t moveMode = 0;
    ScriptedPrompter prompter;
    bool companions = true;
    CProcessOptionDialog dialog(albums, moveMode, companions, prompter);
    EXPECT_EQ(dialog.windowTitle(), "Process Option");
    const Controls controls = controlsOf(dialog);
    ASSERT_NE(controls.moveFiles, nullptr);
    EXPECT_EQ(controls.moveFiles->text(),
              "Check this box in order to move files instead of copy from source to target "
              "folder while processing albums");
    EXPECT_FALSE(controls.moveFiles->isChecked());

    prompter.expect(kWarningText, "Move selected", Buttons::OkCancel, kAnswerCancel);
    controls.moveFiles->click();
    EXPECT_FALSE(controls.moveFiles->isChecked());

    prompter.expect(kWarningText, "Move selected", Buttons::OkCancel, kAnswerOk);
    controls.moveFiles->click();
    EXPECT_TRUE(controls.moveFiles->isChecked());

    prompter.expect("Move selected", "Lumora", Buttons::Ok, kAnswerOk);
    controls.save->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(moveMode, 1);
}

TEST(ProcessOptionDialog, clearingTheBoxAsksNothingAndSavesCopy) {
    AlbumList albums(1);
    int32_t moveMode = 1;
    ScriptedPrompter prompter;
    bool companions = true;
    CProcessOptionDialog dialog(albums, moveMode, companions, prompter);
    const Controls controls = controlsOf(dialog);
    EXPECT_TRUE(controls.moveFiles->isChecked());
    controls.moveFiles->click();
    EXPECT_FALSE(controls.moveFiles->isChecked());
    prompter.expect("Copy selected", "Lumora", Buttons::Ok, kAnswerOk);
    controls.save->click();
    EXPECT_EQ(moveMode, 0);
}

TEST(ProcessOptionDialog, discardLeavesTheModeAsItWas) {
    AlbumList albums(1);
    int32_t moveMode = 0;
    ScriptedPrompter prompter;
    bool companions = true;
    CProcessOptionDialog dialog(albums, moveMode, companions, prompter);
    prompter.expect(kWarningText, "Move selected", Buttons::OkCancel, kAnswerOk);
    controlsOf(dialog).moveFiles->click();
    controlsOf(dialog).discard->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(moveMode, 0);
}

TEST(ProcessOptionDialog, companionsComeAlongUnlessSavedOffAndLockWithTheMode) {
    AlbumList albums(1);
    int32_t moveMode = 0;
    bool companions = true;
    ScriptedPrompter prompter;
    {
        CProcessOptionDialog dialog(albums, moveMode, companions, prompter);
        auto* box = controlById<QCheckBox>(dialog, res::kIdBringCompanionsCheck);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Bring companion files (RAW, sidecars, clips)");
        EXPECT_TRUE(box->isChecked());
        EXPECT_TRUE(box->isEnabled());
        box->click();
        controlsOf(dialog).discard->click();
        EXPECT_TRUE(companions);
    }
    {
        CProcessOptionDialog dialog(albums, moveMode, companions, prompter);
        controlById<QCheckBox>(dialog, res::kIdBringCompanionsCheck)->click();
        prompter.expect("Copy selected", "Lumora", Buttons::Ok, kAnswerOk);
        controlsOf(dialog).save->click();
        EXPECT_FALSE(companions);
        EXPECT_EQ(moveMode, 0);
    }
    {
        CProcessOptionDialog dialog(albums, moveMode, companions, prompter);
        EXPECT_FALSE(controlById<QCheckBox>(dialog, res::kIdBringCompanionsCheck)->isChecked());
    }
    albums[0].processed = 1;
    prompter.expect(kLockedText, "Lumora", Buttons::Ok, kAnswerOk);
    CProcessOptionDialog locked(albums, moveMode, companions, prompter);
    EXPECT_FALSE(controlById<QCheckBox>(locked, res::kIdBringCompanionsCheck)->isEnabled());
}

}  // namespace
}  // namespace lumora
