#include "albums/ViewOptions.h"

#include "albums/PictureSort.h"

namespace lumora {

void sortForFilm(PictureList& pictures, const ViewOptions& options) {
    sortPictures(pictures, options.sortByDate ? kSortByDate : kSortByName,
                 options.sortAscending == 0);
}

}  // namespace lumora
