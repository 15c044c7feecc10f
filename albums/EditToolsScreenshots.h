#pragma once

#include <string>

namespace lumora {

// The screenshot mode's pictures of the Edit Album dialog's tools, written
// into folder as PNG files: "view-options.png" (Set view options),
// "large-image.png" (View Large Image showing samplePicture) and
// "manual-time-range.png" (Manual Time Range Settings for a new album whose
// film is samplePicture). Each path written is printed on standard output.
// False, with a message on standard error, when a picture could not be
// written or the sample picture could not be shown.
bool writeEditToolsScreenshots(const std::string& folder, const std::string& samplePicture);

}  // namespace lumora
