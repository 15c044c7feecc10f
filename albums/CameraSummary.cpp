#include "albums/CameraSummary.h"

#include <algorithm>
#include <map>

namespace lumora {
namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string namesOf(const std::vector<CameraSummary>& cameras) {
    std::string names;
    for (const CameraSummary& summary : cameras) {
        if (!names.empty()) names += ", ";
        names += "'" + cameraName(summary.camera) + "'";
    }
    return names.empty() ? std::string("none") : names;
}

}  // namespace

std::vector<CameraSummary> cameraSummaries(const PictureList& pictures) {
    std::map<CameraId, CameraSummary> byCamera;
    for (const PictureEntry& picture : pictures) {
        const CameraId camera = cameraOf(picture);
        const uint64_t value = cameraValue(picture);
        CameraSummary& summary = byCamera[camera];
        if (summary.pictureCount == 0) {
            summary.camera = camera;
            summary.first = summary.last = value;
        }
        ++summary.pictureCount;
        summary.first = std::min(summary.first, value);
        summary.last = std::max(summary.last, value);
    }
    std::vector<CameraSummary> list;
    list.reserve(byCamera.size());
    for (auto& [camera, summary] : byCamera) list.push_back(std::move(summary));
    return list;
}

bool findCamera(const std::vector<CameraSummary>& cameras, const std::string& name,
                CameraId& camera, std::string& problem) {
    const std::string wanted = trimmed(name);
    std::vector<CameraId> found;
    for (const CameraSummary& summary : cameras) {
        if (summary.camera.model == wanted) found.push_back(summary.camera);
    }
    if (found.empty()) {
        for (const CameraSummary& summary : cameras) {
            if (cameraName(summary.camera) == wanted) found.push_back(summary.camera);
        }
    }
    if (found.size() == 1) {
        camera = found.front();
        problem.clear();
        return true;
    }
    if (found.empty()) {
        problem = "no picture was taken with the camera '" + wanted + "'; the cameras are " +
                  namesOf(cameras);
    } else {
        std::vector<CameraSummary> ambiguous;
        for (const CameraSummary& summary : cameras) {
            if (summary.camera.model == wanted) ambiguous.push_back(summary);
        }
        problem = "the model '" + wanted +
                  "' is made by more than one maker; give MAKE/MODEL: " + namesOf(ambiguous);
    }
    return false;
}

}  // namespace lumora
