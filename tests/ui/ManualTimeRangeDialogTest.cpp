#include "albums/CManualTimeRangeDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

#include "catalog/DateTimeValue.h"
#include "res/ResourceIds.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;

PictureEntry pictureTaken(const char* exifText) {
    return test::makePicture("/src/p.jpg", dateTimeValue(exifText));
}

// Keys typed into a picker's selected section, as a user types them.
void typeInto(QDateTimeEdit& picker, QDateTimeEdit::Section section, const QString& text) {
    picker.setFocus();
    picker.setSelectedSection(section);
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&picker, &press);
    }
}

class ManualTimeRangeDialogTest : public ::testing::Test {
  protected:
    QString shown(const CManualTimeRangeDialog& dialog, int dateId, int timeId) {
        auto* date = controlById<QDateEdit>(dialog, dateId);
        auto* time = controlById<QTimeEdit>(dialog, timeId);
        if (date == nullptr || time == nullptr) return "missing";
        return date->date().toString("yyyy-MM-dd") + " " + time->time().toString("HH:mm:ss");
    }

    QString start(const CManualTimeRangeDialog& dialog) {
        return shown(dialog, res::kIdStartDatePicker, res::kIdStartTimePicker);
    }
    QString end(const CManualTimeRangeDialog& dialog) {
        return shown(dialog, res::kIdEndDatePicker, res::kIdEndTimePicker);
    }
    void ok(CManualTimeRangeDialog& dialog) {
        controlById<QPushButton>(dialog, res::kIdOk)->click();
    }

    // Tokyo, where the small hours and minute 0 once moved.
    test::TzGuard zone{"JST-9"};
    test::ScriptedPrompter prompter;
    // Viewed by date descending: the film's first picture is its latest.
    FilmList film{pictureTaken("2006:07:09 18:30:00"), pictureTaken("2006:07:05 12:00:00"),
                  pictureTaken("2006:07:01 00:30:00")};
};

TEST_F(ManualTimeRangeDialogTest, showsTheAlbumsRangeInBothPickersOfEachGroup) {
    Album album;
    album.startTime = album.startKey = dateTimeValue("2005:03:04 10:00:00");
    album.endTime = album.endKey = dateTimeValue("2005:08:09 00:05:06");
    CManualTimeRangeDialog dialog(album, film, prompter);
    EXPECT_EQ(dialog.windowTitle(), "Manual Time Range Settings");
    EXPECT_EQ(start(dialog), "2005-03-04 10:00:00");
    EXPECT_EQ(end(dialog), "2005-08-09 00:05:06");

    QStringList texts;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) texts << group->title();
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains("Start Date/Time"));
    EXPECT_TRUE(texts.contains("End Date/Time"));
    EXPECT_TRUE(texts.contains("to"));
    EXPECT_EQ(controlById<QPushButton>(dialog, res::kIdOk)->text(), "OK");
    EXPECT_EQ(controlById<QPushButton>(dialog, res::kIdCancel)->text(), "Cancel");
}

TEST_F(ManualTimeRangeDialogTest, endsNotSetStartFromTheEarliestAndLatestFilmPictures) {
    Album album;
    CManualTimeRangeDialog dialog(album, film, prompter);
    EXPECT_EQ(start(dialog), "2006-07-01 00:30:00");
    EXPECT_EQ(end(dialog), "2006-07-09 18:30:00");
}

TEST_F(ManualTimeRangeDialogTest, anEndThatIsSetIsShownAsItselfNot1970) {
    Album album;
    album.startTime = album.startKey = film[1].dateTime;
    CManualTimeRangeDialog dialog(album, film, prompter);
    EXPECT_EQ(start(dialog), "2006-07-05 12:00:00");
    EXPECT_EQ(end(dialog), "2006-07-09 18:30:00");
}

