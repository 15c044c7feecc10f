#include "session/ClockBlock.h"

#include "albums/ClockOffsetText.h"
#include "filters/CriterionText.h"

namespace lumora {

void writeClockBlock(ByteWriter& out, const CameraClocks& clocks) {
    if (clocks.empty()) return;
    ByteWriter body;
    body.int32(static_cast<int32_t>(clocks.size()));
    for (const CameraClock& clock : clocks) {
        body.string(clock.camera.make);
        body.string(clock.camera.model);
        body.uint64(static_cast<uint64_t>(clock.seconds));
    }
    out.bytes(kClockBlockMagic, sizeof kClockBlockMagic);
    out.int32(kClockBlockVersion);
    out.int32(static_cast<int32_t>(body.buffer().size()));
    out.bytes(body.buffer().data(), body.buffer().size());
}

bool readClockBlock(ByteReader& in, CameraClocks& clocks) {
    const char* what = "the camera clock block";
    char magic[sizeof kClockBlockMagic] = {};
    int32_t version = 0;
    int32_t length = 0;
    in.bytes(magic, sizeof magic, what);
    in.int32(version, what);
    in.int32(length, what);
    if (!in.require(version == kClockBlockVersion,
                    formatText("the camera clock block has the version %d, not %d", version,
                               kClockBlockVersion)) ||
        !in.require(length >= 0 && static_cast<size_t>(length) == in.remaining(),
                    formatText("the camera clock block says %d bytes follow, but %zu do", length,
                               in.remaining()))) {
        return false;
    }
    int32_t count = 0;
    in.int32(count, what);
    // Two empty strings and the correction: the least one camera takes.
    constexpr size_t kLeastCameraBytes = 4 + 4 + 8;
    if (!in.require(
            count > 0 && static_cast<size_t>(count) <= in.remaining() / kLeastCameraBytes,
            formatText("the camera clock block holds the impossible camera count %d", count))) {
        return false;
    }
    CameraClocks read;
    constexpr int64_t kLongest = kMaxClockDays * 86400 + 86399;
    for (int32_t i = 0; i < count; ++i) {
        CameraClock clock;
        uint64_t seconds = 0;
        in.string(clock.camera.make, what);
        in.string(clock.camera.model, what);
        in.uint64(seconds, what);
        clock.seconds = static_cast<int64_t>(seconds);
        const std::string name = cameraName(clock.camera);
        if (!in.require(
                clock.seconds != 0 && clock.seconds >= -kLongest && clock.seconds <= kLongest,
                formatText("the camera clock of '%s' is corrected by %lld seconds, not "
                           "by a non-zero time within a century",
                           name.c_str(), static_cast<long long>(clock.seconds))) ||
            !in.require(read.empty() || read.back().camera < clock.camera,
                        formatText("the camera clock of '%s' is out of order or given twice",
                                   name.c_str()))) {
            return false;
        }
        read.push_back(std::move(clock));
    }
    if (!in.require(in.remaining() == 0,
                    formatText("%zu bytes follow the camera clock block", in.remaining()))) {
        return false;
    }
    clocks = std::move(read);
    return true;
}

}  // namespace lumora
