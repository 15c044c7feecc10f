#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalog/PictureEntry.h"

namespace lumora {

// A camera as the scan reads it: the EXIF make and model, without the spaces
// cameras pad them with. Two bodies of one model are one camera.
struct CameraId {
    std::string make;
    std::string model;

    auto operator<=>(const CameraId&) const = default;
    bool operator==(const CameraId&) const = default;
};

CameraId cameraOf(const PictureEntry& picture);

// "make/model", as the film's labels show a camera.
std::string cameraName(const CameraId& camera);

inline constexpr int64_t kTicksPerSecond = 10000000;

// How far one camera's clock was off: its pictures' true time is the time it
// wrote plus this many seconds.
struct CameraClock {
    CameraId camera;
    int64_t seconds = 0;

    bool operator==(const CameraClock&) const = default;
};

// The corrections in force, one per corrected camera, in camera order; a
// camera without a correction has no entry, so no correction is an empty
// list.
using CameraClocks = std::vector<CameraClock>;

int64_t clockSecondsOf(const CameraClocks& clocks, const CameraId& camera);
// Sets (0: takes away) one camera's correction, keeping the list's order.
void setClockSeconds(CameraClocks& clocks, const CameraId& camera, int64_t seconds);

// The value the picture's camera wrote, before any correction.
inline uint64_t cameraValue(const PictureEntry& picture) {
    return picture.dateTime - static_cast<uint64_t>(picture.clockOffset);
}

// A value moved by some seconds, held between the earliest value (1, as 0
// means "not set") and the last second of the year 9999.
uint64_t shiftedValue(uint64_t value, int64_t seconds);

// Gives every picture its camera's correction: dateTime becomes the camera's
// value shifted by it, and clockOffset what that added.
void applyCameraClocks(const CameraClocks& clocks, PictureList& pictures);

// The correction that makes a picture of one camera show the same moment as
// a reference picture of another whose time is taken as right (its own
// correction included).
int64_t matchingClockSeconds(const PictureEntry& picture, const PictureEntry& reference);

}  // namespace lumora
