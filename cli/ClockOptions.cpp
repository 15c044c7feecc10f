#include "cli/ClockOptions.h"

#include "albums/CameraSummary.h"
#include "albums/ClockOffsetText.h"

namespace lumora::cli {

bool parseClockRequest(const std::string& value, ClockRequest& request, std::string& problem) {
    const size_t equals = value.rfind('=');
    if (equals == std::string::npos || equals == 0) {
        problem = "--clock takes CAMERA=OFFSET, for example 'E995=+01:04:30'; not '" + value + "'";
        return false;
    }
    const std::string offset = value.substr(equals + 1);
    const std::optional<int64_t> seconds = parseClockOffset(offset);
    if (!seconds) {
        problem = "--clock " + value + ": the offset '" + offset +
                  "' is not [+|-][Nd]HH:MM[:SS] (hours 0-23, minutes and seconds 0-59, at most " +
                  std::to_string(kMaxClockDays) + " days), for example +01:04:30 or -1d02:00";
        return false;
    }
    request.camera = value.substr(0, equals);
    request.seconds = *seconds;
    return true;
}

bool resolveClockRequests(const std::vector<ClockRequest>& requests, const PictureList& pictures,
                          CameraClocks& clocks, std::string& problem) {
    if (requests.empty()) return true;
    const std::vector<CameraSummary> cameras = cameraSummaries(pictures);
    CameraClocks resolved = clocks;
    for (const ClockRequest& request : requests) {
        CameraId camera;
        if (!findCamera(cameras, request.camera, camera, problem)) {
            problem = "--clock " + request.camera + ": " + problem;
            return false;
        }
        setClockSeconds(resolved, camera, request.seconds);
    }
    clocks = std::move(resolved);
    return true;
}

}  // namespace lumora::cli
