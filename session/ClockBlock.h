#pragma once

#include <cstddef>
#include <cstdint>

#include "albums/CameraClock.h"
#include "session/ByteReader.h"
#include "session/ByteWriter.h"

namespace lumora {

// The camera clock corrections travel after the picture records, in a block
// of their own: the magic, a version, the length of what follows, then the
// number of cameras and, for each, its make and model (strings) and the
// correction in seconds (64-bit). It is written only when a correction is
// set, so a session without one is what it always was; a reader that knows
// no such block finds bytes after the last record and refuses the file.
inline constexpr char kClockBlockMagic[4] = {'L', 'C', 'L', 'K'};
inline constexpr int32_t kClockBlockVersion = 1;

// Appends the block for clocks; nothing when clocks is empty.
void writeClockBlock(ByteWriter& out, const CameraClocks& clocks);

// Reads a block that fills the rest of the bytes: the version known, the
// length exact, at least one camera, each once and in camera order, each
// correction non-zero and within a century. False with the reader's problem
// set otherwise.
bool readClockBlock(ByteReader& in, CameraClocks& clocks);

}  // namespace lumora
