#include "albums/AlbumEdit.h"

#include "albums/AlbumNames.h"
#include "filters/CriterionText.h"

namespace lumora {

std::string defaultAlbumName(const Album& album) {
    return formatText("Album %d", album.id);
}

std::optional<std::string> saveRefusal(const Album& candidate, const FilmCounts& counts,
                                       bool startSet, bool endSet, bool checkDates) {
    if (counts.albumEmpty()) {
        return "Album empty. Album will not be saved. Select 'Discard' to exit";
    }
    if (checkDates) {
        if (!startSet && !endSet) {
            return "Start or end date not set. Album will not be saved. Select 'Discard' to exit";
        }
        if (!startSet) {
            return "Start date not set. Album will not be saved. Select 'Discard' to exit";
        }
        if (!endSet) {
            return "End date not set. Album will not be saved. Select 'Discard' to exit";
        }
    }
    const AlbumNameProblem problem = albumNameProblem(candidate);
    if (problem == AlbumNameProblem::DirectoryName) {
        return albumNameRefusal(problem, candidate.directoryName);
    }
    if (problem == AlbumNameProblem::AlbumName) return albumNameRefusal(problem, candidate.name);
    return std::nullopt;
}

bool albumEdited(const Album& opened, const Album& now) {
    return opened.directoryName != now.directoryName || opened.name != now.name ||
           opened.createSubDirectory != now.createSubDirectory ||
           opened.keepOriginalName != now.keepOriginalName || opened.addDate != now.addDate ||
           opened.addTime != now.addTime || opened.addCameraModel != now.addCameraModel ||
           opened.startKey != now.startKey || opened.endKey != now.endKey ||
           !(opened.filter == now.filter);
}

}  // namespace lumora
