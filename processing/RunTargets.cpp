#include "processing/RunTargets.h"

#include "platform/FileSystem.h"

namespace lumora {
namespace {

std::string foldCase(const std::string& path) {
    std::string folded = path;
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

}  // namespace

bool RunTargets::take(const std::string& path) {
    return given_.insert(foldCase(path)).second;
}

std::string RunTargets::claim(const std::string& folder, const std::string& fileName) {
    const std::string path = joinPath(folder, fileName);
    if (take(path)) return path;
    const size_t dot = fileName.rfind('.');
    const std::string stem = fileName.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot);
    for (int number = 2;; ++number) {
        const std::string candidate =
            joinPath(folder, stem + " (" + std::to_string(number) + ")" + extension);
        if (take(candidate)) return candidate;
    }
}

}  // namespace lumora
