#include "app/ClockStrip.h"

#include <QAbstractListModel>
#include <map>

#include "albums/DateTimeText.h"
#include "albums/FilmLabel.h"
#include "albums/Thumbnail.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtText.h"

namespace lumora {
namespace {

constexpr int kStripThumbnailWidth = 80;
constexpr int kStripThumbnailHeight = 60;

}  // namespace

QImage madeThumbnail(FileSystem& fileSystem, const PictureEntry& picture) {
    ThumbnailOptions options;
    options.upright = true;
    Image thumbnail;
    if (makeThumbnail(fileSystem, picture, options, nullProgress(), thumbnail) !=
        ThumbnailResult::Made) {
        return QImage();
    }
    return makeBitmap(thumbnail);
}

class ClockStripModel : public QAbstractListModel {
  public:
    ClockStripModel(ThumbnailSource thumbnails, int dateFormat, int timeFormat, QObject* parent)
        : QAbstractListModel(parent),
          thumbnails_(std::move(thumbnails)),
          dateFormat_(dateFormat),
          timeFormat_(timeFormat) {}

    void setPictures(const PictureList& pictures) {
        beginResetModel();
        pictures_ = pictures;
        cache_.clear();
        endResetModel();
    }
    const PictureList& pictures() const { return pictures_; }

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(pictures_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount(QModelIndex())) return QVariant();
        const PictureEntry& picture = pictures_[static_cast<size_t>(index.row())];
        if (role == Qt::DisplayRole) {
            return toQString(fileTitle(picture.path) + "\n" +
                             dateText(picture.dateTime, dateFormat_) + "\n" +
                             filmLabelTime(picture, timeFormat_));
        }
        if (role == Qt::ToolTipRole) return pathToQString(picture.path);
        if (role == Qt::DecorationRole) return thumbnail(index.row());
        return QVariant();
    }

  private:
    QImage thumbnail(int row) const {
        const auto found = cache_.find(row);
        if (found != cache_.end()) return found->second;
        QImage image = thumbnails_ ? thumbnails_(pictures_[static_cast<size_t>(row)]) : QImage();
        if (!image.isNull()) {
            image = image.scaled(kStripThumbnailWidth, kStripThumbnailHeight, Qt::IgnoreAspectRatio,
                                 Qt::SmoothTransformation);
        }
        cache_[row] = image;
        return image;
    }

    ThumbnailSource thumbnails_;
    int dateFormat_;
    int timeFormat_;
    PictureList pictures_;
    mutable std::map<int, QImage> cache_;
};

ClockStrip::ClockStrip(ThumbnailSource thumbnails, int dateFormat, int timeFormat, QWidget* parent)
    : QListView(parent),
      model_(new ClockStripModel(std::move(thumbnails), dateFormat, timeFormat, this)) {
    setModel(model_);
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setIconSize(QSize(kStripThumbnailWidth, kStripThumbnailHeight));
    setGridSize(QSize(kStripThumbnailWidth + 40, kStripThumbnailHeight + 56));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setMinimumHeight(kStripThumbnailHeight + 80);
    setMaximumHeight(kStripThumbnailHeight + 80);
}

void ClockStrip::setPictures(const PictureList& pictures) {
    model_->setPictures(pictures);
}

const PictureEntry* ClockStrip::chosen() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isSelected(current)) return nullptr;
    return &model_->pictures()[static_cast<size_t>(current.row())];
}

void ClockStrip::choose(int row) {
    setCurrentIndex(model_->index(row));
}

}  // namespace lumora
