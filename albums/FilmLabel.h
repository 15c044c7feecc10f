#pragma once

#include <string>

#include "catalog/PictureEntry.h"
#include "platform/Time.h"

namespace lumora {

// The file name without its extension: what follows the last separator, up to
// the first full stop after it.
std::string fileTitle(const std::string& path);

// The name part of a film label: "position.name", the custom name when the
// picture has one.
std::string filmLabelName(int position, const PictureEntry& picture);

// The camera part of a film label, "make/model", without the spaces
// cameras pad them with.
std::string filmLabelCamera(const PictureEntry& picture);

// The time part of a film label: the time text, marked "~" when the
// picture's camera clock was corrected (the mark never reaches a file name).
std::string filmLabelTime(const PictureEntry& picture, int timeFormat);

// The whole film label of the picture at the 1-based position: name, then the
// date and time (starred when the date came from the file time), then a line
// break and the camera make and model.
std::string filmLabel(int position, const PictureEntry& picture, int dateFormat, int timeFormat);

}  // namespace lumora
