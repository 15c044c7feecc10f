#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "session/SessionData.h"

namespace lumora {

// Reads a whole session file from memory and checks it: every length and
// count against the bytes that are left, the record area as a whole number
// of records, the formats in their ranges, the album ids (rising from 1 and
// leaving room for the next album's), and the record count against the
// pictures the stored scan found (so a file cut at a record boundary is
// refused too). On failure data is untouched and problem says, in one line,
// what is wrong and where. Nothing is allocated beyond what the bytes hold.
bool decodeSession(const uint8_t* bytes, size_t size, SessionData& data, std::string& problem);

}  // namespace lumora
