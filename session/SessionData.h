#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "albums/AlbumList.h"
#include "albums/CameraClock.h"
#include "session/PictureRecord.h"

namespace lumora {

// The program-wide values a session file keeps besides the albums and the
// pictures.
struct SessionValues {
    int32_t dateFormat = 1;
    int32_t timeFormat = 1;
    int32_t excludeDuplicates = 0;
    // The source and target fields as the main window shows them, "Not
    // Selected. Please select one first." included.
    std::string sourceText;
    std::string targetText;
    int32_t duplicatesFound = 0;
    int32_t picturesAtScan = 0;
    float freedBytes = 0.0f;

    bool operator==(const SessionValues&) const = default;
};

// Everything one session file holds, in the file's order.
struct SessionData {
    // Written as "1.1" and a zero byte: the mark of ranges held as values
    // read without any zone. Files of earlier versions hold "1.0"; beyond
    // telling the two apart, what a file holds here is not judged.
    char header[4] = {'1', '.', '1', '\0'};
    int32_t reserved = 0;
    SessionValues values;
    AlbumList albums;
    // The picture list at saving, removed duplicates not included.
    int32_t pictureCount = 0;
    // Megabytes of the picture list and the removed pictures together.
    double totalSize = 0.0;
    // The picture list and the removed pictures together, in date order.
    std::vector<PictureRecord> pictures;
    // The camera clock corrections; the records' order never depends on
    // them (it is the order of the times the cameras wrote).
    CameraClocks clocks;

    bool operator==(const SessionData&) const = default;
};

}  // namespace lumora
