#include "albums/AlbumNames.h"

#include "filters/CriterionText.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"

namespace lumora {

// A folder name that is one separator marks an album without a folder of its
// own. On Windows "/" counts as well as "\\" (sessions saved elsewhere hold it).
bool hasAlbumFolder(const Album& album) {
    return album.directoryName.size() != 1 || !isPathSeparator(album.directoryName[0]);
}

std::string albumSubFolderName(const Album& album) {
    return album.name.empty() ? "Album." + std::to_string(album.id) : album.name;
}

AlbumNameProblem albumNameProblem(const Album& album) {
    if (hasAlbumFolder(album) && !isPlainFileName(album.directoryName)) {
        return AlbumNameProblem::DirectoryName;
    }
    if (album.createSubDirectory && !isPlainFileName(albumSubFolderName(album))) {
        return AlbumNameProblem::AlbumName;
    }
    // The name as the picture names begin with it ("%s-%d").
    if (!album.keepOriginalName && !album.name.empty() && !isPlainFileName(album.name + "-1.jpg")) {
        return AlbumNameProblem::AlbumName;
    }
    return AlbumNameProblem::None;
}

std::string albumNameRefusal(AlbumNameProblem problem, const std::string& name) {
    switch (problem) {
        case AlbumNameProblem::DirectoryName:
            return formatText(
                "Albums directory name \"%s\" cannot be a folder name. Please choose another "
                "name.",
                name.c_str());
        case AlbumNameProblem::AlbumName:
            return formatText(
                "Album name \"%s\" cannot be a folder or file name. Please choose another name.",
                name.c_str());
        case AlbumNameProblem::None:
            break;
    }
    return std::string();
}

}  // namespace lumora
