#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "albums/CameraClock.h"
#include "catalog/PictureEntry.h"

namespace lumora {

// One camera of the picture list: how many pictures it took, and the first
// and last of the times its clock wrote (without any correction).
struct CameraSummary {
    CameraId camera;
    int pictureCount = 0;
    uint64_t first = 0;
    uint64_t last = 0;
};

// Every camera of the pictures, in camera order (make, then model).
std::vector<CameraSummary> cameraSummaries(const PictureList& pictures);

// The camera a command-line name stands for: the model alone (as the scan
// prints it, padding aside), or "MAKE/MODEL" where the model alone is
// ambiguous. False with problem set, in one line naming the cameras there
// are, when no camera or more than one answers to the name.
bool findCamera(const std::vector<CameraSummary>& cameras, const std::string& name,
                CameraId& camera, std::string& problem);

}  // namespace lumora
