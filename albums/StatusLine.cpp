#include "albums/StatusLine.h"

#include "platform/QtProgress.h"
#include "platform/QtText.h"

namespace lumora {
namespace {

constexpr qint64 kRepaintMilliseconds = 40;

}  // namespace

StatusLine::StatusLine(QLabel* label) : label_(label) {
    label_->setTextFormat(Qt::PlainText);
}

void StatusLine::setStatus(const std::string& text) {
    if (watcher_) watcher_->setStatus(text);
    latest_ = text;
    shown_ = false;
    if (!sinceRepaint_.isValid() || sinceRepaint_.elapsed() >= kRepaintMilliseconds) flush();
}

void StatusLine::flush() {
    if (shown_) return;
    label_->setText(toQString(latest_));
    shown_ = true;
    repaintNow();
    sinceRepaint_.restart();
}

}  // namespace lumora
