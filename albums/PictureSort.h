#pragma once

#include "catalog/PictureEntry.h"

namespace lumora {

enum SortKey : int {
    kSortByName = 1,  // path, ignoring ASCII letter case, separators read as '\\'
    kSortByDate = 2,  // dateTime
    kSortBySize = 3,  // fileSize
};

// Reorders the list in place. Pictures with equal sort values are ordered by
// their paths' bytes (separators read as '\\'), so every order is
// reproducible: the session file lays the stored per-picture state over the
// pictures in date order, and burst shots taken in the same second must not
// swap. A key other than the three leaves the list as it is. Always succeeds.
bool sortPictures(PictureList& pictures, int key, bool descending);

// The name comparison: negative, 0 or positive as a is before, equal to or
// after b with ASCII letters compared as lower case and the path separator
// compared as a backslash.
int compareNamesIgnoringCase(const std::string& a, const std::string& b);

}  // namespace lumora
