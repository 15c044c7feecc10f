#include "albums/CViewOptionsDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/QtText.h"
#include "res/ResourceIds.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;

struct Controls {
    QRadioButton* byName;
    QRadioButton* byDate;
    QComboBox* direction;
    QPushButton* accept;
    QPushButton* discard;
};

Controls controlsOf(const CViewOptionsDialog& dialog) {
    return {controlById<QRadioButton>(dialog, res::kIdSortByNameRadio),
            controlById<QRadioButton>(dialog, res::kIdSortByDateRadio),
            controlById<QComboBox>(dialog, res::kIdSortDirectionList),
            controlById<QPushButton>(dialog, res::kIdOk),
            controlById<QPushButton>(dialog, res::kIdCancel)};
}

TEST(ViewOptionsDialog, opensShowingTheFlagsWithTheChangeMarkCleared) {
    ViewOptions options{0, 0, 1};
    CViewOptionsDialog byName(options);
    EXPECT_EQ(byName.windowTitle(), "Set view options");
    Controls c = controlsOf(byName);
    ASSERT_TRUE(c.byName && c.byDate && c.direction && c.accept && c.discard);
    EXPECT_EQ(c.byName->text(), "By Name");
    EXPECT_EQ(c.byDate->text(), "By Date");
    EXPECT_EQ(c.accept->text(), "Accept");
    EXPECT_EQ(c.discard->text(), "Discard");
    ASSERT_EQ(c.direction->count(), 2);
    EXPECT_EQ(c.direction->itemText(0), "Ascendent");
    EXPECT_EQ(c.direction->itemText(1), "Descendent");
    EXPECT_TRUE(c.byName->isChecked());
    EXPECT_FALSE(c.byDate->isChecked());
    EXPECT_EQ(c.direction->currentText(), "Descendent");
    EXPECT_EQ(options, (ViewOptions{0, 0, 0}));

    QStringList groups;
    for (const QGroupBox* group : byName.findChildren<QGroupBox*>()) groups << group->title();
    EXPECT_TRUE(groups.contains("Please Set View Options"));
    EXPECT_TRUE(groups.contains("Sort"));

    options = ViewOptions{1, 1, 1};
    CViewOptionsDialog byDate(options);
    c = controlsOf(byDate);
    EXPECT_TRUE(c.byDate->isChecked());
    EXPECT_FALSE(c.byName->isChecked());
    EXPECT_EQ(c.direction->currentText(), "Ascendent");
    EXPECT_EQ(options, (ViewOptions{1, 1, 0}));
}

TEST(ViewOptionsDialog, isWideEnoughForItsWholeTitle) {
    ViewOptions options;
    CViewOptionsDialog dialog(options);
    dialog.show();
    QFont titleFont = dialog.font();
    titleFont.setBold(true);
    EXPECT_GE(dialog.width(), QFontMetrics(titleFont).horizontalAdvance("Set view options") +
                                  kTitleBarControlsWidth);
}

TEST(ViewOptionsDialog, discardGivesBackTheOptionsItOpenedWith) {
    ViewOptions options;
    CViewOptionsDialog dialog(options);
    Controls c = controlsOf(dialog);
    c.byName->click();
    c.direction->setCurrentIndex(1);
    EXPECT_EQ(options, (ViewOptions{0, 0, 1}));
    EXPECT_TRUE(c.byName->isChecked());
    c.discard->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(options, (ViewOptions{1, 1, 0}));

    // Esc is Discard too.
    CViewOptionsDialog again(options);
    controlsOf(again).byName->click();
    again.reject();
    EXPECT_EQ(options, (ViewOptions{1, 1, 0}));
}

TEST(ViewOptionsDialog, choosingTheOptionAlreadyShownStillCountsAsAChange) {
    ViewOptions options;
    CViewOptionsDialog dialog(options);
    controlsOf(dialog).byDate->click();
    EXPECT_EQ(options, (ViewOptions{1, 1, 1}));
}

TEST(ViewOptionsDialog, theDirectionAppliesWhenChosenAndAgainOnAccept) {
    ViewOptions options;
    CViewOptionsDialog dialog(options);
    Controls c = controlsOf(dialog);
    c.direction->setCurrentIndex(1);
    EXPECT_EQ(options, (ViewOptions{1, 0, 1}));
    c.direction->setCurrentIndex(0);
    EXPECT_EQ(options.sortAscending, 1);

    // Accept reads the list once more, whatever the flag says by then.
    ViewOptions other{1, 0, 0};
    CViewOptionsDialog accepted(other);
    other.sortAscending = 1;
    controlsOf(accepted).accept->click();
    EXPECT_EQ(accepted.result(), QDialog::Accepted);
    EXPECT_EQ(other, (ViewOptions{1, 0, 0}));
}

}  // namespace
}  // namespace lumora
