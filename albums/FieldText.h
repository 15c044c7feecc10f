#pragma once

#include <cstddef>
#include <cstring>
#include <string>

namespace lumora {

// A fixed-size text field of a record, up to its first NUL or its end, so a
// field filled to the last byte is never read past.
inline std::string fieldText(const char* field, size_t size) {
    return std::string(field, strnlen(field, size));
}

template <size_t N>
std::string fieldText(const char (&field)[N]) {
    return fieldText(field, N);
}

}  // namespace lumora
