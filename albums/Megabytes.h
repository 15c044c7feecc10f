#pragma once

#include <cstdint>

namespace lumora {

// Bytes to megabytes. As a 32-bit float this constant is exactly 2^-20.
inline constexpr float kMegabytesPerByte = 9.536743e-7f;

// The megabytes of one file: its size's low 32 bits taken as a signed number,
// scaled in single precision. Sums of these are kept in 32-bit floats
// because the shown figures and the session file depend on that rounding.
inline float megabytesOf(uint64_t fileSize) {
    const int32_t low = static_cast<int32_t>(static_cast<uint32_t>(fileSize & 0xFFFFFFFFu));
    return static_cast<float>(low) * kMegabytesPerByte;
}

}  // namespace lumora
