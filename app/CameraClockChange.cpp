#include "app/CameraClockChange.h"

#include <algorithm>
#include <map>

#include "albums/PictureSort.h"
#include "filters/CriterionText.h"

namespace lumora {
namespace {

// The earliest and latest corrected time of an album's pictures that fall
// outside its range.
struct Overhang {
    uint64_t earliest = UINT64_MAX;
    uint64_t latest = 0;
    int count = 0;
};

bool rangeChecked(const Album& album) {
    return album.hasRange() && album.processed == 0;
}

// Album id -> its pictures outside its range under the corrections. A range
// saved from a film sorted descending has its start after its end: the
// range is what lies between the two.
std::map<int32_t, Overhang> overhangs(const PictureList& pictures, const AlbumList& albums,
                                      const CameraClocks& clocks) {
    PictureList corrected = pictures;
    applyCameraClocks(clocks, corrected);
    std::map<int32_t, Overhang> result;
    for (const Album& album : albums) {
        if (!rangeChecked(album)) continue;
        const uint64_t low = std::min(album.startKey, album.endKey);
        const uint64_t high = std::max(album.startKey, album.endKey);
        for (const PictureEntry& picture : corrected) {
            if (picture.albumId != album.id) continue;
            if (picture.dateTime >= low && picture.dateTime <= high) continue;
            Overhang& overhang = result[album.id];
            overhang.earliest = std::min(overhang.earliest, picture.dateTime);
            overhang.latest = std::max(overhang.latest, picture.dateTime);
            ++overhang.count;
        }
    }
    return result;
}

void widen(Album& album, const Overhang& overhang) {
    const bool descending = album.startKey > album.endKey;
    const uint64_t low = std::min({album.startKey, album.endKey, overhang.earliest});
    const uint64_t high = std::max({album.startKey, album.endKey, overhang.latest});
    album.startKey = album.startTime = descending ? high : low;
    album.endKey = album.endTime = descending ? low : high;
}

}  // namespace

int picturesLeavingAlbums(const PictureList& pictures, const AlbumList& albums,
                          const CameraClocks& clocks) {
    int count = 0;
    for (const auto& [id, overhang] : overhangs(pictures, albums, clocks)) count += overhang.count;
    return count;
}

std::string picturesLeavingQuestion(int count) {
    if (count == 1) {
        return "1 picture of a saved album would leave its album's time range with the new camera "
               "clock. Widen the album's range so that it keeps the picture?";
    }
    return formatText(
        "%d pictures of saved albums would leave their albums' time ranges with the "
        "new camera clocks. Widen the albums' ranges so that they keep them?",
        count);
}

bool changeCameraClocks(Workspace& workspace, const CameraClocks& clocks, Prompter& prompter) {
    const std::map<int32_t, Overhang> leaving =
        overhangs(workspace.pictures(), workspace.albums, clocks);
    int count = 0;
    for (const auto& [id, overhang] : leaving) count += overhang.count;
    if (count > 0 && prompter.ask(picturesLeavingQuestion(count), kCameraClocksCaption,
                                  Buttons::YesNo, Icon::Question) != kAnswerYes) {
        return false;
    }
    for (Album& album : workspace.albums) {
        const auto found = leaving.find(album.id);
        if (found != leaving.end()) widen(album, found->second);
    }
    workspace.clocks = clocks;
    applyCameraClocks(clocks, workspace.pictures());
    applyCameraClocks(clocks, workspace.removedPictures);
    sortPictures(workspace.pictures(), kSortByDate, false);
    return true;
}

}  // namespace lumora
