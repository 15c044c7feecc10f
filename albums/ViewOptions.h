#pragma once

#include <cstdint>

#include "catalog/PictureEntry.h"

namespace lumora {

// The film's order, program-wide; the view options dialog changes it.
struct ViewOptions {
    int32_t sortByDate = 1;     // 1 by date, 0 by name
    int32_t sortAscending = 1;  // 1 ascending, 0 descending
    // Set by any change in the view options dialog, cleared when it opens.
    int32_t viewOptionsChanged = 0;

    bool operator==(const ViewOptions&) const = default;
};

// Sorts the picture list into the film's order.
void sortForFilm(PictureList& pictures, const ViewOptions& options);

}  // namespace lumora
