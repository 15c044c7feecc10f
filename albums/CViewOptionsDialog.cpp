#include "albums/CViewOptionsDialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {

CViewOptionsDialog::CViewOptionsDialog(ViewOptions& options, QWidget* parent)
    : QDialog(parent),
      options_(options),
      byName_(new QRadioButton("By Name")),
      byDate_(new QRadioButton("By Date")),
      direction_(new QComboBox) {
    setWindowTitle("Set view options");
    fitWidthToTitle(*this);
    setControlId(*byName_, res::kIdSortByNameRadio);
    setControlId(*byDate_, res::kIdSortByDateRadio);
    setControlId(*direction_, res::kIdSortDirectionList);
    direction_->addItems({"Ascendent", "Descendent"});

    auto* sort = new QGroupBox("Sort");
    auto* sortLayout = new QVBoxLayout(sort);
    sortLayout->addWidget(byName_);
    sortLayout->addWidget(byDate_);
    sortLayout->addWidget(direction_);
    auto* optionsGroup = new QGroupBox("Please Set View Options");
    auto* optionsLayout = new QVBoxLayout(optionsGroup);
    optionsLayout->addWidget(sort);

    auto* accept = new QPushButton("Accept");
    setControlId(*accept, res::kIdOk);
    accept->setDefault(true);
    auto* discard = new QPushButton("Discard");
    setControlId(*discard, res::kIdCancel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(accept);
    buttons->addWidget(discard);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optionsGroup);
    layout->addLayout(buttons);

    // Clicks, not toggles: choosing the option already shown still counts as
    // a change, and showing the options never does.
    connect(byName_, &QRadioButton::clicked, this, &CViewOptionsDialog::byName);
    connect(byDate_, &QRadioButton::clicked, this, &CViewOptionsDialog::byDate);
    connect(direction_, &QComboBox::currentIndexChanged, this,
            &CViewOptionsDialog::directionChosen);
    connect(accept, &QPushButton::clicked, this, &CViewOptionsDialog::acceptOptions);
    connect(discard, &QPushButton::clicked, this, &CViewOptionsDialog::discard);

    options_.viewOptionsChanged = 0;
    opened_ = options_;
    showOptions();
}

void CViewOptionsDialog::byName() {
    options_.viewOptionsChanged = 1;
    options_.sortByDate = 0;
    showOptions();
}

void CViewOptionsDialog::byDate() {
    options_.viewOptionsChanged = 1;
    options_.sortByDate = 1;
    showOptions();
}

void CViewOptionsDialog::directionChosen() {
    options_.viewOptionsChanged = 1;
    applyDirection();
    showOptions();
}

void CViewOptionsDialog::acceptOptions() {
    applyDirection();
    accept();
}

void CViewOptionsDialog::discard() {
    reject();
}

void CViewOptionsDialog::reject() {
    options_ = opened_;
    QDialog::reject();
}

void CViewOptionsDialog::applyDirection() {
    const int entry = direction_->currentIndex();
    if (entry == 0) options_.sortAscending = 1;
    if (entry == 1) options_.sortAscending = 0;
}

void CViewOptionsDialog::showOptions() {
    const QSignalBlocker quiet(direction_);
    direction_->setCurrentIndex(options_.sortAscending == 1 ? 0 : 1);
    byDate_->setChecked(options_.sortByDate == 1);
    byName_->setChecked(options_.sortByDate != 1);
}

}  // namespace lumora
