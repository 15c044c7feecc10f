#pragma once

#include <QImage>
#include <vector>

#include "albums/FilmBuilder.h"
#include "imaging/Image.h"

namespace lumora {

// A film thumbnail as the window keeps it: 24 bits a pixel in the picture's
// own blue-green-red order, so that each 160 x 120 thumbnail takes 57,600
// bytes, held once, in the film image list.
QImage thumbnailBitmap(const Image& thumbnail);

// The film image list of the main window, filled by the film's thumbnail
// routines.
class WindowFilmImages : public FilmImageList {
  public:
    explicit WindowFilmImages(std::vector<QImage>& images) : images_(images) {}

    void clear() override;
    void reserve(size_t count) override { images_.reserve(count); }
    void append(const Image& thumbnail) override { images_.push_back(thumbnailBitmap(thumbnail)); }
    void replace(int32_t index, const Image& thumbnail) override;

  private:
    std::vector<QImage>& images_;
};

}  // namespace lumora
