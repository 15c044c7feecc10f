#include "albums/PictureSort.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace lumora {
namespace {

// Paths are compared as they read with backslash separators, so that the
// film order, and the album ranges taken from it, are the same whatever the
// platform's separator: "Trip2" and "Trip@" come before "Trip" + separator,
// as they do where the separator is the byte 0x5C. On Windows a '/' is a
// separator as well, and reads as a backslash too.
unsigned char separatorAsBackslash(unsigned char c) {
    return isPathSeparator(static_cast<char>(c)) ? '\\' : c;
}

unsigned char lowerAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// The bytes of both paths with separators read as backslashes, then the raw
// bytes: a total order for the ties of the other keys that no platform changes.
bool pathBytesBefore(const std::string& a, const std::string& b) {
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const unsigned char ca = separatorAsBackslash(static_cast<unsigned char>(a[i]));
        const unsigned char cb = separatorAsBackslash(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
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
        const unsigned char ca = lowerAscii(separatorAsBackslash(static_cast<unsigned char>(a[i])));
        const unsigned char cb = lowerAscii(separatorAsBackslash(static_cast<unsigned char>(b[i])));
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
                         return pathBytesBefore(a.path, b.path);
                     });
    return true;
}

}  // namespace lumora
