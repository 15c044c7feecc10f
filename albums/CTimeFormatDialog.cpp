#include "albums/CTimeFormatDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "albums/DateTimeText.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

QComboBox* formatList(int id, const std::vector<std::string>& samples, int selected) {
    auto* list = new QComboBox;
    setControlId(*list, id);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const std::string& sample : samples) list->addItem(toQString(sample));
    // A number outside the list selects nothing, as a list given an index
    // it does not have.
    list->setCurrentIndex(selected >= 1 && selected <= list->count() ? selected - 1 : -1);
    return list;
}

QGroupBox* formatGroup(const QString& title, const QString& label, QComboBox* list) {
    auto* group = new QGroupBox(title);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(label));
    row->addWidget(list, 1);
    return group;
}

}  // namespace

CTimeFormatDialog::CTimeFormatDialog(int dateFormat, int timeFormat, const Clock& clock,
                                     QWidget* parent)
    : QDialog(parent),
      dateList_(formatList(res::kIdDateFormatList, dateSamples(clock), dateFormat)),
      timeList_(formatList(res::kIdTimeFormatList, timeSamples(clock), timeFormat)) {
    setWindowTitle("Date and Time format");

    auto* save = new QPushButton("Save");
    setControlId(*save, res::kIdOk);
    save->setDefault(true);
    auto* discard = new QPushButton("Discard");
    setControlId(*discard, res::kIdCancel);
    connect(save, &QPushButton::clicked, this, &CTimeFormatDialog::onSave);
    connect(discard, &QPushButton::clicked, this, &CTimeFormatDialog::onDiscard);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(discard);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formatGroup("Date", "Current date format:", dateList_));
    layout->addWidget(formatGroup("Time", "Current time format:", timeList_));
    layout->addLayout(buttons);
}

int CTimeFormatDialog::dateFormat() const {
    return dateList_->currentIndex() + 1;
}

int CTimeFormatDialog::timeFormat() const {
    return timeList_->currentIndex() + 1;
}

void CTimeFormatDialog::onSave() {
    accept();
}

void CTimeFormatDialog::onDiscard() {
    reject();
}

}  // namespace lumora
