#pragma once

#include <cstdint>
#include <vector>

#include "session/SessionData.h"

namespace lumora {

// The bytes of a session file holding the data.
std::vector<uint8_t> encodeSession(const SessionData& data);

}  // namespace lumora
