#include "samples/SampleGenerator.h"

#include <filesystem>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include "samples/JpegFileWriter.h"
#include "samples/SampleExif.h"

namespace lumora::samples {

namespace {

constexpr int kQuality = 85;
constexpr int kThumbnailQuality = 75;

// Encoded bodies and thumbnails, made once per (body, grey) and reused: with
// shared bodies a large corpus costs a handful of encodes.
class BodyCache {
  public:
    explicit BodyCache(const SampleOptions& options) : options_(options) {}

    const std::vector<uint8_t>& image(const PlannedSample& sample) {
        return find(images_, sample, options_.width, options_.height, kQuality);
    }
    const std::vector<uint8_t>& thumbnail(const PlannedSample& sample) {
        return find(thumbnails_, sample, kThumbnailWidth, kThumbnailHeight, kThumbnailQuality);
    }

  private:
    using Key = std::pair<int, bool>;
    using Store = std::map<Key, std::vector<uint8_t>>;

    const std::vector<uint8_t>& find(Store& store, const PlannedSample& sample, int width,
                                     int height, int quality) {
        const Key key{sample.body, sample.grey};
        auto found = store.find(key);
        if (found != store.end()) return found->second;
        // The same seed at both sizes, so a thumbnail shows its picture.
        const uint32_t seed = options_.seed * 1000003U + static_cast<uint32_t>(sample.body);
        auto bytes = encodePattern(width, height, sample.grey ? 1 : 3, quality, seed);
        // Without sharing every body is used once (its duplicate aside): keep
        // only the latest so a large distinct set does not pile up in memory.
        if (!sharesBodies(options_)) store.clear();
        return store.emplace(key, std::move(bytes)).first->second;
    }

    SampleOptions options_;
    Store images_;
    Store thumbnails_;
};

// What an image editor leaves: a JFIF header and a comment, no camera data.
std::vector<uint8_t> jfifSegment() {
    return {0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',  0x00,
            0x01, 0x01, 0x01, 0x00, 0x48, 0x00, 0x48, 0x00, 0x00};
}

std::vector<uint8_t> buildSample(const PlannedSample& sample, const SampleOptions& options,
                                 BodyCache& cache) {
    const std::vector<uint8_t>& image = cache.image(sample);
    if (sample.kind == SampleKind::NoExif) {
        return buildJpegFile(image, {jfifSegment(), commentSegment("Scanned from a print")});
    }
    static const std::vector<uint8_t> kNone;
    const std::vector<uint8_t>& thumbnail = sample.thumbnail ? cache.thumbnail(sample) : kNone;
    const std::vector<uint8_t> exif =
        buildExifSegment(buildSampleExif(sample, options.width, options.height, thumbnail));
    if (exif.empty()) return {};
    return buildJpegFile(image, {exif});
}

}  // namespace

bool writeSamples(const std::string& folder, const SampleOptions& options, SampleCounts& counts,
                  std::string& error) {
    if (options.count < 0 || options.width < 1 || options.height < 1 || options.width > 65500 ||
        options.height > 65500) {
        error = "impossible sample set options";
        return false;
    }
    const std::vector<PlannedSample> plan = planSamples(options);
    counts = countSamples(plan);
    BodyCache cache(options);
    const std::filesystem::path root(folder);
    // Samples go into a folder of their own: a name already taken (somebody's
    // real picture, perhaps) stops the set before anything is written.
    for (const PlannedSample& sample : plan) {
        const std::filesystem::path path = root / sample.path;
        std::error_code failure;
        if (std::filesystem::exists(std::filesystem::symlink_status(path, failure))) {
            error = path.string() + " already exists; samples never replace a file";
            return false;
        }
    }
    for (const PlannedSample& sample : plan) {
        const std::filesystem::path path = root / sample.path;
        std::error_code failure;
        std::filesystem::create_directories(path.parent_path(), failure);
        if (failure) {
            error =
                "cannot create folder " + path.parent_path().string() + ": " + failure.message();
            return false;
        }
        const std::vector<uint8_t> bytes = buildSample(sample, options, cache);
        if (bytes.empty()) {
            error = "cannot encode " + path.string();
            return false;
        }
        if (!writeFile(path.string(), bytes)) {
            error = "cannot write " + path.string();
            return false;
        }
    }
    return true;
}

}  // namespace lumora::samples
