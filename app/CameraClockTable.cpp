#include "app/CameraClockTable.h"

#include <algorithm>

#include "albums/ClockOffsetText.h"
#include "albums/DateTimeText.h"
#include "albums/PictureSort.h"

namespace lumora {

CameraClockTable::CameraClockTable(const PictureList& pictures, const CameraClocks& clocks)
    : pictures_(pictures), cameras_(cameraSummaries(pictures)), initial_(clocks) {
    seconds_.reserve(cameras_.size());
    for (const CameraSummary& summary : cameras_) {
        seconds_.push_back(clockSecondsOf(clocks, summary.camera));
    }
    // The table's own corrections apply to its copies, never the work's.
    applyCameraClocks(CameraClocks{}, pictures_);
}

std::vector<std::string> CameraClockTable::rowTexts(size_t row, int dateFormat,
                                                    int timeFormat) const {
    const CameraSummary& summary = cameras_[row];
    const int64_t offset = seconds_[row];
    const auto timeOf = [&](uint64_t value) {
        const uint64_t shown = offset == 0 ? value : shiftedValue(value, offset);
        return dateText(shown, dateFormat) + (offset != 0 ? " ~" : " ") +
               timeText(shown, timeFormat);
    };
    return {cameraName(summary.camera), pictureCountText(summary.pictureCount),
            timeOf(summary.first), timeOf(summary.last), clockOffsetText(offset)};
}

PictureList CameraClockTable::picturesOf(size_t row) const {
    PictureList list;
    for (const PictureEntry& picture : pictures_) {
        if (cameraOf(picture) == cameras_[row].camera) list.push_back(picture);
    }
    CameraClocks own;
    setClockSeconds(own, cameras_[row].camera, seconds_[row]);
    applyCameraClocks(own, list);
    sortPictures(list, kSortByDate, false);
    return list;
}

void CameraClockTable::match(size_t row, const PictureEntry& picture,
                             const PictureEntry& reference) {
    // A century either way is the most a correction can be.
    constexpr int64_t kLongest = kMaxClockDays * 86400 + 86399;
    seconds_[row] = std::clamp(matchingClockSeconds(picture, reference), -kLongest, kLongest);
}

CameraClocks CameraClockTable::clocks() const {
    // Corrections of cameras no longer listed are kept as they were.
    CameraClocks clocks = initial_;
    for (size_t row = 0; row < cameras_.size(); ++row) {
        setClockSeconds(clocks, cameras_[row].camera, seconds_[row]);
    }
    return clocks;
}

std::string pictureCountText(int count) {
    return std::to_string(count) + (count == 1 ? " picture" : " pictures");
}

}  // namespace lumora
