#pragma once

#include <string>

namespace lumora {

// The Camera clocks dialog over the pictures of source, the second-largest
// camera's clock corrected by matching one of its pictures to one of the
// largest camera's, and the matching dialog with the two pictures chosen:
// camera-clocks.png and camera-clocks-match.png in folder. False when a
// picture could not be written or the source has fewer than two cameras.
bool writeCameraClocksScreenshots(const std::string& source, const std::string& folder);

}  // namespace lumora
