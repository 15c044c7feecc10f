#include "processing/CProcessOptionDialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {

CProcessOptionDialog::CProcessOptionDialog(AlbumList& albums, int32_t& moveMode,
                                           bool& bringCompanions, Prompter& prompter,
                                           QWidget* parent)
    : QDialog(parent),
      moveMode_(moveMode),
      bringCompanions_(bringCompanions),
      prompter_(prompter),
      option_(albums, moveMode, prompter),
      moveFiles_(new QCheckBox(
          "Check this box in order to move files instead of copy from source to target folder "
          "while processing albums")),
      bringCompanionsBox_(new QCheckBox("Bring companion files (RAW, sidecars, clips)")),
      save_(new QPushButton("Save")) {
    setWindowTitle("Process Option");

    setControlId(*moveFiles_, res::kIdMoveFilesCheck);
    moveFiles_->setChecked(option_.checked());
    moveFiles_->setEnabled(option_.editable());
    connect(moveFiles_, &QCheckBox::clicked, this, &CProcessOptionDialog::onMoveFilesClicked);
    setControlId(*bringCompanionsBox_, res::kIdBringCompanionsCheck);
    bringCompanionsBox_->setChecked(bringCompanions_);
    bringCompanionsBox_->setEnabled(option_.editable());

    setControlId(*save_, res::kIdOk);
    save_->setEnabled(option_.editable());
    save_->setDefault(option_.editable());
    connect(save_, &QPushButton::clicked, this, &CProcessOptionDialog::onSave);
    auto* discard = new QPushButton("Discard");
    setControlId(*discard, res::kIdCancel);
    discard->setDefault(!option_.editable());
    connect(discard, &QPushButton::clicked, this, &CProcessOptionDialog::onDiscard);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(discard);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(moveFiles_);
    layout->addWidget(bringCompanionsBox_);
    layout->addSpacing(fontMetrics().height());
    layout->addLayout(buttons);
}

void CProcessOptionDialog::onMoveFilesClicked(bool checked) {
    option_.click(checked, prompter_);
    moveFiles_->setChecked(option_.checked());
}

void CProcessOptionDialog::onSave() {
    if (option_.editable()) bringCompanions_ = bringCompanionsBox_->isChecked();
    option_.save(moveMode_, prompter_);
    accept();
}

void CProcessOptionDialog::onDiscard() {
    reject();
}

}  // namespace lumora
