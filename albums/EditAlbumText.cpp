#include "albums/EditAlbumText.h"

#include "albums/FieldText.h"
#include "filters/CriterionText.h"

namespace lumora {
namespace {

// "None", "1 picture" or "N pictures", with the ending the place needs.
std::string pictureCountText(int count, const char* ending) {
    if (count == 0) return std::string("None") + ending;
    if (count == 1) return std::string("1 picture") + ending;
    return formatText("%d pictures%s", count, ending);
}

}  // namespace

std::string albumHeaderLine(const Album& album, bool editMode, int filmCount, int excludedCount) {
    std::string line = editMode ? formatText("Album %s: ", album.name.c_str()) : "New Album: ";
    if (album.startKey != 0 && album.endKey != 0) {
        const int inAlbum = filmCount - excludedCount;
        if (inAlbum == 1) {
            line += formatText(" %d picture in album.", inAlbum);
        } else if (filmCount == excludedCount) {
            line += "Pictures in album: None.";
        } else {
            line += formatText(" %d pictures in album.", inAlbum);
        }
    } else if (album.startKey == 0 && album.endKey == 0) {
        line += "Start and end date not set";
    } else if (album.startKey == 0) {
        line += "Start date not set";
    } else {
        line += "End date not set";
    }
    return line;
}

std::string albumSizeLine(const Album& album) {
    return formatText("%4.2fMB", static_cast<double>(album.sizeMB));
}

std::string sortLine(const ViewOptions& options, int filmCount) {
    return formatText("Sorted %s by %s. Show %d pic.",
                      options.sortAscending ? "ascendent" : "descendent",
                      options.sortByDate ? "date" : "name", filmCount);
}

std::string overallStatusLine(int albumCount, int picturesInAlbums, int pictureCount) {
    std::string albums;
    if (albumCount == 0) {
        albums = "Albums: none";
    } else if (albumCount == 1) {
        albums = formatText("%d Album containing: ", albumCount);
    } else {
        albums = formatText("Total of %d Albums containing: ", albumCount);
    }
    return formatText("%s %s. Remaining to add: %s from a total of %s ", albums.c_str(),
                      pictureCountText(picturesInAlbums, "").c_str(),
                      pictureCountText(pictureCount - picturesInAlbums, "").c_str(),
                      pictureCountText(pictureCount, ".").c_str());
}

float totalAlbumsSize(const AlbumList& albums) {
    float total = 0.0f;
    for (const Album& album : albums) total += album.sizeMB;
    return total;
}

std::string totalSizeLine(const AlbumList& albums) {
    return formatText("Total albums size: %4.2fMB", static_cast<double>(totalAlbumsSize(albums)));
}

}  // namespace lumora
