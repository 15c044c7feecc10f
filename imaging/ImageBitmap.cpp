#include "imaging/ImageBitmap.h"

#include <vector>

namespace lumora {

QImage makeBitmap(const Image& image) {
    if (!image.IsValid()) return QImage();
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const int bits = image.GetBpp();
    if (width <= 0 || height <= 0 || (bits != 8 && bits != 24)) return QImage();

    std::vector<QRgb> palette;
    if (bits == 8) {
        const RgbQuad* entries = image.GetPalette();
        const uint32_t count = image.GetNumColors() == 0 ? 256 : image.GetNumColors();
        palette.assign(256, qRgb(0, 0, 0));
        for (uint32_t i = 0; i < count && i < 256 && entries != nullptr; ++i) {
            palette[i] = qRgb(entries[i].rgbRed, entries[i].rgbGreen, entries[i].rgbBlue);
        }
    }

    QImage bitmap(width, height, QImage::Format_RGB32);
    if (bitmap.isNull()) return QImage();
    for (int y = 0; y < height; ++y) {
        // The picture's rows are stored bottom-up.
        const uint8_t* row = image.GetBits(height - 1 - y);
        auto* out = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        if (bits == 24) {
            for (int x = 0; x < width; ++x, row += 3) out[x] = qRgb(row[2], row[1], row[0]);
        } else {
            for (int x = 0; x < width; ++x) out[x] = palette[row[x]];
        }
    }
    return bitmap;
}

void draw(QPainter& painter, const QImage& bitmap, const QRect& target) {
    if (bitmap.isNull() || target.width() <= 0 || target.height() <= 0) return;
    if (target.size() == bitmap.size()) {
        painter.drawImage(target.topLeft(), bitmap);
        return;
    }
    const QImage source = bitmap.convertToFormat(QImage::Format_RGB32);
    const int64_t sourceWidth = source.width();
    const int64_t sourceHeight = source.height();
    std::vector<int> columns(static_cast<size_t>(target.width()));
    for (int x = 0; x < target.width(); ++x) {
        columns[static_cast<size_t>(x)] = static_cast<int>(x * sourceWidth / target.width());
    }
    QImage scaled(target.size(), QImage::Format_RGB32);
    if (scaled.isNull()) return;
    for (int y = 0; y < target.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(
            source.constScanLine(static_cast<int>(y * sourceHeight / target.height())));
        auto* out = reinterpret_cast<QRgb*>(scaled.scanLine(y));
        for (int x = 0; x < target.width(); ++x) out[x] = in[columns[static_cast<size_t>(x)]];
    }
    painter.drawImage(target.topLeft(), scaled);
}

}  // namespace lumora
