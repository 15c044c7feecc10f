#include "app/CCameraClocksDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "albums/ClockOffsetText.h"
#include "app/CClockMatchDialog.h"
#include "app/CameraClockChange.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

QSpinBox* spinBox(QWidget* parent, int id, int maximum, const QString& suffix) {
    auto* box = new QSpinBox(parent);
    setControlId(*box, id);
    box->setRange(0, maximum);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

CCameraClocksDialog::CCameraClocksDialog(Workspace& workspace, Prompter& prompter,
                                         ThumbnailSource thumbnails, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      prompter_(prompter),
      thumbnails_(std::move(thumbnails)),
      table_(workspace.pictures(), workspace.clocks),
      list_(new QTreeWidget(this)),
      sign_(new QComboBox(this)),
      days_(spinBox(this, res::kIdClockDays, static_cast<int>(kMaxClockDays), " d")),
      hours_(spinBox(this, res::kIdClockHours, 23, " h")),
      minutes_(spinBox(this, res::kIdClockMinutes, 59, " min")),
      seconds_(spinBox(this, res::kIdClockSeconds, 59, " s")),
      match_(new QPushButton(QStringLiteral("Match to a picture..."), this)) {
    setWindowTitle(QString::fromUtf8(kCameraClocksCaption));
    auto* intro = new QLabel(
        QStringLiteral("A camera whose clock was wrong gets an offset: its pictures are taken as "
                       "made at the time it wrote plus the offset, on the film, in the albums and "
                       "in the new names. The files are never changed. Two bodies of one model "
                       "are one camera here."),
        this);
    intro->setWordWrap(true);

    setControlId(*list_, res::kIdClockList);
    list_->setColumnCount(5);
    list_->setHeaderLabels({QStringLiteral("Camera"), QStringLiteral("Pictures"),
                            QStringLiteral("First picture"), QStringLiteral("Last picture"),
                            QStringLiteral("Clock offset")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (size_t row = 0; row < table_.size(); ++row) {
        auto* item = new QTreeWidgetItem(list_);
        (void)item;
        showRow(static_cast<int>(row));
    }
    for (int column = 0; column < 2; ++column) list_->resizeColumnToContents(column);

    setControlId(*sign_, res::kIdClockSign);
    sign_->addItems({QStringLiteral("+"), QStringLiteral("-")});
    setControlId(*match_, res::kIdClockMatch);

    auto* editors = new QHBoxLayout;
    editors->addWidget(new QLabel(QStringLiteral("Offset of the selected camera:"), this));
    editors->addWidget(sign_);
    editors->addWidget(days_);
    editors->addWidget(hours_);
    editors->addWidget(minutes_);
    editors->addWidget(seconds_);
    editors->addStretch();
    editors->addWidget(match_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    setControlId(*buttons->button(QDialogButtonBox::Ok), res::kIdOk);
    setControlId(*buttons->button(QDialogButtonBox::Cancel), res::kIdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_, 1);
    layout->addLayout(editors);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CCameraClocksDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &CCameraClocksDialog::cameraSelected);
    connect(sign_, &QComboBox::currentIndexChanged, this, &CCameraClocksDialog::offsetEdited);
    for (QSpinBox* box : {days_, hours_, minutes_, seconds_}) {
        connect(box, &QSpinBox::valueChanged, this, &CCameraClocksDialog::offsetEdited);
    }
    connect(match_, &QPushButton::clicked, this, &CCameraClocksDialog::matchToPicture);

    resize(820, 380);
    if (table_.size() > 0) list_->setCurrentItem(list_->topLevelItem(0));
    cameraSelected();
}

int CCameraClocksDialog::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = list_->selectedItems();
    return selected.isEmpty() ? -1 : list_->indexOfTopLevelItem(selected.front());
}

void CCameraClocksDialog::showRow(int row) {
    QTreeWidgetItem* item = list_->topLevelItem(row);
    const std::vector<std::string> texts =
        table_.rowTexts(static_cast<size_t>(row), workspace_.dateFormat, workspace_.timeFormat);
    for (size_t column = 0; column < texts.size(); ++column) {
        item->setText(static_cast<int>(column), toQString(texts[column]));
    }
    // A corrected time is longer by its mark: the columns keep up.
    for (int column = 2; column < 5; ++column) list_->resizeColumnToContents(column);
}

void CCameraClocksDialog::showEditors(int64_t seconds) {
    const ClockOffsetParts parts = clockOffsetParts(seconds);
    showing_ = true;
    sign_->setCurrentIndex(parts.negative ? 1 : 0);
    days_->setValue(static_cast<int>(parts.days));
    hours_->setValue(parts.hours);
    minutes_->setValue(parts.minutes);
    seconds_->setValue(parts.seconds);
    showing_ = false;
}

void CCameraClocksDialog::cameraSelected() {
    const int row = selectedRow();
    const bool any = row >= 0;
    for (QWidget* editor :
         std::initializer_list<QWidget*>{sign_, days_, hours_, minutes_, seconds_}) {
        editor->setEnabled(any);
    }
    // Matching needs a second camera taken as right.
    match_->setEnabled(any && table_.size() > 1);
    showEditors(any ? table_.seconds(static_cast<size_t>(row)) : 0);
}

void CCameraClocksDialog::offsetEdited() {
    const int row = selectedRow();
    if (showing_ || row < 0) return;
    ClockOffsetParts parts;
    parts.negative = sign_->currentIndex() == 1;
    parts.days = days_->value();
    parts.hours = hours_->value();
    parts.minutes = minutes_->value();
    parts.seconds = seconds_->value();
    table_.setSeconds(static_cast<size_t>(row), clockOffsetSeconds(parts));
    showRow(row);
}

void CCameraClocksDialog::matchToPicture() {
    const int row = selectedRow();
    if (row < 0 || table_.size() < 2) return;
    CClockMatchDialog dialog(table_, static_cast<size_t>(row), thumbnails_, workspace_.dateFormat,
                             workspace_.timeFormat, this);
    if (runMatchDialog(dialog) != QDialog::Accepted) return;
    showRow(row);
    showEditors(table_.seconds(static_cast<size_t>(row)));
}

int CCameraClocksDialog::runMatchDialog(QDialog& dialog) {
    return dialog.exec();
}

void CCameraClocksDialog::accept() {
    if (table_.changed() && !changeCameraClocks(workspace_, table_.clocks(), prompter_)) return;
    QDialog::accept();
}

}  // namespace lumora
