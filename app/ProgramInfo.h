#pragma once

namespace lumora {

// The program as the window names it.
inline constexpr const char* kProgramName = "Lumora";
inline constexpr const char* kProgramVersion = "1.0";
// The product's homepage, opened by Help > Lumora Homepage.
inline constexpr const char* kHomepageAddress = "https://lumora.example.org";

}  // namespace lumora
