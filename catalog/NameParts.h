#pragma once

#include <string_view>

namespace lumora {

// The name before its last dot; the whole name when it has none.
inline std::string_view stemOf(std::string_view name) {
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

// The extension after the last dot, as it is written; empty for a name
// without one, and for a name that is nothing but a dot and an extension
// (".xmp" names no picture).
inline std::string_view extensionOf(std::string_view name) {
    const size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return {};
    return name.substr(dot + 1);
}

}  // namespace lumora
