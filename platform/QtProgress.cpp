#include "platform/QtProgress.h"

#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <limits>

#include "platform/QtText.h"

namespace lumora {

namespace {
// What a Qt bar can hold, with room for the one more an empty range shows.
constexpr int64_t kLargestRange = std::numeric_limits<int>::max() - 1;
}  // namespace

void repaintNow() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

LabelProgress::LabelProgress(QLabel* status, QProgressBar* bar)
    : status_(status), bar_(bar), rangeLimit_(kLargestRange) {
    if (status_ != nullptr) status_->setTextFormat(Qt::PlainText);
    if (bar_ != nullptr) {
        lower_ = bar_->minimum();
        upper_ = bar_->maximum();
        position_ = bar_->value() < lower_ ? lower_ : bar_->value();
    }
}

void LabelProgress::setRangeLimit(int64_t limit) {
    rangeLimit_ = std::clamp<int64_t>(limit, 0, kLargestRange);
}

void LabelProgress::setStatus(const std::string& text) {
    if (status_ == nullptr) return;
    status_->setText(toQString(text));
    repaintNow();
}

void LabelProgress::setRange(int64_t lower, int64_t upper) {
    lower_ = std::clamp<int64_t>(lower, 0, rangeLimit_);
    upper_ = std::clamp<int64_t>(upper, 0, rangeLimit_);
    if (upper_ < lower_) upper_ = lower_;
    position_ = std::clamp(position_, lower_, upper_);
    if (bar_ != nullptr) {
        // An empty range would make Qt's bar a busy indicator; a Windows bar
        // stays empty.
        const int64_t shownUpper = upper_ == lower_ ? lower_ + 1 : upper_;
        bar_->setRange(static_cast<int>(lower_), static_cast<int>(shownUpper));
    }
    showPosition();
}

void LabelProgress::setPosition(int64_t position) {
    position_ = std::clamp(position, lower_, upper_);
    showPosition();
}

void LabelProgress::setStep(int64_t step) {
    step_ = step;
}

void LabelProgress::step() {
    position_ += step_;
    if (position_ > upper_ || position_ < lower_) position_ = lower_;
    showPosition();
}

void LabelProgress::showPosition() {
    if (bar_ == nullptr) return;
    bar_->setValue(static_cast<int>(position_));
    repaintNow();
}

BusyLabelProgress::~BusyLabelProgress() {
    if (busy_) QApplication::restoreOverrideCursor();
}

void BusyLabelProgress::setStatus(const std::string& text) {
    if (!busy_) {
        busy_ = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    LabelProgress::setStatus(text);
}

}  // namespace lumora
