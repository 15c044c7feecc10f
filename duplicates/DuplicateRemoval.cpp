#include "duplicates/DuplicateRemoval.h"

#include <unordered_map>

#include "albums/Megabytes.h"
#include "duplicates/DuplicateTexts.h"
#include "duplicates/Signature.h"

namespace lumora {
namespace {

// Each size is its low 32 bits as a signed number, added in single precision.
void addFreedBytes(float& freedBytes, uint64_t fileSize) {
    const int32_t low = static_cast<int32_t>(static_cast<uint32_t>(fileSize & 0xFFFFFFFFu));
    freedBytes += static_cast<float>(low);
}

// Moves the pictures that `leaves` picks into removedPictures in one sweep, so
// that removing many pictures from a long list stays linear.
template <typename Predicate>
int removeWhere(PictureList& pictures, PictureList& removedPictures, float& freedBytes,
                Predicate leaves) {
    int removed = 0;
    size_t kept = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        PictureEntry& picture = pictures[i];
        if (leaves(picture)) {
            picture.isRemoved = 1;
            addFreedBytes(freedBytes, picture.fileSize);
            removedPictures.push_back(picture);
            ++removed;
        } else {
            if (kept != i) pictures[kept] = std::move(picture);
            ++kept;
        }
    }
    pictures.resize(kept);
    return removed;
}

}  // namespace

bool picturesAnalysed(const PictureList& pictures) {
    return !pictures.empty() && hasSignature(pictures.front());
}

std::string openingStatusText(const PictureList& pictures) {
    return picturesAnalysed(pictures) ? kAnalysedStatusText : kNotAnalysedStatusText;
}

int removePicturesWithPath(PictureList& pictures, const std::string& path,
                           PictureList& removedPictures, float& freedBytes) {
    return removeWhere(pictures, removedPictures, freedBytes,
                       [&](const PictureEntry& picture) { return picture.path == path; });
}

int removeMarkedDuplicates(PictureList& pictures, PictureList& removedPictures, float& freedBytes) {
    return removeWhere(pictures, removedPictures, freedBytes,
                       [](const PictureEntry& picture) { return picture.isDuplicate != 0; });
}

void recountAlbums(AlbumList& albums, const PictureList& pictures) {
    // The first album of an id takes its pictures, as a search from the front would.
    std::unordered_map<int32_t, Album*> albumOf;
    for (Album& album : albums) {
        album.pictureCount = 0;
        album.sizeMB = 0.0f;
        albumOf.try_emplace(album.id, &album);
    }
    for (const PictureEntry& picture : pictures) {
        const auto found = albumOf.find(picture.albumId);
        if (found == albumOf.end()) continue;
        found->second->pictureCount += 1;
        found->second->sizeMB += megabytesOf(picture.fileSize);
    }
}

}  // namespace lumora
