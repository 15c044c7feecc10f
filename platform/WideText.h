#pragma once

#include <string>

namespace lumora {

// Lumora keeps every text in UTF-8; the Windows API takes and gives UTF-16.
// These convert at that border, so that names outside the ANSI code page
// reach the disk unchanged. A byte sequence that is not UTF-8 becomes U+FFFD,
// and so does a lone surrogate in a name Windows gives.
std::wstring toWide(const std::string& utf8);
std::string fromWide(const std::wstring& utf16);

}  // namespace lumora
