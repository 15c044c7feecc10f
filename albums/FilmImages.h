#pragma once

#include <QImage>
#include <optional>
#include <vector>

#include "albums/FilmBuilder.h"
#include "imaging/Image.h"

namespace lumora {

// A film thumbnail as the window keeps it: 24 bits a pixel in the picture's
// own blue-green-red order, so that each 160 x 120 thumbnail takes 57,600
// bytes, held once, in the film image list.
QImage thumbnailBitmap(const Image& thumbnail);

// Whether a film bitmap shows its picture as a negative, kept with the
// bitmap for as long as the film image list lives; absent for a bitmap made
// elsewhere without saying.
void setShownNegative(QImage& bitmap, bool negative);
std::optional<bool> shownNegative(const QImage& bitmap);

// The film image list of the main window, filled by the film's thumbnail
// routines. Each bitmap put in is noted with the polarity last given to
// showNegative, so that the film can tell which thumbnails no longer match
// their pictures' marks.
class WindowFilmImages : public FilmImageList {
  public:
    explicit WindowFilmImages(std::vector<QImage>& images) : images_(images) {}

    void showNegative(bool negative) { negative_ = negative; }
    void clear() override;
    void reserve(size_t count) override { images_.reserve(count); }
    void append(const Image& thumbnail) override;
    void replace(int32_t index, const Image& thumbnail) override;

  private:
    std::vector<QImage>& images_;
    bool negative_ = false;
};

}  // namespace lumora
