#pragma once

#include <string>

#include "albums/AlbumList.h"
#include "catalog/PictureEntry.h"

namespace lumora {

// Whether the pictures count as analysed when the duplicate search opens: the
// first picture has a signature. An empty list counts as not analysed.
bool picturesAnalysed(const PictureList& pictures);
// "Pictures are analized. You may compare them." or the request to analyse first.
std::string openingStatusText(const PictureList& pictures);

// Takes every picture whose path is exactly `path` out of the list: it is
// marked isRemoved, appended to removedPictures and its size added to
// freedBytes; the others keep their order. Returns how many were taken out.
int removePicturesWithPath(PictureList& pictures, const std::string& path,
                           PictureList& removedPictures, float& freedBytes);

// The same for every picture marked isDuplicate, in list order.
int removeMarkedDuplicates(PictureList& pictures, PictureList& removedPictures, float& freedBytes);

// Sets every album's pictureCount and sizeMB from the pictures that carry
// its id, starting from 0, so that recounting twice gives the same figures.
void recountAlbums(AlbumList& albums, const PictureList& pictures);

}  // namespace lumora
