#include "albums/CTimeFormatDialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "res/ResourceIds.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;

QStringList entries(const QComboBox& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i) texts << list.itemText(i);
    return texts;
}

class TimeFormatDialogTest : public ::testing::Test {
  protected:
    // 2005-03-04 02:20:30 UTC: still 3 March in New York.
    test::TzGuard zone{"EST5"};
    FixedClock clock{1109902830};
};

TEST_F(TimeFormatDialogTest, listsTheLocalNowInTenDateAndTwoTimeFormats) {
    CTimeFormatDialog dialog(3, 2, clock);
    EXPECT_EQ(dialog.windowTitle(), "Date and Time format");
    auto* dates = controlById<QComboBox>(dialog, res::kIdDateFormatList);
    auto* times = controlById<QComboBox>(dialog, res::kIdTimeFormatList);
    ASSERT_NE(dates, nullptr);
    ASSERT_NE(times, nullptr);
    EXPECT_EQ(entries(*dates), (QStringList{"2005-03-03", "03 03 2005", "03 March 2005",
                                            "March 03, 2005", "03 Mar 2005", "Mar 03, 2005",
                                            "Thu Mar 03, 2005", "Thursday March 03, 2005",
                                            "Thursday, 03 March 2005", "Thu, 03 Mar 2005"}));
    EXPECT_EQ(entries(*times), (QStringList{"21 20 30", "09 20 30 PM"}));
    EXPECT_EQ(dates->currentIndex(), 2);
    EXPECT_EQ(times->currentIndex(), 1);
    EXPECT_FALSE(dates->isEditable());
}

TEST_F(TimeFormatDialogTest, saveAcceptsWithTheChosenNumbersAndDiscardRejects) {
    CTimeFormatDialog saved(1, 1, clock);
    controlById<QComboBox>(saved, res::kIdDateFormatList)->setCurrentIndex(9);
    controlById<QComboBox>(saved, res::kIdTimeFormatList)->setCurrentIndex(1);
    auto* save = controlById<QPushButton>(saved, res::kIdOk);
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->text(), "Save");
    save->click();
    EXPECT_EQ(saved.result(), QDialog::Accepted);
    EXPECT_EQ(saved.dateFormat(), 10);
    EXPECT_EQ(saved.timeFormat(), 2);

    CTimeFormatDialog discarded(4, 1, clock);
    discarded.show();
    controlById<QComboBox>(discarded, res::kIdDateFormatList)->setCurrentIndex(0);
    auto* discard = controlById<QPushButton>(discarded, res::kIdCancel);
    ASSERT_NE(discard, nullptr);
    EXPECT_EQ(discard->text(), "Discard");
    discard->click();
    EXPECT_EQ(discarded.result(), QDialog::Rejected);
    EXPECT_FALSE(discarded.isVisible());
}

// A format number from outside the lists selects nothing; saving then keeps
// a number that shows "[]", as before.
TEST_F(TimeFormatDialogTest, aNumberOutsideTheListsSelectsNothing) {
    CTimeFormatDialog dialog(11, 0, clock);
    EXPECT_EQ(controlById<QComboBox>(dialog, res::kIdDateFormatList)->currentIndex(), -1);
    EXPECT_EQ(controlById<QComboBox>(dialog, res::kIdTimeFormatList)->currentIndex(), -1);
    EXPECT_EQ(dialog.dateFormat(), 0);
    EXPECT_EQ(dialog.timeFormat(), 0);
}

}  // namespace
}  // namespace lumora
