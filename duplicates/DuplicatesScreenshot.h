#pragma once

#include <string>

namespace lumora {

// The screenshot mode's picture of "Search for duplicates" over the pictures
// of source: analysed and compared, with the first group's first picture
// selected and shown in the thumbnail viewer. Written as "duplicates.png" in
// folder, whose path is printed on standard output. False, with a message on
// standard error, when the picture could not be written or the pictures hold
// no duplicates to show.
bool writeDuplicatesScreenshot(const std::string& source, const std::string& folder);

}  // namespace lumora
