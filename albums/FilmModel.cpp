#include "albums/FilmModel.h"

#include "albums/FieldText.h"
#include "albums/FilmLabel.h"
#include "catalog/CompanionNames.h"
#include "platform/QtText.h"

namespace lumora {

FilmModel::FilmModel(const FilmList& film, LabelMaker label, QObject* parent)
    : QAbstractListModel(parent), film_(film), label_(std::move(label)) {}

void FilmModel::deleteItems() {
    beginResetModel();
    rows_ = 0;
    itemTexts_.clear();
    endResetModel();
}

void FilmModel::createItems() {
    beginResetModel();
    rows_ = static_cast<int>(film_.size());
    itemTexts_.clear();
    endResetModel();
}

void FilmModel::setItemText(int row, const std::string& text) {
    if (!holds(row)) return;
    itemTexts_[row] = text;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}

void FilmModel::refreshItems() {
    if (rows_ > 0) emit dataChanged(index(0), index(rows_ - 1));
}

bool FilmModel::holds(int row) const {
    // The film list can be recomputed between two re-creations of the items.
    return row >= 0 && row < rows_ && static_cast<size_t>(row) < film_.size();
}

std::string FilmModel::itemText(int row) const {
    auto it = itemTexts_.find(row);
    return it != itemTexts_.end() ? it->second : label_(row);
}

int FilmModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant FilmModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    if (!index.isValid() || !holds(row)) return QVariant();
    const PictureEntry& picture = film_[static_cast<size_t>(row)];
    switch (role) {
        case Qt::DisplayRole:
            return toQString(itemText(row));
        case LabelDetailRole: {
            const std::string text = itemText(row);
            const std::string name = filmLabelName(row + 1, picture) + ".";
            return toQString(text.rfind(name, 0) == 0 ? text.substr(name.size()) : text);
        }
        case ExcludedRole:
            return picture.isNegative != 0;
        case Qt::EditRole: {
            // The editor holds the picture's name alone: the position, date
            // and camera parts of the label are not part of it.
            const bool custom = picture.exif && picture.exif->hasCustomName;
            return toQString(custom ? fieldText(picture.exif->customName)
                                    : fileTitle(picture.path));
        }
        case Qt::ToolTipRole:
            // The whole label, however the film shortens it, and the file.
            return toQString(itemText(row)) + u'\n' + pathToQString(picture.path);
        case ThumbnailIndexRole:
            return picture.exif ? picture.exif->thumbnailIndex : -1;
        case RawCompanionRole:
            return hasRawCompanion(picture.companions);
        default:
            return QVariant();
    }
}

Qt::ItemFlags FilmModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

}  // namespace lumora
