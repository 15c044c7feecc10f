#pragma once

#include <string>

#include "catalog/PictureEntry.h"
#include "imaging/Image.h"
#include "platform/FileSystem.h"

namespace lumora {

// The picture the duplicates dialog shows for a line of its list: the file at
// that path, decoded no larger than the 160 x 120 area needs, and upright as
// the listed picture's EXIF orientation says (one shown on its side fitted
// into the area as the film fits it). Invalid for a line that is no readable
// picture, such as a group's header.
Image duplicateThumbnail(FileSystem& fileSystem, const PictureList& pictures,
                         const std::string& line);

}  // namespace lumora
