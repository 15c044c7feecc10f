#pragma once

#include <QListView>
#include <QPixmap>
#include <QWidget>
#include <vector>

namespace lumora {

// The film: an icon-mode list of equal items that wrap into rows and scroll
// down the strip. A left double-click is reported by doubleClicked, a right
// double-click by rightDoubleClicked, and a left double-click with Alt held
// (for a mouse or touchpad without a right button) by viewerAsked, as is
// Enter; Space asks to leave out or take in the selected pictures
// (toggleAsked). Labels are edited by a click on a selected item or F2, and
// while one is edited its editor has every key.
class FilmView : public QListView {
    Q_OBJECT

  public:
    explicit FilmView(QWidget* parent = nullptr);

    // The last selected item, searched from the top as the film's commands
    // find it; -1 when none is selected.
    int lastSelectedRow() const;
    // Every selected item, from the top.
    std::vector<int> selectedRows() const;
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
    void viewerAsked(const QModelIndex& index);
    void toggleAsked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
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
