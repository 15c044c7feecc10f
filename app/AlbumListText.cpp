#include "app/AlbumListText.h"

#include "filters/CriterionText.h"

namespace lumora {

std::vector<std::string> albumListLines(const AlbumList& albums) {
    std::vector<std::string> lines;
    lines.reserve(albums.size());
    int number = 1;
    for (const Album& album : albums) {
        lines.push_back(formatText("%d. %s", number++, album.name.c_str()));
    }
    return lines;
}

std::string albumSummaryText(const AlbumList& albums, int pictureCount) {
    if (albums.empty()) return "Albums created: None";
    int inAlbums = 0;
    float size = 0.0f;
    for (const Album& album : albums) {
        inAlbums += album.pictureCount;
        size += album.sizeMB;
    }
    const int count = static_cast<int>(albums.size());
    std::string text = formatText("%d %s created.", count, count == 1 ? "album" : "albums");
    if (inAlbums == pictureCount) {
        text += formatText(" Pictures in albums %d of %d. All pictures are in albums. Size %4.2fMB",
                           inAlbums, pictureCount, static_cast<double>(size));
    } else {
        text += formatText(" Pictures in albums %d of %d. Still to add %d. Size %4.2fMB", inAlbums,
                           pictureCount, pictureCount - inAlbums, static_cast<double>(size));
    }
    return text;
}

}  // namespace lumora
