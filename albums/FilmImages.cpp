#include "albums/FilmImages.h"

#include <cstring>

#include "imaging/ImageBitmap.h"

namespace lumora {

QImage thumbnailBitmap(const Image& thumbnail) {
    if (!thumbnail.IsValid()) return QImage();
    if (thumbnail.GetBpp() != 24) {
        // Grey pictures go through their palette.
        return makeBitmap(thumbnail).convertToFormat(QImage::Format_BGR888);
    }
    const int width = thumbnail.GetWidth();
    const int height = thumbnail.GetHeight();
    QImage bitmap(width, height, QImage::Format_BGR888);
    if (bitmap.isNull()) return QImage();
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        // The picture's rows are stored bottom-up.
        std::memcpy(bitmap.scanLine(y), thumbnail.GetBits(height - 1 - y), rowBytes);
    }
    return bitmap;
}

namespace {

const QString kNegativeKey = QStringLiteral("negative");

}  // namespace

void setShownNegative(QImage& bitmap, bool negative) {
    if (!bitmap.isNull()) bitmap.setText(kNegativeKey, negative ? "1" : "0");
}

std::optional<bool> shownNegative(const QImage& bitmap) {
    const QString shown = bitmap.text(kNegativeKey);
    if (shown.isEmpty()) return std::nullopt;
    return shown == u"1";
}

void WindowFilmImages::append(const Image& thumbnail) {
    images_.push_back(thumbnailBitmap(thumbnail));
    setShownNegative(images_.back(), negative_);
}

void WindowFilmImages::clear() {
    // Gives the memory back: a new scan may list far fewer pictures.
    std::vector<QImage>().swap(images_);
}

void WindowFilmImages::replace(int32_t index, const Image& thumbnail) {
    if (index < 0 || static_cast<size_t>(index) >= images_.size()) return;
    images_[static_cast<size_t>(index)] = thumbnailBitmap(thumbnail);
    setShownNegative(images_[static_cast<size_t>(index)], negative_);
}

}  // namespace lumora
