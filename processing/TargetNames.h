#pragma once

#include <string>
#include <vector>

#include "albums/Album.h"
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

// Whether the album's names make only plain names under the target: its
// directory name (unless it is the separator alone), its sub-folder name and,
// where it begins the picture names, its name. A session file or a dialog
// could hold "../x" or a separator; such an album is refused before anything
// is made for it.
bool albumNamesArePlain(const Album& album);

// The folder that receives the album's pictures.
std::string albumTargetFolder(const Album& album, const std::string& targetDirectory);

// The new name of one picture of the album, ".jpg" included: the name by
// the first rule that applies (custom name, original name, album name,
// album id), then the date, the time and " [camera model]" as chosen.
std::string targetFileName(const Album& album, const PictureEntry& picture, int dateFormat,
                           int timeFormat, const Clock& clock);

}  // namespace lumora
