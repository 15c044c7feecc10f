#include "albums/PictureSort.h"

#include <algorithm>

namespace lumora {
namespace {

unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// -1, 0, 1 for a's value below, equal to, above b's.
template <typename T>
int compareValues(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareByKey(const PictureEntry& a, const PictureEntry& b, int key) {
    switch (key) {
        case kSortByName:
            return compareNamesIgnoringCase(a.path, b.path);
        case kSortByDate:
            return compareValues(a.dateTime, b.dateTime);
        default:
            return compareValues(a.fileSize, b.fileSize);
    }
}

}  // namespace

int compareNamesIgnoringCase(const std::string& a, const std::string& b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = lowerAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = lowerAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return compareValues(a.size(), b.size());
}

bool sortPictures(PictureList& pictures, int key, bool descending) {
    if (key != kSortByName && key != kSortByDate && key != kSortBySize) return true;
    // Ties go by path bytes ascending in both directions; stable_sort keeps
    // even identical paths in a fixed order.
    std::stable_sort(pictures.begin(), pictures.end(),
                     [key, descending](const PictureEntry& a, const PictureEntry& b) {
                         const int order = compareByKey(a, b, key);
                         if (order != 0) return descending ? order > 0 : order < 0;
                         return a.path < b.path;
                     });
    return true;
}

}  // namespace lumora
