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

// A field's text without the spaces cameras pad makes and models with.
template <size_t N>
std::string trimmedFieldText(const char (&field)[N]) {
    const std::string text = fieldText(field, N);
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace lumora
