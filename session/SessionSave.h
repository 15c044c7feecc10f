#pragma once

#include <string>

#include "albums/AlbumList.h"
#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"
#include "session/SessionData.h"

namespace lumora {

// Megabytes of the pictures, each size's low 32 bits read as a signed number
// times 2^-20, summed in double precision (exact for any real picture list,
// so the order of the pictures does not matter). withDuplicates false leaves
// out the entries marked isDuplicate.
double totalMegabytes(const PictureList& pictures, bool withDuplicates = true);

// What a save stores, made the way Save Session makes it: the picture list is
// sorted by date and counted, the removed pictures are appended, the whole is
// sorted by date and recorded, and then every entry whose isRemoved is set is
// taken out of the picture list again. The picture list is left sorted by
// date; the removed pictures stay where they are.
//
// With camera clock corrections, the records go in the order of the times
// the cameras wrote, so that loading lays them over a fresh scan before any
// correction; the picture list is then left sorted by its corrected times.
SessionData sessionForSave(const SessionValues& values, const AlbumList& albums,
                           PictureList& pictures, const PictureList& removedPictures,
                           const CameraClocks& clocks = CameraClocks{});

// Save Session from the opening of the file on. False with error set when the
// file could not be written; the file that was there before is then as it
// was. When even the file could not be created nothing is changed; once it
// was, the picture list goes through sessionForSave whether or not the
// writing then succeeds.
bool saveSession(FileSystem& fileSystem, const std::string& path, const SessionValues& values,
                 const AlbumList& albums, PictureList& pictures, const PictureList& removedPictures,
                 ErrorCode& error, const CameraClocks& clocks = CameraClocks{});

}  // namespace lumora
