#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/ExifInfo.h"

namespace lumora {

// One camera make of the film and the models seen with it, in the order of
// first appearance. A make with two or more models has "All" in front of them.
struct CameraEntry {
    std::string make;
    std::vector<std::string> models;

    bool operator==(const CameraEntry&) const = default;
};

using CameraList = std::vector<CameraEntry>;

// Lists the picture's make and model. Makes and models compare byte-wise.
void addToCameraList(const ExifInfo& exif, CameraList& cameras);

// The entry of a make, or null.
const CameraEntry* findCamera(const CameraList& cameras, std::string_view make);

}  // namespace lumora
