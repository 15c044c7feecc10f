#pragma once

#include <string>

#include "albums/Album.h"
#include "albums/AlbumList.h"
#include "albums/ViewOptions.h"

namespace lumora {

// The texts of the Edit Album dialog.

// A start or end label while that end of the range is not set.
inline constexpr const char* kNotSet = "Not Set";
// The path box while no film picture is selected.
inline constexpr const char* kPictureNotSelected = "Picture not selected";
// The dialog's result after Discard.
inline constexpr int kDiscardResult = 8;

// The status lines.

// "Album NAME: " in edit mode, "New Album: " otherwise, then the number of
// pictures in the album (film pictures less excluded ones) when both dates are
// set, else which dates are missing.
std::string albumHeaderLine(const Album& album, bool editMode, int filmCount, int excludedCount);

// The album size, "%4.2fMB".
std::string albumSizeLine(const Album& album);

std::string sortLine(const ViewOptions& options, int filmCount);

// The albums, the pictures in them, the pictures still to add and the list size.
std::string overallStatusLine(int albumCount, int picturesInAlbums, int pictureCount);

// The sum of all albums' sizes, added up in 32-bit floats.
float totalAlbumsSize(const AlbumList& albums);
std::string totalSizeLine(const AlbumList& albums);

}  // namespace lumora
