#include <charconv>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "samples/SampleGenerator.h"

namespace lumora::cli {
namespace {

constexpr const char* kUsage =
    "Usage: lumora-cli samples [--count N] [--camera-size | --size WxH] [--no-thumbnails]\n"
    "                          [--flat] [--distinct] [--seed S] DIR\n";

int usage() {
    std::fputs(kUsage, stderr);
    return kExitUsage;
}

bool parseNumber(const std::string& text, long long low, long long high, long long& value) {
    const char* end = text.data() + text.size();
    auto [stop, failure] = std::from_chars(text.data(), end, value);
    return failure == std::errc() && stop == end && value >= low && value <= high;
}

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t cross = text.find('x');
    long long w = 0;
    long long h = 0;
    if (cross == std::string::npos || !parseNumber(text.substr(0, cross), 1, 65500, w) ||
        !parseNumber(text.substr(cross + 1), 1, 65500, h)) {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

int runSamples(const Arguments& args) {
    samples::SampleOptions options;
    std::string folder;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        long long number = 0;
        if (arg == "--count" && hasValue) {
            if (!parseNumber(args[++i], 0, 1'000'000, number)) {
                std::fprintf(stderr, "lumora-cli samples: bad count '%s'\n", args[i].c_str());
                return usage();
            }
            options.count = static_cast<int>(number);
        } else if (arg == "--seed" && hasValue) {
            if (!parseNumber(args[++i], 0, 0xFFFFFFFFLL, number)) {
                std::fprintf(stderr, "lumora-cli samples: bad seed '%s'\n", args[i].c_str());
                return usage();
            }
            options.seed = static_cast<uint32_t>(number);
        } else if (arg == "--size" && hasValue) {
            if (!parseSize(args[++i], options.width, options.height)) {
                std::fprintf(stderr, "lumora-cli samples: bad size '%s'\n", args[i].c_str());
                return usage();
            }
        } else if (arg == "--camera-size") {
            options.width = samples::kCameraWidth;
            options.height = samples::kCameraHeight;
        } else if (arg == "--no-thumbnails") {
            options.thumbnails = false;
        } else if (arg == "--flat") {
            options.nested = false;
        } else if (arg == "--distinct") {
            options.distinct = true;
        } else if (!arg.empty() && arg[0] == '-') {
            std::fprintf(stderr, "lumora-cli samples: unknown option '%s'\n", arg.c_str());
            return usage();
        } else if (folder.empty()) {
            folder = arg;
        } else {
            return usage();
        }
    }
    if (folder.empty()) return usage();

    samples::SampleCounts counts;
    std::string error;
    if (!samples::writeSamples(folder, options, counts, error)) {
        std::fprintf(stderr, "lumora-cli samples: %s\n", error.c_str());
        return kExitFailure;
    }
    std::printf(
        "Wrote %d files to %s: %d pictures the scan lists (%d with a zero date, %d "
        "copies), %d without EXIF, %d without a date, %d named .jpeg, %d in a skipped "
        "folder; %d without a thumbnail.\n",
        counts.files, folder.c_str(), counts.listed, counts.zeroDates, counts.duplicates,
        counts.noExif, counts.noDate, counts.notListedSuffix, counts.skippedFolder,
        counts.withoutThumbnail);
    return kExitSuccess;
}

}  // namespace lumora::cli
