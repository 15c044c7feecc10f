#include "app/CClockMatchDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "albums/ClockOffsetText.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {

CClockMatchDialog::CClockMatchDialog(CameraClockTable& table, size_t row,
                                     const ThumbnailSource& thumbnails, int dateFormat,
                                     int timeFormat, QWidget* parent)
    : QDialog(parent),
      table_(table),
      row_(row),
      ownStrip_(new ClockStrip(thumbnails, dateFormat, timeFormat, this)),
      referenceStrip_(new ClockStrip(thumbnails, dateFormat, timeFormat, this)),
      referenceCamera_(new QComboBox(this)),
      offset_(new QLabel(this)),
      ok_(nullptr) {
    setWindowTitle(QStringLiteral("Match to a picture"));
    const QString own = toQString(cameraName(table.camera(row).camera));
    auto* intro = new QLabel(
        QStringLiteral("Choose a picture of %1 and a picture of another camera that were taken at "
                       "the same moment. The other camera's time is taken as right.")
            .arg(own),
        this);
    intro->setWordWrap(true);

    setControlId(*ownStrip_, res::kIdMatchOwnStrip);
    ownStrip_->setPictures(table.picturesOf(row));
    setControlId(*referenceCamera_, res::kIdMatchReferenceCamera);
    for (size_t other = 0; other < table.size(); ++other) {
        if (other == row) continue;
        referenceRows_.push_back(other);
        referenceCamera_->addItem(toQString(cameraName(table.camera(other).camera)));
    }
    setControlId(*referenceStrip_, res::kIdMatchReferenceStrip);
    setControlId(*offset_, res::kIdMatchOffset);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    setControlId(*ok_, res::kIdOk);
    setControlId(*buttons->button(QDialogButtonBox::Cancel), res::kIdCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CClockMatchDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(referenceCamera_, &QComboBox::currentIndexChanged, this,
            &CClockMatchDialog::referenceCameraChosen);
    connect(ownStrip_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CClockMatchDialog::showOffset);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(new QLabel(QStringLiteral("Picture of %1:").arg(own), this));
    layout->addWidget(ownStrip_);
    layout->addWidget(new QLabel(QStringLiteral("The same moment, taken with:"), this));
    layout->addWidget(referenceCamera_);
    layout->addWidget(referenceStrip_);
    layout->addWidget(offset_);
    layout->addWidget(buttons);
    resize(720, sizeHint().height());

    referenceCameraChosen(referenceCamera_->currentIndex());
}

void CClockMatchDialog::referenceCameraChosen(int index) {
    const bool valid = index >= 0 && static_cast<size_t>(index) < referenceRows_.size();
    referenceStrip_->setPictures(
        valid ? table_.picturesOf(referenceRows_[static_cast<size_t>(index)]) : PictureList{});
    // The new strip's selection model is the same object: connect once.
    connect(referenceStrip_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CClockMatchDialog::showOffset, Qt::UniqueConnection);
    showOffset();
}

void CClockMatchDialog::showOffset() {
    const PictureEntry* picture = ownStrip_->chosen();
    const PictureEntry* reference = referenceStrip_->chosen();
    ok_->setEnabled(picture != nullptr && reference != nullptr);
    if (picture == nullptr || reference == nullptr) {
        offset_->setText(QStringLiteral("Offset: choose a picture in each strip"));
        return;
    }
    offset_->setText(
        QStringLiteral("Offset: %1")
            .arg(toQString(clockOffsetText(matchingClockSeconds(*picture, *reference)))));
}

void CClockMatchDialog::accept() {
    const PictureEntry* picture = ownStrip_->chosen();
    const PictureEntry* reference = referenceStrip_->chosen();
    if (picture == nullptr || reference == nullptr) return;
    table_.match(row_, *picture, *reference);
    QDialog::accept();
}

}  // namespace lumora
