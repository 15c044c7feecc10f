#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "albums/CameraClock.h"
#include "catalog/PictureEntry.h"

namespace lumora::cli {

inline constexpr const char* kClockOption = "--clock";

// One "--clock CAMERA=OFFSET" as given, before the pictures are known.
struct ClockRequest {
    std::string camera;
    int64_t seconds = 0;
};

// Takes "CAMERA=OFFSET" apart (the offset follows the last "="). False with
// problem set, in one line, when either part is missing or the offset is not
// [+|-][Nd]HH:MM[:SS].
bool parseClockRequest(const std::string& value, ClockRequest& request, std::string& problem);

// The corrections the requests give, over those already in force (a session's):
// each camera named is found among the pictures' cameras, and its correction
// replaced (an offset of 0 takes it away). False with problem set when a
// camera is unknown or ambiguous; clocks is then unchanged.
bool resolveClockRequests(const std::vector<ClockRequest>& requests, const PictureList& pictures,
                          CameraClocks& clocks, std::string& problem);

}  // namespace lumora::cli
