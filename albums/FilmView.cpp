#include "albums/FilmView.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "albums/FilmDelegate.h"
#include "imaging/ImageBitmap.h"
#include "res/BitmapIds.h"

namespace lumora {
namespace {

const QColor kFilmBase(28, 27, 26);

}  // namespace

FilmView::FilmView(QWidget* parent) : QListView(parent) {
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    // Every item has the same size, so the view lays out 20,000 items
    // without asking for each one's size.
    setUniformItemSizes(true);
    setGridSize(FilmDelegate::itemSize());
    setSpacing(0);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalScrollBar()->setSingleStep(FilmDelegate::itemSize().height() / 4);
    setFrameShape(QFrame::NoFrame);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, kFilmBase);
    colours.setColor(QPalette::Text, QColor(226, 226, 222));
    setPalette(colours);
    setAutoFillBackground(true);
}

int FilmView::lastSelectedRow() const {
    if (!selectionModel()) return -1;
    int last = -1;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        last = std::max(last, index.row());
    }
    return last;
}

std::vector<int> FilmView::selectedRows() const {
    std::vector<int> rows;
    if (!selectionModel()) return rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void FilmView::selectRow(int row) {
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

bool FilmView::isEditing(const QModelIndex& index) const {
    // Edits always begin on the current item.
    return state() == QAbstractItemView::EditingState && currentIndex() == index;
}

FilmView::Place FilmView::place() const {
    Place where;
    where.selected = lastSelectedRow();
    where.scroll = verticalScrollBar()->value();
    QModelIndex anchor;
    if (where.selected >= 0) {
        anchor = model()->index(where.selected, 0);
        if (!viewport()->rect().intersects(visualRect(anchor))) anchor = QModelIndex();
    }
    if (!anchor.isValid()) anchor = indexAt(QPoint(1, 1));
    if (anchor.isValid()) {
        where.anchor = anchor.row();
        where.anchorTop = visualRect(anchor).top();
    }
    return where;
}

void FilmView::returnTo(const Place& place) {
    doItemsLayout();
    const int rows = model()->rowCount();
    if (place.selected >= 0 && place.selected < rows) {
        selectionModel()->setCurrentIndex(model()->index(place.selected, 0),
                                          QItemSelectionModel::ClearAndSelect);
    }
    int value = place.scroll;
    if (place.anchor >= 0 && place.anchor < rows) {
        value = verticalScrollBar()->value() + visualRect(model()->index(place.anchor, 0)).top() -
                place.anchorTop;
    }
    verticalScrollBar()->setValue(value);
}

void FilmView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) emit rightDoubleClicked(index);
        return;
    }
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::AltModifier)) {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid()) emit viewerAsked(index);
        return;
    }
    QListView::mouseDoubleClickEvent(event);
}

void FilmView::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && state() != QAbstractItemView::EditingState) {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                // Taken here, so that the dialog's default button is not pressed.
                if (currentIndex().isValid()) emit viewerAsked(currentIndex());
                event->accept();
                return;
            case Qt::Key_Space:
                emit toggleAsked();
                event->accept();
                return;
            default:
                break;
        }
    }
    QListView::keyPressEvent(event);
}

PerforationStrip::PerforationStrip(QWidget* parent) : QWidget(parent) {
    Image bitmap;
    if (bitmap.LoadResource(res::kBitmapFilmPerforation)) {
        strip_ = QPixmap::fromImage(makeBitmap(bitmap));
    }
    setFixedWidth(strip_.isNull() ? 24 : strip_.width());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

QSize PerforationStrip::sizeHint() const {
    return QSize(width(), 200);
}

void PerforationStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kFilmBase);
    if (strip_.isNull()) return;
    for (int y = 0; y < height(); y += strip_.height()) painter.drawPixmap(0, y, strip_);
}

}  // namespace lumora
