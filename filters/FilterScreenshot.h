#pragma once

#include <string>

namespace lumora {

// The screenshot mode's picture of the Advanced Filter window over the
// pictures of source, written into folder as "advanced-filter.png": the
// filtering switched on, one range chosen (a green lamp), criteria available
// (red) and one left out (black); then, as "advanced-filter-reopened.png",
// the same window after a camera was chosen and the window was closed and
// opened again, as its refresh shows it. Each path written is printed on
// standard output. False, with a message on standard error, when no album can be made
// of the pictures or the picture could not be written.
bool writeFilterScreenshot(const std::string& source, const std::string& folder);

}  // namespace lumora
