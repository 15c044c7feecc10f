#pragma once

#include "imaging/Image.h"

namespace lumora {

// The orientation a camera records with a picture (EXIF tag 0x0112): how the
// stored rows and columns lie against the scene. 1 is upright as stored;
// 2 mirrored left to right; 3 turned half round; 4 mirrored top to bottom;
// 5 mirrored along the main diagonal; 6 stored a quarter turn anticlockwise
// (shown turned a quarter clockwise); 7 mirrored along the other diagonal;
// 8 stored a quarter turn clockwise. Any other value (0 = not recorded) means
// the picture is shown as stored.

// Whether showing the picture upright exchanges its width and height (5..8).
bool orientationSwapsSides(int orientation);

// Turns and mirrors a decoded picture (8 or 24 bits, with its alpha and
// selection when present) so that it shows upright. The file the picture
// came from is never touched. False, with the picture unchanged, only for an
// invalid picture.
bool turnUpright(Image& image, int orientation);

}  // namespace lumora
