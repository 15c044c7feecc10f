#include "filters/CAdvancedFilterDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "imaging/Image.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtText.h"
#include "res/BitmapIds.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

// The control ids of one criterion's group; min is 0 for an enumeration.
struct GroupIds {
    int check;
    int max;
    int min;
    int lamp;
    int reset;
};

GroupIds idsOf(FilterCriterion criterion) {
    using namespace res;
    switch (criterion) {
        case FilterCriterion::Camera:
            return {0, kIdFilterMake, kIdFilterModel, 0, kIdFilterCameraReset};
        case FilterCriterion::Size:
            return {kIdFilterSizeCheck, kIdFilterSizeMax, kIdFilterSizeMin, kIdFilterSizeLamp,
                    kIdFilterSizeReset};
        case FilterCriterion::FocalLength:
            return {kIdFilterFocalLengthCheck, kIdFilterFocalLengthMax, kIdFilterFocalLengthMin,
                    kIdFilterFocalLengthLamp, kIdFilterFocalLengthReset};
        case FilterCriterion::Resolution:
            return {kIdFilterResolutionCheck, kIdFilterResolutionMax, kIdFilterResolutionMin,
                    kIdFilterResolutionLamp, kIdFilterResolutionReset};
        case FilterCriterion::ExposureTime:
            return {kIdFilterExposureTimeCheck, kIdFilterExposureTimeMax, kIdFilterExposureTimeMin,
                    kIdFilterExposureTimeLamp, kIdFilterExposureTimeReset};
        case FilterCriterion::Aperture:
            return {kIdFilterApertureCheck, kIdFilterApertureMax, kIdFilterApertureMin,
                    kIdFilterApertureLamp, kIdFilterApertureReset};
        case FilterCriterion::Iso:
            return {kIdFilterIsoCheck, kIdFilterIsoMax, kIdFilterIsoMin, kIdFilterIsoLamp,
                    kIdFilterIsoReset};
        case FilterCriterion::FocusDistance:
            return {kIdFilterDistanceCheck, kIdFilterDistanceMax, kIdFilterDistanceMin,
                    kIdFilterDistanceLamp, kIdFilterDistanceReset};
        case FilterCriterion::ExposureBias:
            return {kIdFilterBiasCheck, kIdFilterBiasMax, kIdFilterBiasMin, kIdFilterBiasLamp,
                    kIdFilterBiasReset};
        case FilterCriterion::Flash:
            return {kIdFilterFlashCheck, kIdFilterFlash, 0, kIdFilterFlashLamp,
                    kIdFilterFlashReset};
        case FilterCriterion::MeteringMode:
            return {kIdFilterMeteringCheck, kIdFilterMetering, 0, kIdFilterMeteringLamp,
                    kIdFilterMeteringReset};
        case FilterCriterion::ExposureProgram:
            return {kIdFilterProgramCheck, kIdFilterProgram, 0, kIdFilterProgramLamp,
                    kIdFilterProgramReset};
        case FilterCriterion::WhiteBalance:
            return {kIdFilterWhiteBalanceCheck, kIdFilterWhiteBalance, 0, kIdFilterWhiteBalanceLamp,
                    kIdFilterWhiteBalanceReset};
    }
    return {};
}

QPixmap lampBitmap(int id) {
    Image bitmap;
    if (!bitmap.LoadResource(id)) return {};
    return QPixmap::fromImage(makeBitmap(bitmap));
}

// Shows a box's entries, selection and enabled state without notifying.
void showCombo(QComboBox* box, const ComboState& state) {
    if (!box) return;
    const QSignalBlocker blocker(box);
    QStringList entries;
    for (const std::string& entry : state.entries) entries << toQString(entry);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
    if (shown != entries) {
        box->clear();
        box->addItems(entries);
    }
    const int selected = state.selected ? static_cast<int>(*state.selected) : -1;
    box->setCurrentIndex(selected);
    box->setEditText(selected >= 0 ? box->itemText(selected) : QString());
    box->setEnabled(state.enabled);
}

constexpr int kLampSide = 12;
constexpr int kResetWidth = 20;

}  // namespace

