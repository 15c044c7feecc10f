#pragma once

#include <string>
#include <vector>

#include "catalog/PictureEntry.h"
#include "platform/FileSystem.h"
#include "session/SessionData.h"

namespace lumora {

inline constexpr const char* kSourceModifiedText =
    "Source directory was modified. Session could not be loaded!";

// Opens, reads and checks a whole session file. False when the file cannot be
// read (error set) or is not a sound session file (error kErrorSuccess); the
// problem text says which, in one line.
bool readSessionFile(FileSystem& fileSystem, const std::string& path, SessionData& data,
                     ErrorCode& error, std::string& problem);

// Whether the rescanned pictures, sorted by date, can take the stored
// records: their total size equals the stored one exactly, and there is one
// record for each of them. The second check is ours: pictures replaced by
// others of the same total size but a different number would otherwise be
// laid over records that do not exist, or leave records unused.
bool sourceMatches(const PictureList& pictures, const SessionData& data);

// Lays record i over picture i (both in date order), then moves every
// picture whose isRemoved is set, in order, from the picture list to the
// removed pictures. The lists must already match (sourceMatches).
void applyPictureRecords(const std::vector<PictureRecord>& records, PictureList& pictures,
                         PictureList& removedPictures);

// The status after loading a session whose duplicate search found
// duplicatesFound; pictureCount is the picture list after the removed
// pictures left it.
std::string loadedDuplicatesStatusText(int pictureCount, int duplicatesFound, int picturesAtScan);

}  // namespace lumora
