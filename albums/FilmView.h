#pragma once

#include <QListView>
#include <QPixmap>
#include <QWidget>

namespace lumora {

// The film: an icon-mode list of equal items that wrap into rows and scroll
// down the strip. A left double-click is reported by doubleClicked, a right
// double-click by rightDoubleClicked; labels are edited by a click on a
// selected item or F2.
class FilmView : public QListView {
    Q_OBJECT

  public:
    explicit FilmView(QWidget* parent = nullptr);

    // The last selected item, searched from the top as the film's commands
    // find it; -1 when none is selected.
    int lastSelectedRow() const;
    // Selects exactly this item and makes it current and visible.
    void selectRow(int row);
    // Whether the item's label is being edited.
    bool isEditing(const QModelIndex& index) const;

    // Where the film is looked at: the selected item, and an item in view
    // (the selected one when it shows, else the top one) with its distance
    // from the top of the view.
    struct Place {
        int selected = -1;
        int anchor = -1;
        int anchorTop = 0;
        int scroll = 0;
    };
    Place place() const;
    // After the items were re-created: selects the item again and scrolls so
    // that the anchor stands where it stood (rows of the new items; -1 when
    // the picture left the film).
    void returnTo(const Place& place);

  signals:
    void rightDoubleClicked(const QModelIndex& index);

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A film's perforation strip beside the film, its bitmap repeated down the
// whole height.
class PerforationStrip : public QWidget {
  public:
    explicit PerforationStrip(QWidget* parent = nullptr);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QPixmap strip_;
};

}  // namespace lumora
