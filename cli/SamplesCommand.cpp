#include <charconv>
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "cli/Options.h"
#include "samples/SampleGenerator.h"

namespace lumora::cli {
namespace {

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
    constexpr const char* kCommand = "samples";
    ParsedArguments parsed;
    std::string problem;
    if (!parseArguments(args, {"--count", "--seed", "--size"}, parsed, problem)) {
        return usageError(kCommand, problem);
    }
    samples::SampleOptions options;
    for (const Option& option : parsed.options) {
        long long number = 0;
        if (option.name == "--count") {
            if (!parseNumber(option.value, 0, 1'000'000, number)) {
                return usageError(kCommand, "bad count '" + option.value + "'");
            }
            options.count = static_cast<int>(number);
        } else if (option.name == "--seed") {
            if (!parseNumber(option.value, 0, 0xFFFFFFFFLL, number)) {
                return usageError(kCommand, "bad seed '" + option.value + "'");
            }
            options.seed = static_cast<uint32_t>(number);
        } else if (option.name == "--size") {
            if (!parseSize(option.value, options.width, options.height)) {
                return usageError(kCommand, "bad size '" + option.value + "'");
            }
        } else if (option.name == "--camera-size") {
            options.width = samples::kCameraWidth;
            options.height = samples::kCameraHeight;
        } else if (option.name == "--no-thumbnails") {
            options.thumbnails = false;
        } else if (option.name == "--flat") {
            options.nested = false;
        } else if (option.name == "--distinct") {
            options.distinct = true;
        } else {
            return usageError(kCommand, "unknown option '" + option.name + "'");
        }
    }
    if (parsed.operands.size() != 1) return usageError(kCommand, "give one folder");
    const std::string& folder = parsed.operands[0];

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
