#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "albums/CameraClock.h"
#include "albums/CameraSummary.h"
#include "catalog/PictureEntry.h"

namespace lumora {

// What the Camera clocks dialog shows and edits, free of any widget: every
// camera of the picture list with its picture count, the first and last
// time of its pictures, and the correction being set for it. Nothing is in
// force until the corrections are handed to changeCameraClocks.
class CameraClockTable {
  public:
    CameraClockTable(const PictureList& pictures, const CameraClocks& clocks);

    size_t size() const { return cameras_.size(); }
    const CameraSummary& camera(size_t row) const { return cameras_[row]; }
    int64_t seconds(size_t row) const { return seconds_[row]; }
    void setSeconds(size_t row, int64_t seconds) { seconds_[row] = seconds; }

    // The row's columns: camera ("make/model"), picture count, first and
    // last picture time as the corrections being set give them (a corrected
    // time marked "~" before the time, as on the film), and the correction.
    std::vector<std::string> rowTexts(size_t row, int dateFormat, int timeFormat) const;

    // The camera's pictures in the order of their times, each with the
    // correction being set (for the film strips of the matching).
    PictureList picturesOf(size_t row) const;

    // Sets the row's correction so that picture, one of its camera's, shows
    // the moment of reference, a picture of another camera taken as right
    // (with that camera's correction being set).
    void match(size_t row, const PictureEntry& picture, const PictureEntry& reference);

    // The corrections as set, for changeCameraClocks; whether they differ
    // from those the table started with.
    CameraClocks clocks() const;
    bool changed() const { return clocks() != initial_; }

  private:
    PictureList pictures_;
    std::vector<CameraSummary> cameras_;
    std::vector<int64_t> seconds_;
    CameraClocks initial_;
};

// "1 picture", "n pictures".
std::string pictureCountText(int count);

}  // namespace lumora
