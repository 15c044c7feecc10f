#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>

#include "imaging/Image.h"

namespace lumora {

// The picture as a bitmap the window can paint: a deep copy, upright, in
// 32-bit RGB whatever the picture's depth. A null QImage for an invalid
// picture.
QImage makeBitmap(const Image& image);

// Paints the bitmap into the target rectangle: one to one at its own size,
// otherwise scaled by nearest pixel, each target pixel taking the source
// pixel at the floor of its scaled coordinates. Nothing is painted for a
// null bitmap or an empty target.
void draw(QPainter& painter, const QImage& bitmap, const QRect& target);

}  // namespace lumora
