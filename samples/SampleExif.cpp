#include "samples/SampleExif.h"

#include <string>

#include "samples/SampleCamera.h"

namespace lumora::samples {

namespace {

struct Fraction {
    int32_t numerator;
    int32_t denominator;
};

// Exposure settings a camera of these years would record.
constexpr Fraction kExposureTimes[] = {{1, 30},   {1, 60}, {1, 125}, {1, 250}, {1, 500},
                                       {1, 1000}, {1, 8},  {2, 1},   {10, 40}};
constexpr Fraction kFNumbers[] = {{28, 10}, {40, 10}, {56, 10}, {80, 10}, {110, 10}, {35, 10}};
constexpr uint16_t kIsoSpeeds[] = {50, 100, 200, 400, 800, 64};
constexpr uint16_t kFlashes[] = {0, 1, 16, 24, 25, 0x1F, 0x59};
constexpr uint16_t kMeteringModes[] = {1, 2, 3, 5, 255};
constexpr uint16_t kExposurePrograms[] = {1, 2, 2, 3, 4};
constexpr uint16_t kLightSources[] = {0, 1, 2, 3, 4, 10};
constexpr Fraction kExposureBiases[] = {{0, 3}, {-2, 3}, {1, 3}, {2, 3}, {-1, 1}, {0, 1}};
constexpr Fraction kDistances[] = {{150, 100}, {350, 100}, {1000, 100}, {42, 100}, {0, 1}};
constexpr const char* kComments[] = {"Birthday party", "On the beach", "Grandma's garden",
                                     "Harbour at dusk", "First snow"};

template <typename T, size_t N>
const T& pick(const T (&table)[N], uint32_t& state) {
    state = state * 1103515245U + 12345U;
    return table[(state >> 8) % N];
}

std::vector<uint8_t> userCommentBytes(const std::string& text) {
    std::vector<uint8_t> bytes = {'A', 'S', 'C', 'I', 'I', 0, 0, 0};
    bytes.insert(bytes.end(), text.begin(), text.end());
    // Cameras pad the comment field with spaces.
    bytes.insert(bytes.end(), 8, ' ');
    return bytes;
}

}  // namespace

ExifBlockSpec buildSampleExif(const PlannedSample& sample, int width, int height,
                              const std::vector<uint8_t>& thumbnail) {
    const SampleCamera& camera = sampleCameras()[sample.camera];
    uint32_t state = sample.valueSeed;
    ExifBlockSpec spec;
    spec.order = camera.order;

    const uint32_t resolution = (state & 1) != 0 ? 72 : 180;
    spec.ifd0 = {
        asciiEntry(0x010F, camera.make),
        asciiEntry(0x0110, camera.model),
        shortEntry(0x0112, static_cast<uint16_t>(sample.orientation)),
        rationalEntry(0x011A, resolution, 1),
        rationalEntry(0x011B, resolution, 1),
        shortEntry(0x0128, 2),
        asciiEntry(0x0132, sample.dateTime),
        shortEntry(0x0213, 1),
    };

    const Fraction exposure = pick(kExposureTimes, state);
    const Fraction fNumber = pick(kFNumbers, state);
    const Fraction bias = pick(kExposureBiases, state);
    const Fraction distance = pick(kDistances, state);
    state = state * 1103515245U + 12345U;
    const uint32_t focalTenths =
        camera.focalMinTenthsMm +
        (state >> 8) % (camera.focalMaxTenthsMm - camera.focalMinTenthsMm + 1);
    // Pixels per focal-plane unit across the sensor's width.
    const uint32_t unitHundredthsMm = camera.focalPlaneUnit == 2 ? 2540 : 1000;
    const auto focalPlaneX = static_cast<uint32_t>(width) * unitHundredthsMm;

    spec.exifIfd = {
        rationalEntry(0x829A, static_cast<uint32_t>(exposure.numerator),
                      static_cast<uint32_t>(exposure.denominator)),
        rationalEntry(0x829D, static_cast<uint32_t>(fNumber.numerator),
                      static_cast<uint32_t>(fNumber.denominator)),
        shortEntry(0x8822, pick(kExposurePrograms, state)),
        shortEntry(0x8827, pick(kIsoSpeeds, state)),
        undefinedEntry(0x9000, {'0', '2', '2', '0'}),
    };
    if (sample.kind != SampleKind::NoDate) {
        spec.exifIfd.push_back(asciiEntry(0x9003, sample.dateTime));
    }
    spec.exifIfd.insert(spec.exifIfd.end(),
                        {
                            asciiEntry(0x9004, sample.dateTime),
                            undefinedEntry(0x9101, {1, 2, 3, 0}),
                            rationalEntry(0x9102, (state >> 4) % 2 == 0 ? 2 : 5, 1),
                            srationalEntry(0x9204, bias.numerator, bias.denominator),
                            rationalEntry(0x9205, 30, 10),
                            rationalEntry(0x9206, static_cast<uint32_t>(distance.numerator),
                                          static_cast<uint32_t>(distance.denominator)),
                            shortEntry(0x9207, pick(kMeteringModes, state)),
                            shortEntry(0x9208, pick(kLightSources, state)),
                            shortEntry(0x9209, pick(kFlashes, state)),
                            rationalEntry(0x920A, focalTenths, 10),
                        });
    if (sample.userComment) {
        spec.exifIfd.push_back(undefinedEntry(0x9286, userCommentBytes(pick(kComments, state))));
    }
    spec.exifIfd.insert(spec.exifIfd.end(),
                        {
                            undefinedEntry(0xA000, {'0', '1', '0', '0'}),
                            shortEntry(0xA001, 1),
                            longEntry(0xA002, static_cast<uint32_t>(width)),
                            longEntry(0xA003, static_cast<uint32_t>(height)),
                            rationalEntry(0xA20E, focalPlaneX, camera.sensorWidthHundredthsMm),
                            rationalEntry(0xA20F, focalPlaneX, camera.sensorWidthHundredthsMm),
                            shortEntry(0xA210, camera.focalPlaneUnit),
                        });
    spec.interopIfd = {asciiEntry(0x0001, "R98"), undefinedEntry(0x0002, {'0', '1', '0', '0'})};
    if (!thumbnail.empty()) {
        spec.ifd1 = {
            shortEntry(0x0103, 6),
            rationalEntry(0x011A, 72, 1),
            rationalEntry(0x011B, 72, 1),
            shortEntry(0x0128, 2),
        };
        spec.thumbnail = thumbnail;
    }
    return spec;
}

}  // namespace lumora::samples
