#include "platform/QtPrompter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

#include "tests/ui/ModalDriver.h"

namespace lumora {
namespace {

using test::ModalDriver;

struct Choice {
    QMessageBox::StandardButton button;
    int answer;
};

struct ButtonSet {
    Buttons buttons;
    std::vector<Choice> choices;  // in the Windows order; the first is the default
};

const std::vector<ButtonSet>& buttonSets() {
    static const std::vector<ButtonSet> sets = {
        {Buttons::Ok, {{QMessageBox::Ok, 1}}},
        {Buttons::OkCancel, {{QMessageBox::Ok, 1}, {QMessageBox::Cancel, 2}}},
        {Buttons::YesNo, {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}}},
        {Buttons::YesNoCancel,
         {{QMessageBox::Yes, 6}, {QMessageBox::No, 7}, {QMessageBox::Cancel, 2}}},
        {Buttons::AbortRetryIgnore,
         {{QMessageBox::Abort, 3}, {QMessageBox::Retry, 4}, {QMessageBox::Ignore, 5}}},
        {Buttons::RetryCancel, {{QMessageBox::Retry, 4}, {QMessageBox::Cancel, 2}}},
    };
    return sets;
}

void pressEscape(QMessageBox& box) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&box, &press);
}

TEST(QtPrompter, everyButtonOfEverySetAnswersWithItsWindowsNumber) {
    QtPrompter prompter;
    for (const ButtonSet& set : buttonSets()) {
        QMessageBox::StandardButtons expected;
        for (const Choice& choice : set.choices) expected |= choice.button;
        for (const Choice& choice : set.choices) {
            SCOPED_TRACE(std::string(buttonsName(set.buttons)) + " " + answerName(choice.answer));
            QMessageBox::StandardButtons offered;
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
            ModalDriver<QMessageBox> driver([&](QMessageBox& box) {
                offered = box.standardButtons();
                defaultButton = box.standardButton(box.defaultButton());
                box.button(choice.button)->click();
            });
            EXPECT_EQ(prompter.ask("Continue?", "System Error", set.buttons, Icon::None),
                      choice.answer);
            EXPECT_EQ(driver.acted(), 1);
            EXPECT_EQ(offered, expected);
            EXPECT_EQ(defaultButton, set.choices.front().button);
        }
    }
}

TEST(QtPrompter, showsTheCaptionTheIconAndTheTextAsItIs) {
    QWidget owner;
    QtPrompter prompter(&owner);
    const std::vector<std::pair<Icon, QMessageBox::Icon>> icons = {
        {Icon::None, QMessageBox::NoIcon},       {Icon::Information, QMessageBox::Information},
        {Icon::Warning, QMessageBox::Warning},   {Icon::Error, QMessageBox::Critical},
        {Icon::Question, QMessageBox::Question},
    };
    for (const auto& [icon, shown] : icons) {
        QString title, text;
        QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
        Qt::TextFormat format = Qt::AutoText;
        QWidget* parent = nullptr;
        ModalDriver<QMessageBox> driver([&](QMessageBox& box) {
            title = box.windowTitle();
            text = box.text();
            boxIcon = box.icon();
            format = box.textFormat();
            parent = box.parentWidget();
            box.button(QMessageBox::Ok)->click();
        });
        // An album name that looks like markup is shown as typed.
        prompter.ask("Album '<b>Rome & Paris</b>' is processed. Skip to next album", "Lumora",
                     Buttons::Ok, icon);
        EXPECT_EQ(title, "Lumora");
        EXPECT_EQ(text, "Album '<b>Rome & Paris</b>' is processed. Skip to next album");
        EXPECT_EQ(format, Qt::PlainText);
        EXPECT_EQ(boxIcon, shown);
        EXPECT_EQ(parent, &owner);
    }
}

// Esc and the window's close button give the answer of Cancel, or of OK in a
// box with only OK; Yes/No and Abort/Retry/Ignore wait for a button.
TEST(QtPrompter, escapeGivesTheCancelAnswerOnlyWhereTheBoxHasOne) {
    QtPrompter prompter;
    const std::vector<std::pair<Buttons, int>> escapes = {{Buttons::Ok, kAnswerOk},
                                                          {Buttons::OkCancel, kAnswerCancel},
                                                          {Buttons::YesNoCancel, kAnswerCancel},
                                                          {Buttons::RetryCancel, kAnswerCancel}};
    for (const auto& [buttons, answer] : escapes) {
        SCOPED_TRACE(buttonsName(buttons));
        ModalDriver<QMessageBox> byKey(pressEscape);
        EXPECT_EQ(prompter.ask("Continue?", "", buttons, Icon::None), answer);
        ModalDriver<QMessageBox> byClose([](QMessageBox& box) { box.close(); });
        EXPECT_EQ(prompter.ask("Continue?", "", buttons, Icon::None), answer);
    }

    const std::vector<std::pair<Buttons, Choice>> needButton = {
        {Buttons::YesNo, {QMessageBox::Yes, kAnswerYes}},
        {Buttons::AbortRetryIgnore, {QMessageBox::Retry, kAnswerRetry}}};
    for (const auto& [buttons, choice] : needButton) {
        SCOPED_TRACE(buttonsName(buttons));
        bool openAfterEscape = false;
        bool openAfterClose = false;
        ModalDriver<QMessageBox> driver([&](QMessageBox& box) {
            pressEscape(box);
            openAfterEscape = box.isVisible();
            box.close();
            openAfterClose = box.isVisible();
            box.button(choice.button)->click();
        });
        EXPECT_EQ(prompter.ask("Continue?", "", buttons, Icon::None), choice.answer);
        EXPECT_TRUE(openAfterEscape);
        EXPECT_TRUE(openAfterClose);
    }
}

// The "for all" box shows its text, starts unchecked, and its state comes
// back with the answer; a plain question has no such box.
TEST(QtPrompter, aQuestionForAllCarriesItsCheckBox) {
    QtPrompter prompter;
    for (const bool check : {false, true}) {
        SCOPED_TRACE(check);
        QString shown;
        bool startedChecked = true;
        ModalDriver<QMessageBox> driver([&](QMessageBox& box) {
            ASSERT_NE(box.checkBox(), nullptr);
            shown = box.checkBox()->text();
            startedChecked = box.checkBox()->isChecked();
            box.checkBox()->setChecked(check);
            box.button(QMessageBox::No)->click();
        });
        bool forAll = !check;
        EXPECT_EQ(
            prompter.askForAll("A-1.jpg already exists! Overwrite?", "Lumora", Buttons::YesNoCancel,
                               Icon::None, "Do this for all conflicts", forAll),
            kAnswerNo);
        EXPECT_EQ(driver.acted(), 1);
        EXPECT_EQ(shown, "Do this for all conflicts");
        EXPECT_FALSE(startedChecked);
        EXPECT_EQ(forAll, check);
    }
    bool hasBox = true;
    ModalDriver<QMessageBox> driver([&](QMessageBox& box) {
        hasBox = box.checkBox() != nullptr;
        box.button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(prompter.ask("Continue?", "Lumora", Buttons::YesNo, Icon::None), kAnswerYes);
    EXPECT_FALSE(hasBox);
}

}  // namespace
}  // namespace lumora
