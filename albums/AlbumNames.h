#pragma once

#include <string>

#include "albums/Album.h"

namespace lumora {

// The names an album gives to what processing makes under the target, and
// the rule they must satisfy. Save Album and processing apply the same rule,
// so that a name is refused while the album is edited, not after other
// albums were already made.

// Whether the album's pictures go into a folder of its own: not when its
// directory name is the separator alone.
bool hasAlbumFolder(const Album& album);

// The sub-folder made for the album: its name, or "Album.<id>" without one.
std::string albumSubFolderName(const Album& album);

enum class AlbumNameProblem {
    None,
    DirectoryName,  // the albums directory name is no plain folder name
    AlbumName,      // the name makes no plain sub-folder or picture name
};

// Which of the album's names would not make exactly one entry under the
// target: its directory name (unless it is the separator alone), its
// sub-folder name and, where it begins the picture names, its name. A
// session file or a dialog could hold "../x" or a separator.
AlbumNameProblem albumNameProblem(const Album& album);

inline bool albumNamesArePlain(const Album& album) {
    return albumNameProblem(album) == AlbumNameProblem::None;
}

// The message that refuses the name at Save Album.
std::string albumNameRefusal(AlbumNameProblem problem, const std::string& name);

}  // namespace lumora
