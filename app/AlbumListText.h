#pragma once

#include <string>
#include <vector>

#include "albums/AlbumList.h"

namespace lumora {

// The main window's album list: "1. name", "2. name", ...
std::vector<std::string> albumListLines(const AlbumList& albums);

// The one-line summary under the album list, with the pictures in albums
// counted against the picture list and the sizes summed in 32-bit floats.
std::string albumSummaryText(const AlbumList& albums, int pictureCount);

}  // namespace lumora
