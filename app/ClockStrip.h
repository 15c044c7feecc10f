#pragma once

#include <QImage>
#include <QListView>
#include <functional>

#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"

namespace lumora {

// The 160 x 120 film thumbnail of a picture; a null image when none can be
// made (the strip then shows the picture's label alone).
using ThumbnailSource = std::function<QImage(const PictureEntry&)>;

// The film thumbnail of a picture made from its file (upright, positive).
QImage madeThumbnail(FileSystem& fileSystem, const PictureEntry& picture);

class ClockStripModel;

// A small film strip of one camera's pictures for matching clocks: a row of
// half-size thumbnails, each labelled with the file name and the picture's
// time. Thumbnails are made only for what comes into view.
class ClockStrip : public QListView {
  public:
    ClockStrip(ThumbnailSource thumbnails, int dateFormat, int timeFormat,
               QWidget* parent = nullptr);

    void setPictures(const PictureList& pictures);
    // The picture chosen, or null when none is.
    const PictureEntry* chosen() const;
    void choose(int row);

  private:
    ClockStripModel* model_;
};

}  // namespace lumora
