#pragma once

#include <functional>
#include <vector>

#include "albums/AlbumList.h"
#include "albums/EditState.h"
#include "albums/FilmSelection.h"
#include "filters/FilterPanel.h"

namespace lumora {

// The Advanced Filter window's view of the album being edited: its filter,
// the film the value lists are built from, and the film rebuild it asks for.
class FilmFilterHost : public FilterPanelHost {
  public:
    FilmFilterHost(AlbumList& albums, const EditState& edit, const FilmList& film,
                   std::function<void()> rebuild);

    FilterSettings* filterSettings() override;
    void rebuildFilm() override;
    std::vector<const ExifInfo*> filmPictures() override;

  private:
    AlbumList& albums_;
    const EditState& edit_;
    const FilmList& film_;
    std::function<void()> rebuild_;
};

// The film's pictures from the first one that belongs to the album on, in
// film order; the whole film when none belongs to it yet (no range is set).
std::vector<const ExifInfo*> filterWalk(const FilmList& film, int32_t albumId);

}  // namespace lumora
