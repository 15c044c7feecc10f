#pragma once

#include <string>

namespace lumora {

// The screenshot mode's picture of the Advanced Filter window over the
// pictures of source, written into folder as "advanced-filter.png": the
// filtering switched on, one range chosen (a green lamp), criteria available
// (red) and one left out (black). The path written is printed on standard
// output. False, with a message on standard error, when no album can be made
// of the pictures or the picture could not be written.
bool writeFilterScreenshot(const std::string& source, const std::string& folder);

}  // namespace lumora