CAdvancedFilterDialog::CAdvancedFilterDialog(FilterPanelHost& host, FilterValueLists& values,
                                             Prompter& prompter, QWidget* parent)
    : QDialog(parent), panel_(host, values, prompter) {
    setWindowTitle(QStringLiteral("Advanced Filter"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    lamps_[static_cast<int>(Lamp::Black)] = lampBitmap(res::kBitmapLampBlack);
    lamps_[static_cast<int>(Lamp::Red)] = lampBitmap(res::kBitmapLampRed);
    lamps_[static_cast<int>(Lamp::Green)] = lampBitmap(res::kBitmapLampGreen);
    buildControls();
}

void CAdvancedFilterDialog::buildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* settings = new QGroupBox(QStringLiteral("Advanced Filter settings"), this);
    auto* grid = new QGridLayout(settings);
    grid->addWidget(buildCameraGroup(), 0, 0, 1, 2);
    int slot = 0;
    for (FilterCriterion criterion : kAllCriteria) {
        if (criterion == FilterCriterion::Camera) continue;
        grid->addWidget(buildCriterionGroup(criterion), 1 + slot / 2, slot % 2);
        ++slot;
    }
    outer->addWidget(settings);

    auto* switches = new QHBoxLayout;
    master_ = new QCheckBox(QStringLiteral("Enable Advanced Filtering"), this);
    setControlId(*master_, res::kIdFilterEnable);
    connect(master_, &QCheckBox::clicked, this, [this](bool on) {
        panel_.toggleMaster(on);
        showState();
    });
    live_ = new QCheckBox(QStringLiteral("Live Update"), this);
    setControlId(*live_, res::kIdFilterLiveUpdate);
    connect(live_, &QCheckBox::clicked, this, [this](bool on) {
        panel_.toggleLiveUpdate(on);
        showState();
    });
    auto* resetAll = new QPushButton(QStringLiteral("Reset filters"), this);
    setControlId(*resetAll, res::kIdFilterResetAll);
    connect(resetAll, &QPushButton::clicked, this, [this] {
        panel_.resetFilters();
        showState();
    });
    auto* closeButton = new QPushButton(QStringLiteral("Close Window"), this);
    setControlId(*closeButton, res::kIdCancel);
    closeButton->setAutoDefault(false);
    connect(closeButton, &QPushButton::clicked, this, [this] { close(); });
    switches->addWidget(master_);
    switches->addWidget(live_);
    switches->addStretch(1);
    switches->addWidget(resetAll);
    switches->addWidget(closeButton);
    outer->addLayout(switches);
    outer->addWidget(
        new QLabel(QStringLiteral("To keep filters active don't close this window"), this));
}

QComboBox* CAdvancedFilterDialog::makeCombo(int id, FilterCriterion criterion, ComboRole role) {
    auto* box = new QComboBox(this);
    setControlId(*box, id);
    // An edit field that takes no typing: only a choice from the list counts
    // (an edit field would otherwise take a typed entry's text as a choice).
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setReadOnly(true);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    // Wide enough for the longest exposure time, "(1/1000)~ 0.001s".
    box->setMinimumContentsLength(16);
    connect(box, &QComboBox::activated, this, [this, criterion, role](int index) {
        if (index < 0) return;
        panel_.choose(criterion, role, static_cast<std::size_t>(index));
        showState();
    });
    return box;
}

QToolButton* CAdvancedFilterDialog::makeResetButton(int id, FilterCriterion criterion) {
    auto* button = new QToolButton(this);
    setControlId(*button, id);
    // Wider than tall, so that it does not pass for a check box.
    button->setFixedSize(kResetWidth, kLampSide);
    button->setToolTip(QStringLiteral("Reset"));
    connect(button, &QToolButton::clicked, this, [this, criterion] {
        panel_.resetCriterion(criterion);
        showState();
    });
    return button;
}

QWidget* CAdvancedFilterDialog::buildCameraGroup() {
    auto* group =
        new QGroupBox(QString::fromLatin1(criterionCaption(FilterCriterion::Camera)), this);
    auto* row = new QHBoxLayout(group);
    const GroupIds ids = idsOf(FilterCriterion::Camera);
    make_ = makeCombo(ids.max, FilterCriterion::Camera, ComboRole::Make);
    model_ = makeCombo(ids.min, FilterCriterion::Camera, ComboRole::Model);
    row->addWidget(make_, 1);
    row->addWidget(model_, 1);
    row->addWidget(makeResetButton(ids.reset, FilterCriterion::Camera));
    return group;
}

QWidget* CAdvancedFilterDialog::buildCriterionGroup(FilterCriterion criterion) {
    auto* group = new QGroupBox(QString::fromLatin1(criterionCaption(criterion)), this);
    auto* layout = new QGridLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setVerticalSpacing(2);
    const GroupIds ids = idsOf(criterion);
    GroupWidgets& widgets = groups_[indexOf(criterion)];
    widgets.check = new QCheckBox(this);
    setControlId(*widgets.check, ids.check);
    connect(widgets.check, &QCheckBox::clicked, this, [this, criterion](bool on) {
        panel_.toggleCheck(criterion, on);
        showState();
    });
    widgets.lamp = new QLabel(this);
    setControlId(*widgets.lamp, ids.lamp);
    widgets.lamp->setFixedSize(kLampSide, kLampSide);
    widgets.lamp->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widgets.reset = makeResetButton(ids.reset, criterion);
    layout->addWidget(widgets.check, 0, 0);
    widgets.max = makeCombo(ids.max, criterion, ComboRole::Max);
    if (isRange(criterion)) {
        widgets.min = makeCombo(ids.min, criterion, ComboRole::Min);
        layout->addWidget(new QLabel(QStringLiteral("Max"), this), 0, 1);
        layout->addWidget(widgets.max, 0, 2);
        layout->addWidget(new QLabel(QStringLiteral("Min"), this), 1, 1);
        layout->addWidget(widgets.min, 1, 2);
    } else {
        layout->addWidget(widgets.max, 0, 1, 1, 2);
    }
    layout->setColumnStretch(2, 1);
    auto* side = new QHBoxLayout;
    side->setSpacing(2);
    side->addWidget(widgets.lamp);
    side->addWidget(widgets.reset);
    layout->addLayout(side, 0, 3);
    return group;
}

void CAdvancedFilterDialog::showLamp(QLabel* lamp, Lamp colour) {
    if (!lamp) return;
    // The control shows the bitmap's top-left corner, as a small static does.
    const QPixmap& bitmap = lamps_[static_cast<int>(colour)];
    lamp->setPixmap(bitmap.isNull() ? bitmap : bitmap.copy(0, 0, kLampSide, kLampSide));
    lamp->setProperty("lamp", static_cast<int>(colour));
}

void CAdvancedFilterDialog::showState() {
    showCombo(make_, panel_.make());
    showCombo(model_, panel_.model());
    for (FilterCriterion criterion : kAllCriteria) {
        if (criterion == FilterCriterion::Camera) continue;
        const CriterionGroup& state = panel_.group(criterion);
        GroupWidgets& widgets = groups_[indexOf(criterion)];
        {
            const QSignalBlocker blocker(widgets.check);
            widgets.check->setChecked(state.checked);
            widgets.check->setEnabled(state.checkEnabled);
        }
        showCombo(widgets.max, state.max);
        showCombo(widgets.min, state.min);
        showLamp(widgets.lamp, state.lamp);
    }
    const QSignalBlocker masterBlocker(master_);
    master_->setChecked(panel_.masterSwitch());
    const QSignalBlocker liveBlocker(live_);
    live_->setChecked(panel_.liveUpdate());
}

void CAdvancedFilterDialog::openFor(bool /*newAlbum*/) {
    panel_.open();
    showState();
    show();
}

void CAdvancedFilterDialog::filmBuilt(const CriterionFlags& tested) {
    panel_.filmBuilt(tested);
    showState();
}

void CAdvancedFilterDialog::reject() {
    close();
}

void CAdvancedFilterDialog::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        panel_.close();
        emit closed();
    }
    // Not QDialog's handler: it rejects, rejecting closes here, and the
    // nested close finds the window still shown and refuses the event, so
    // "Close Window" and Esc left the window open.
    event->accept();
}

}  // namespace lumora
