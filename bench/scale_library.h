#pragma once

#include <string>

namespace lumora::bench {

struct ScaleLibrary {
    int written = 0;  // files of every kind
    int large = 0;    // camera-sized pictures
    int damaged = 0;  // truncated, garbled or empty .jpg files
};

// Writes a picture library of about `count` files under `folder`: the sample
// generator's sets (nested folders, names in mixed letter cases, duplicates,
// files without EXIF or date) in parts of at most 2,000 under folders of
// mixed case, a few camera-sized pictures, and about one file in a hundred
// damaged. False with `error` set when a file cannot be written.
bool writeScaleLibrary(const std::string& folder, int count, ScaleLibrary& library,
                       std::string& error);

}  // namespace lumora::bench
