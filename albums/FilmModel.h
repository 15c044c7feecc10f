#pragma once

#include <QAbstractListModel>
#include <functional>
#include <string>
#include <unordered_map>

#include "albums/FilmSelection.h"

namespace lumora {

// The film's list-view items over the film list: one item per film picture,
// its label made when the view asks for it and its thumbnail named by index
// into the film image list, so that nothing is held twice and only visible
// items cost anything. The items are re-created, never edited one by one,
// except for the text a finished label edit gives.
class FilmModel : public QAbstractListModel {
    Q_OBJECT

  public:
    enum Role {
        ThumbnailIndexRole = Qt::UserRole + 1,  // int, into the film image list
        ExcludedRole,                           // bool: shown as a negative, out of the album
        // The label after its name part: what stays in view below the edit
        // box while the name is edited.
        LabelDetailRole,
        RawCompanionRole,  // bool: a RAW file of the picture's name lies beside it
    };
    // The label of the film picture at a 0-based position.
    using LabelMaker = std::function<std::string(int position)>;

    FilmModel(const FilmList& film, LabelMaker label, QObject* parent = nullptr);

    // Deletes every item.
    void deleteItems();
    // One item for every picture of the film list.
    void createItems();
    // The item's text from now until the items are re-created.
    void setItemText(int row, const std::string& text);
    // Every item shows its picture again (a thumbnail was re-made).
    void refreshItems();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    bool holds(int row) const;
    std::string itemText(int row) const;

    const FilmList& film_;
    LabelMaker label_;
    int rows_ = 0;
    std::unordered_map<int, std::string> itemTexts_;
};

}  // namespace lumora
