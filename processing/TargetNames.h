#pragma once

#include <string>
#include <vector>

#include "albums/Album.h"
#include "albums/AlbumNames.h"
#include "albums/FilmLabel.h"
#include "catalog/PictureEntry.h"
#include "platform/Time.h"

namespace lumora {

// fileTitle (the source file's name after its folder, up to the first "."
// in it) is the film label's: one definition for the film and the new names.

// The folders an album's pictures go into, outermost first: the album folder
// (unless the directory name is the separator alone) and then the sub-folder.
// Empty when the pictures go straight into the target directory.
std::vector<std::string> albumFolders(const Album& album, const std::string& targetDirectory);

// The folder that receives the album's pictures.
std::string albumTargetFolder(const Album& album, const std::string& targetDirectory);

// The new name of one picture of the album, ".jpg" included: the name by
// the first rule that applies (custom name, original name, album name,
// album id), then the date, the time and " [camera model]" as chosen.
std::string targetFileName(const Album& album, const PictureEntry& picture, int dateFormat,
                           int timeFormat);

}  // namespace lumora
