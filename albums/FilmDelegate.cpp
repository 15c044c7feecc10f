#include "albums/FilmDelegate.h"

#include <QLineEdit>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>

#include "albums/CustomName.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "albums/Thumbnail.h"

namespace lumora {
namespace {

constexpr int kItemWidth = 184;
constexpr int kItemHeight = 198;
constexpr int kThumbnailTop = 7;
constexpr int kFrame = 3;  // the frame around a thumbnail, wider when selected

const QColor kFrameColour(58, 58, 58);
const QColor kSelectedFrameColour(240, 168, 48);
const QColor kLabelColour(226, 226, 222);
// Pictures left out of the album: their labels step back with them.
const QColor kExcludedLabelColour(140, 138, 134);
const QColor kSelectedLabelBackground(240, 168, 48, 60);
const QColor kMissingThumbnail(90, 90, 90);
// The badge of a picture shot with a RAW file beside it.
const QColor kRawBadgeBackground(24, 24, 24, 200);
const QColor kRawBadgeText(240, 168, 48);

QRect thumbnailRect(const QRect& item) {
    return QRect(item.x() + (item.width() - kThumbnailWidth) / 2, item.y() + kThumbnailTop,
                 kThumbnailWidth, kThumbnailHeight);
}

QRect labelRect(const QRect& item) {
    const int top = item.y() + kThumbnailTop + kThumbnailHeight + kFrame + 4;
    return QRect(item.x() + 4, top, item.width() - 8, item.bottom() - top - 2);
}

// The label as it is drawn: the spaces inside a bracketed date or time do not
// break, so a line ends between the date and the time rather than inside one.
QString drawnLabel(QString text) {
    bool inBrackets = false;
    for (QChar& c : text) {
        if (c == u'[') inBrackets = true;
        if (c == u']') inBrackets = false;
        if (inBrackets && c == u' ') c = QChar(0x00A0);
    }
    return text;
}

// A small "RAW" in the thumbnail's top right corner.
void drawRawBadge(QPainter& painter, const QRect& thumbnail) {
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    const QFontMetrics metrics(font);
    const QString text = QStringLiteral("RAW");
    const QSize size(metrics.horizontalAdvance(text) + 8, metrics.height() + 2);
    const QRect badge(thumbnail.right() - size.width() - 3, thumbnail.top() + 3, size.width(),
                      size.height());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kRawBadgeBackground);
    painter.drawRoundedRect(badge, 3, 3);
    painter.setFont(font);
    painter.setPen(kRawBadgeText);
    painter.drawText(badge, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace

FilmDelegate::FilmDelegate(const std::vector<QImage>& filmImages, QObject* parent)
    : QStyledItemDelegate(parent), filmImages_(filmImages) {}

QSize FilmDelegate::itemSize() {
    return QSize(kItemWidth, kItemHeight);
}

QSize FilmDelegate::labelSize() {
    return labelRect(QRect(QPoint(0, 0), itemSize())).size();
}

QFont FilmDelegate::labelFont(const QFont& viewFont) {
    QFont font = viewFont;
    font.setPointSizeF(font.pointSizeF() * 0.9);
    return font;
}

QStringList FilmDelegate::labelLines(const QString& label, const QFont& font, int width,
                                     int maxLines) {
    const QFontMetrics metrics(font);
    if (maxLines < 0) maxLines = labelSize().height() / metrics.lineSpacing();
    QStringList lines;
    if (maxLines <= 0 || width <= 0) return lines;
    const qsizetype lineBreak = label.indexOf(u'\n');
    const QString head = drawnLabel(lineBreak < 0 ? label : label.left(lineBreak));
    const bool hasCamera = lineBreak >= 0;
    const int headLines = hasCamera ? std::max(1, maxLines - 1) : maxLines;
    QTextLayout layout(head, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        if (lines.size() == headLines - 1) {
            // The last line the room gives takes the rest, shortened.
            lines << metrics.elidedText(head.mid(line.textStart()), Qt::ElideRight, width);
            break;
        }
        lines << head.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    if (hasCamera && lines.size() < maxLines) {
        lines << metrics.elidedText(label.mid(lineBreak + 1), Qt::ElideRight, width);
    }
    return lines;
}

QSize FilmDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
    return itemSize();
}

void FilmDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QRect thumbnail = thumbnailRect(option.rect);
    painter->save();
    painter->fillRect(thumbnail.adjusted(-kFrame, -kFrame, kFrame, kFrame),
                      selected ? kSelectedFrameColour : kFrameColour);
    const int imageIndex = index.data(FilmModel::ThumbnailIndexRole).toInt();
    if (imageIndex >= 0 && static_cast<size_t>(imageIndex) < filmImages_.size() &&
        !filmImages_[static_cast<size_t>(imageIndex)].isNull()) {
        painter->drawImage(thumbnail, filmImages_[static_cast<size_t>(imageIndex)]);
    } else {
        painter->fillRect(thumbnail, kMissingThumbnail);
    }
    if (index.data(FilmModel::RawCompanionRole).toBool()) drawRawBadge(*painter, thumbnail);

    QRect label = labelRect(option.rect);
    if (selected) painter->fillRect(label, kSelectedLabelBackground);
    painter->setClipRect(label);
    // While the name is edited its box covers the first line; the rest of the
    // label shows below it.
    const auto* film = qobject_cast<const FilmView*>(option.widget);
    const bool editing = film != nullptr && film->isEditing(index);
    const QString text = editing ? index.data(FilmModel::LabelDetailRole).toString()
                                 : index.data(Qt::DisplayRole).toString();
    if (editing) {
        const QWidget* editor = film->indexWidget(index);
        label.setTop(label.top() + (editor ? editor->height() : option.fontMetrics.height()) + 1);
    }
    const QFont font = labelFont(option.font);
    painter->setFont(font);
    const bool excluded = index.data(FilmModel::ExcludedRole).toBool();
    painter->setPen(excluded ? kExcludedLabelColour : kLabelColour);
    const int lineSpacing = QFontMetrics(font).lineSpacing();
    QRect line(label.x(), label.y(), label.width(), lineSpacing);
    for (const QString& shown :
         labelLines(text, font, label.width(), label.height() / lineSpacing)) {
        painter->drawText(line, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, shown);
        line.translate(0, lineSpacing);
    }
    painter->restore();
}

QWidget* FilmDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setMaxLength(static_cast<int>(kCustomNameLength));
    editor->setFrame(true);
    return editor;
}

void FilmDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    line->setText(text);
    line->selectAll();
    // Signals are sent from this const override of the view's protocol.
    emit const_cast<FilmDelegate*>(this)->labelEditBegan(index.row(), text);
}

void FilmDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                const QModelIndex& index) const {
    // The dialog decides what the text does to the picture; the model's
    // items are rebuilt from that.
    emit const_cast<FilmDelegate*>(this)->labelEditEnded(index.row(),
                                                         static_cast<QLineEdit*>(editor)->text());
}

void FilmDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const {
    const QRect label = labelRect(option.rect);
    editor->setGeometry(label.x(), label.y(), label.width(), editor->sizeHint().height());
}

}  // namespace lumora
