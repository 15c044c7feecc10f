#include "filters/CameraList.h"

#include <algorithm>

#include "filters/CriterionText.h"

namespace lumora {
namespace {

CameraEntry* findEntry(CameraList& cameras, const std::string& make) {
    auto found = std::find_if(cameras.begin(), cameras.end(),
                              [&](const CameraEntry& entry) { return entry.make == make; });
    return found == cameras.end() ? nullptr : &*found;
}

}  // namespace

const CameraEntry* findCamera(const CameraList& cameras, std::string_view make) {
    for (const CameraEntry& entry : cameras) {
        if (entry.make == make) return &entry;
    }
    return nullptr;
}

void addToCameraList(const ExifInfo& exif, CameraList& cameras) {
    const std::string make = cameraMakeText(exif);
    std::string model = cameraModelText(exif);
    CameraEntry* entry = findEntry(cameras, make);
    if (entry == nullptr) entry = &cameras.emplace_back(CameraEntry{make, {}});
    std::vector<std::string>& models = entry->models;
    if (std::find(models.begin(), models.end(), model) == models.end()) {
        models.push_back(std::move(model));
    }
    if (models.size() >= 2 && models.front() != "All") models.insert(models.begin(), "All");
}

}  // namespace lumora
