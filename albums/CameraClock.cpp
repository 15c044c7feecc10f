#include "albums/CameraClock.h"

#include <algorithm>
#include <ctime>

#include "albums/FieldText.h"
#include "catalog/DateTimeValue.h"

namespace lumora {
namespace {

uint64_t latestValue() {
    std::tm fields{};
    fields.tm_year = kLatestYear - 1900;
    fields.tm_mon = 11;
    fields.tm_mday = 31;
    fields.tm_hour = 23;
    fields.tm_min = 59;
    fields.tm_sec = 59;
    static const uint64_t latest = wallClockValue(fields);
    return latest;
}

}  // namespace

CameraId cameraOf(const PictureEntry& picture) {
    if (!picture.exif) return CameraId{};
    return CameraId{trimmedFieldText(picture.exif->CameraMake),
                    trimmedFieldText(picture.exif->CameraModel)};
}

std::string cameraName(const CameraId& camera) {
    return camera.make + "/" + camera.model;
}

int64_t clockSecondsOf(const CameraClocks& clocks, const CameraId& camera) {
    for (const CameraClock& clock : clocks) {
        if (clock.camera == camera) return clock.seconds;
    }
    return 0;
}

void setClockSeconds(CameraClocks& clocks, const CameraId& camera, int64_t seconds) {
    std::erase_if(clocks, [&](const CameraClock& clock) { return clock.camera == camera; });
    if (seconds == 0) return;
    const auto at = std::find_if(clocks.begin(), clocks.end(),
                                 [&](const CameraClock& clock) { return camera < clock.camera; });
    clocks.insert(at, CameraClock{camera, seconds});
}

uint64_t shiftedValue(uint64_t value, int64_t seconds) {
    const uint64_t latest = latestValue();
    // Corrections are at most a few centuries, far inside 64 bits of ticks;
    // the limits keep a value out of the "not set" 0 and the years no date
    // text can hold.
    const uint64_t ticks = static_cast<uint64_t>(seconds < 0 ? -seconds : seconds) *
                           static_cast<uint64_t>(kTicksPerSecond);
    if (seconds < 0) return value > ticks ? value - ticks : 1;
    if (value >= latest || ticks >= latest - value) return std::max(value, latest);
    return value + ticks;
}

void applyCameraClocks(const CameraClocks& clocks, PictureList& pictures) {
    for (PictureEntry& picture : pictures) {
        const uint64_t base = cameraValue(picture);
        const int64_t seconds = clocks.empty() ? 0 : clockSecondsOf(clocks, cameraOf(picture));
        const uint64_t corrected = seconds == 0 ? base : shiftedValue(base, seconds);
        picture.dateTime = corrected;
        picture.clockOffset = static_cast<int64_t>(corrected - base);
    }
}

int64_t matchingClockSeconds(const PictureEntry& picture, const PictureEntry& reference) {
    const uint64_t base = cameraValue(picture);
    const uint64_t target = reference.dateTime;
    const auto seconds = [](uint64_t ticks) {
        return static_cast<int64_t>(ticks / static_cast<uint64_t>(kTicksPerSecond));
    };
    return target >= base ? seconds(target - base) : -seconds(base - target);
}

}  // namespace lumora
