#include "app/MainWindowWidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace lumora {

PathLabel::PathLabel(QWidget* parent) : QLabel(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    setTextInteractionFlags(Qt::NoTextInteraction);
}

void PathLabel::setPath(const QString& path) {
    setText(path);
    setToolTip(path);
}

QSize PathLabel::minimumSizeHint() const {
    const QSize hint = QLabel::minimumSizeHint();
    return {fontMetrics().averageCharWidth() * 12, hint.height()};
}

void PathLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin() + 3, 0, -margin() - 3, 0);
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideMiddle, area.width());
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignVCenter, palette(), isEnabled(),
                          shown, foregroundRole());
}

void BannerLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        handler_) {
        handler_();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace lumora
