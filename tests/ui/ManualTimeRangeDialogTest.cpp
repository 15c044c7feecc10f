#include "albums/CManualTimeRangeDialog.h"

#include <gtest/gtest.h>

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>
#include <cstring>

#include "catalog/DateTimeValue.h"
#include "res/ResourceIds.h"
#include "tests/support/TzGuard.h"
#include "tests/ui/ControlById.h"

namespace lumora {
namespace {

using test::controlById;

PictureEntry pictureTaken(const char* exifText, const Clock& clock) {
    PictureEntry entry;
    entry.path = "/src/p.jpg";
    entry.dateTime = dateTimeValue(exifText, clock);
    entry.exif = std::make_shared<ExifInfo>();
    std::strncpy(entry.exif->DateTime, exifText, sizeof entry.exif->DateTime - 1);
    return entry;
}

class ManualTimeRangeDialogTest : public ::testing::Test {
  protected:
    QString shown(const CManualTimeRangeDialog& dialog, int dateId, int timeId) {
        auto* date = controlById<QDateEdit>(dialog, dateId);
        auto* time = controlById<QTimeEdit>(dialog, timeId);
        if (date == nullptr || time == nullptr) return "missing";
        return date->date().toString("yyyy-MM-dd") + " " + time->time().toString("HH:mm:ss");
    }

    // New York in July: daylight saving at the clock's now.
    test::TzGuard zone{"EST5EDT,M3.2.0,M11.1.0"};
    FixedClock clock{1121428800};
    FilmList film{pictureTaken("2006:07:01 08:10:20", clock),
                  pictureTaken("2006:07:09 18:30:15", clock)};
};

TEST_F(ManualTimeRangeDialogTest, showsTheAlbumsRangeInBothPickersOfEachGroup) {
    Album album;
    album.startTime = album.startKey = dateTimeValue("2005:03:04 10:20:30", clock);
    album.endTime = album.endKey = dateTimeValue("2005:08:09 23:05:06", clock);
    CManualTimeRangeDialog dialog(album, film, clock);
    EXPECT_EQ(dialog.windowTitle(), "Manual Time Range Settings");
    EXPECT_EQ(shown(dialog, res::kIdStartDatePicker, res::kIdStartTimePicker),
              "2005-03-04 10:20:30");
    EXPECT_EQ(shown(dialog, res::kIdEndDatePicker, res::kIdEndTimePicker), "2005-08-09 23:05:06");

    QStringList texts;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) texts << group->title();
    for (const QLabel* label : dialog.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains("Start Date/Time"));
    EXPECT_TRUE(texts.contains("End Date/Time"));
    EXPECT_TRUE(texts.contains("to"));
    EXPECT_EQ(controlById<QPushButton>(dialog, res::kIdOk)->text(), "OK");
    EXPECT_EQ(controlById<QPushButton>(dialog, res::kIdCancel)->text(), "Cancel");
}

TEST_F(ManualTimeRangeDialogTest, aNewAlbumStartsFromTheFirstAndLastFilmPictures) {
    Album album;
    CManualTimeRangeDialog dialog(album, film, clock);
    EXPECT_EQ(shown(dialog, res::kIdStartDatePicker, res::kIdStartTimePicker),
              "2006-07-01 08:10:20");
    EXPECT_EQ(shown(dialog, res::kIdEndDatePicker, res::kIdEndTimePicker), "2006-07-09 18:30:15");
}

TEST_F(ManualTimeRangeDialogTest, okTakesTheDatePickersWithTheirTimeOfDayOnly) {
    Album album;
    CManualTimeRangeDialog dialog(album, film, clock);
    controlById<QDateEdit>(dialog, res::kIdStartDatePicker)->setDate(QDate(2006, 6, 30));
    controlById<QDateEdit>(dialog, res::kIdEndDatePicker)->setDate(QDate(2006, 7, 10));
    // Edits in the time pickers do not change the range.
    controlById<QTimeEdit>(dialog, res::kIdStartTimePicker)->setTime(QTime(1, 2, 3));
    controlById<QTimeEdit>(dialog, res::kIdEndTimePicker)->setTime(QTime(4, 5, 6));
    controlById<QPushButton>(dialog, res::kIdOk)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(album.startTime, dateTimeValue("2006:06:30 08:10:20", clock));
    EXPECT_EQ(album.endTime, dateTimeValue("2006:07:10 18:30:15", clock));
    EXPECT_EQ(album.startKey, album.startTime);
    EXPECT_EQ(album.endKey, album.endTime);
}

TEST_F(ManualTimeRangeDialogTest, cancelChangesNothing) {
    Album album;
    album.startTime = album.startKey = film[0].dateTime;
    const Album before = album;
    CManualTimeRangeDialog dialog(album, film, clock);
    controlById<QDateEdit>(dialog, res::kIdStartDatePicker)->setDate(QDate(2006, 6, 30));
    controlById<QPushButton>(dialog, res::kIdCancel)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(album, before);
}

}  // namespace
}  // namespace lumora
