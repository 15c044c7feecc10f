#include "albums/CManualTimeRangeDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

QDate dateOf(const std::tm& fields) {
    return QDate(fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday);
}

QTime timeOf(const std::tm& fields) {
    return QTime(fields.tm_hour, fields.tm_min, fields.tm_sec);
}

QDateEdit* datePicker(int id, const std::tm& shown) {
    auto* picker = new QDateEdit;
    setControlId(*picker, id);
    picker->setDisplayFormat("yyyy-MM-dd");
    picker->setCalendarPopup(true);
    picker->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    picker->setDate(dateOf(shown));
    return picker;
}

QTimeEdit* timePicker(int id, const std::tm& shown) {
    auto* picker = new QTimeEdit;
    setControlId(*picker, id);
    picker->setDisplayFormat("HH:mm:ss");
    picker->setTime(timeOf(shown));
    return picker;
}

QGroupBox* pickerGroup(const QString& title, QWidget* date, QWidget* time) {
    auto* group = new QGroupBox(title);
    auto* column = new QVBoxLayout(group);
    column->addWidget(date);
    column->addWidget(time);
    return group;
}

// The pickers' values, with text still being typed into them taken as it
// stands.
std::tm pickedValue(QDateEdit& datePicker, QTimeEdit& timePicker) {
    datePicker.interpretText();
    timePicker.interpretText();
    const QDate date = datePicker.date();
    const QTime time = timePicker.time();
    return dateAndTime(date.year(), date.month(), date.day(), time.hour(), time.minute(),
                       time.second());
}

}  // namespace

CManualTimeRangeDialog::CManualTimeRangeDialog(Album& album, const FilmList& film,
                                               Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      album_(album),
      prompter_(prompter),
      presets_(manualRangePresets(album, film)),
      startDate_(datePicker(res::kIdStartDatePicker, presets_.start)),
      startTime_(timePicker(res::kIdStartTimePicker, presets_.start)),
      endDate_(datePicker(res::kIdEndDatePicker, presets_.end)),
      endTime_(timePicker(res::kIdEndTimePicker, presets_.end)) {
    setWindowTitle("Manual Time Range Settings");

    auto* to = new QLabel("to");
    to->setAlignment(Qt::AlignCenter);
    auto* range = new QHBoxLayout;
    range->addWidget(pickerGroup("Start Date/Time", startDate_, startTime_), 1);
    range->addWidget(to);
    range->addWidget(pickerGroup("End Date/Time", endDate_, endTime_), 1);

    auto* ok = new QPushButton("OK");
    setControlId(*ok, res::kIdOk);
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel");
    setControlId(*cancel, res::kIdCancel);
    connect(ok, &QPushButton::clicked, this, &CManualTimeRangeDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &CManualTimeRangeDialog::cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(range);
    layout->addLayout(buttons);
    // The pickers open unselected, as none is being edited yet.
    ok->setFocus();
}

void CManualTimeRangeDialog::ok() {
    if (!applyManualRange(album_, pickedValue(*startDate_, *startTime_),
                          pickedValue(*endDate_, *endTime_))) {
        prompter_.ask(kStartAfterEndText, "", Buttons::Ok, Icon::None);
        return;
    }
    accept();
}

void CManualTimeRangeDialog::cancel() {
    reject();
}

}  // namespace lumora
