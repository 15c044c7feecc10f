#pragma once

#include "catalog/PictureEntry.h"

namespace lumora {

// The numbering the first film build after a scan gives: each picture's
// thumbnailIndex becomes its position in the list, and a pictureId still -1
// takes that position too and keeps it from then on. The command line, which
// never builds a film, runs the same step so pictures get the same ids.
void assignPictureIds(PictureList& pictures);

}  // namespace lumora
