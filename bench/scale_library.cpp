#include "bench/scale_library.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "samples/JpegFileWriter.h"
#include "samples/SampleGenerator.h"

namespace lumora::bench {
namespace {

namespace fs = std::filesystem;

constexpr int kPartSize = 2000;
constexpr int kLargeCount = 4;
constexpr int kDamagedEvery = 100;

// Folder names of the parts, in the letter cases people leave behind.
const char* const kPartNames[] = {"Archive", "ARCHIVE", "archive", "Archief", "ArChIvE"};

std::vector<uint8_t> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Damage of three kinds, in turn: the file cut in half, the EXIF block
// overwritten with noise, and an empty file.
std::vector<uint8_t> damaged(std::vector<uint8_t> bytes, int kind) {
    if (kind == 0) {
        bytes.resize(bytes.size() / 2);
    } else if (kind == 1) {
        uint32_t noise = 0x9e3779b9u;
        const size_t end = std::min<size_t>(bytes.size(), 600);
        for (size_t i = 12; i < end; ++i) {
            noise = noise * 1664525u + 1013904223u;
            bytes[i] = static_cast<uint8_t>(noise >> 24);
        }
    } else {
        bytes.clear();
    }
    return bytes;
}

bool writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

bool writeScaleLibrary(const std::string& folder, int count, ScaleLibrary& library,
                       std::string& error) {
    library = ScaleLibrary{};
    const int damagedCount = std::max(1, count / kDamagedEvery);
    const int bulk = std::max(0, count - kLargeCount - damagedCount);
    for (int part = 0; part * kPartSize < bulk; ++part) {
        samples::SampleOptions options;
        // Every picture its own image, so that the duplicate search meets
        // signatures as varied as a real library's.
        options.distinct = true;
        options.count = std::min(kPartSize, bulk - part * kPartSize);
        options.seed = static_cast<uint32_t>(part + 1);
        char name[64];
        std::snprintf(name, sizeof name, "%s %02d/Part", kPartNames[part % 5], part + 1);
        samples::SampleCounts counts;
        if (!samples::writeSamples(folder + "/" + name, options, counts, error)) return false;
        library.written += counts.files;
    }

    samples::SampleOptions large;
    large.count = kLargeCount;
    large.width = samples::kCameraWidth;
    large.height = samples::kCameraHeight;
    large.nested = false;
    large.seed = 99;
    samples::SampleCounts counts;
    if (!samples::writeSamples(folder + "/Large", large, counts, error)) return false;
    library.written += counts.files;
    library.large = counts.files;

    // Damaged copies of pictures of the first part.
    const fs::path damagedFolder = fs::path(folder) / "Damaged";
    std::error_code failure;
    fs::create_directories(damagedFolder, failure);
    std::vector<fs::path> sources;
    for (const auto& entry : fs::recursive_directory_iterator(folder, failure)) {
        if (static_cast<int>(sources.size()) >= damagedCount) break;
        if (entry.is_regular_file() && entry.path().parent_path() != damagedFolder) {
            sources.push_back(entry.path());
        }
    }
    for (size_t i = 0; i < sources.size(); ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "broken_%04zu.%s", i, i % 2 ? "JPG" : "jpg");
        if (!writeBytes(damagedFolder / name, damaged(readAll(sources[i]), i % 3))) {
            error = (damagedFolder / name).string();
            return false;
        }
        ++library.written;
        ++library.damaged;
    }
    return true;
}

}  // namespace lumora::bench
