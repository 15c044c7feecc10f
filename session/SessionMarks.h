#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora {

using AlbumNames = std::vector<std::pair<int32_t, std::string>>;

// The albums of the list (id and name, both must match) that the session
// file marks processed. False with problem set when the file cannot be read
// or is no sound session file.
bool processedInSession(FileSystem& fileSystem, const std::string& path, const AlbumNames& albums,
                        std::vector<int32_t>& marked, std::string& problem);

// Clears the processed marks of those albums in the session file; every
// other byte stays as it was. Written as Save Session writes: a failure
// leaves the file as it was. cleared: how many marks were cleared.
bool clearProcessedMarks(FileSystem& fileSystem, const std::string& path, const AlbumNames& albums,
                         int& cleared, std::string& problem);

}  // namespace lumora
