#pragma once

#include <QImage>
#include <QStyledItemDelegate>
#include <vector>

namespace lumora {

// Paints one film item, its thumbnail straight from the film image list and
// its label beneath, and edits the picture's name in place.
class FilmDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    FilmDelegate(const std::vector<QImage>& filmImages, QObject* parent = nullptr);

    // The room every item takes in the film.
    static QSize itemSize();
    // The room and the font of a label beneath its thumbnail.
    static QSize labelSize();
    static QFont labelFont(const QFont& viewFont);
    // A label as it is drawn in that room: the name and date wrapped, the
    // camera on the last line, each line shortened with "..." where it does
    // not fit, and no more lines than maxLines (-1: as many as the room
    // holds). The item's tooltip holds the whole label.
    static QStringList labelLines(const QString& label, const QFont& font, int width,
                                  int maxLines = -1);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

  signals:
    // A label edit began with this text in the edit box.
    void labelEditBegan(int row, const QString& text);
    // A label edit ended with this text (not sent when it was abandoned).
    void labelEditEnded(int row, const QString& text);

  private:
    const std::vector<QImage>& filmImages_;
};

}  // namespace lumora