TEST_F(ManualTimeRangeDialogTest, okAtOnceKeepsTheRangeAndEveryPicture) {
    Album both;
    both.startTime = both.startKey = film[1].dateTime;
    both.endTime = both.endKey = film[0].dateTime;
    Album startOnly;
    startOnly.startTime = startOnly.startKey = film[2].dateTime;
    Album endOnly;
    endOnly.endTime = endOnly.endKey = film[0].dateTime;
    for (Album album : {both, startOnly, endOnly, Album{}}) {
        const bool bothSet = album.startKey != 0 && album.endKey != 0;
        const Album before = album;
        CManualTimeRangeDialog dialog(album, film, prompter);
        ok(dialog);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        if (bothSet) {
            EXPECT_EQ(album, before);
            continue;
        }
        EXPECT_EQ(album.startKey, film[2].dateTime);
        EXPECT_EQ(album.endKey, film[0].dateTime);
        EXPECT_EQ(album.startTime, album.startKey);
        EXPECT_EQ(album.endTime, album.endKey);
    }
}

TEST_F(ManualTimeRangeDialogTest, theTimePickersCountToTheSecond) {
    Album album;
    CManualTimeRangeDialog dialog(album, film, prompter);
    controlById<QDateEdit>(dialog, res::kIdStartDatePicker)->setDate(QDate(2006, 6, 30));
    controlById<QTimeEdit>(dialog, res::kIdStartTimePicker)->setTime(QTime(1, 2, 3));
    controlById<QTimeEdit>(dialog, res::kIdEndTimePicker)->setTime(QTime(18, 29, 59));
    ok(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(album.startTime, dateTimeValue("2006:06:30 01:02:03"));
    EXPECT_EQ(album.endTime, dateTimeValue("2006:07:09 18:29:59"));
    EXPECT_EQ(album.startKey, album.startTime);
    EXPECT_EQ(album.endKey, album.endTime);
}

TEST_F(ManualTimeRangeDialogTest, typedDatesAndTimesAreTaken) {
    Album album;
    CManualTimeRangeDialog dialog(album, film, prompter);
    dialog.show();
    typeInto(*controlById<QDateEdit>(dialog, res::kIdStartDatePicker), QDateTimeEdit::YearSection,
             "2004");
    typeInto(*controlById<QTimeEdit>(dialog, res::kIdEndTimePicker), QDateTimeEdit::HourSection,
             "23");
    ok(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(album.startTime, dateTimeValue("2004:07:01 00:30:00"));
    EXPECT_EQ(album.endTime, dateTimeValue("2006:07:09 23:30:00"));
}

TEST_F(ManualTimeRangeDialogTest, aStartAfterTheEndIsRefusedAndTheDialogStays) {
    Album album;
    album.startTime = album.startKey = film[2].dateTime;
    album.endTime = album.endKey = film[0].dateTime;
    const Album before = album;
    CManualTimeRangeDialog dialog(album, film, prompter);
    dialog.show();
    controlById<QDateEdit>(dialog, res::kIdStartDatePicker)->setDate(QDate(2006, 7, 9));
    controlById<QTimeEdit>(dialog, res::kIdStartTimePicker)->setTime(QTime(18, 30, 1));
    prompter.expect("End Date could not be earlier than start date.", "", Buttons::Ok, kAnswerOk);
    ok(dialog);
    EXPECT_EQ(album, before);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    // Start and end in the same second are a range.
    controlById<QTimeEdit>(dialog, res::kIdStartTimePicker)->setTime(QTime(18, 30, 0));
    ok(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(album.startKey, album.endKey);
}

TEST_F(ManualTimeRangeDialogTest, cancelChangesNothing) {
    Album album;
    album.startTime = album.startKey = film[0].dateTime;
    const Album before = album;
    CManualTimeRangeDialog dialog(album, film, prompter);
    controlById<QDateEdit>(dialog, res::kIdStartDatePicker)->setDate(QDate(2006, 6, 30));
    controlById<QPushButton>(dialog, res::kIdCancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(album, before);
}

}  // namespace
}  // namespace lumora
