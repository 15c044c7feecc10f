#include "samples/SamplePlan.h"

#include <cstdio>

#include "samples/SampleCamera.h"

namespace lumora::samples {

namespace {

constexpr int kPerSession = 6;  // consecutive pictures of one outing

uint32_t mix(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
int64_t daysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2));
}

// Outings over a few days and months; later ones a week apart, so that even
// 20,000 pictures stay within a few years.
int64_t sessionDay(int session, uint32_t seed) {
    constexpr int kDayOffsets[] = {0, 0, 1, 2, 33, 34, 61, 62, 95, 150};
    return daysFromCivil(2004, 5, 1) + seed % 97 + kDayOffsets[session % 10] +
           static_cast<int64_t>(session / 10) * 7;
}

std::string dateTimeOf(int index, uint32_t seed) {
    const int session = index / kPerSession;
    const int within = index % kPerSession;
    int64_t seconds = (8 + session * 5 % 12) * 3600 + (session * 17 % 60) * 60;
    // Each picture a few minutes after the one before, except a burst: the
    // fourth of an outing shares the third's second.
    for (int j = 1; j <= within; ++j) {
        if (j != 3) seconds += 60 + mix(seed * 131 + session * 7 + j) % 400;
    }
    // One picture taken exactly at midnight.
    if (index == 2 * kPerSession) seconds = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    civilFromDays(sessionDay(session, seed) + seconds / 86400, year, month, day);
    seconds %= 86400;
    char text[48];  // room for any int, though the fields stay in range
    std::snprintf(text, sizeof text, "%04d:%02d:%02d %02d:%02d:%02d", year, month, day,
                  static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text;
}

std::string folderOf(int session, const SampleCamera& camera) {
    const std::string brand = camera.folderBrand;
    switch (session % 7) {
        case 0:
            return "DCIM/100" + brand;
        case 1:
            return "";
        case 2:
            return "Holidays 2004";
        case 3:
            return "Holidays 2004/Day 2";
        case 4:
            return "DCIM/101" + brand;
        case 5:
            return "Family/Birthday";
        default:
            return "Family";
    }
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

SampleKind kindOf(int i, bool nested) {
    if (i % 15 == 7) return SampleKind::NoExif;
    if (i % 30 == 13) return SampleKind::ZeroDate;
    if (i % 30 == 23) return SampleKind::NoDate;
    if (i % 20 == 11) return SampleKind::Duplicate;
    if (i % 40 == 19) return SampleKind::JpegSuffix;
    if (i % 50 == 27 && nested) return SampleKind::SkippedFolder;
    return SampleKind::Picture;
}

}  // namespace

bool sharesBodies(const SampleOptions& options) {
    if (options.distinct) return false;
    const bool cameraSized = static_cast<int64_t>(options.width) * options.height >= 4'000'000;
    return cameraSized || options.count > kDistinctUpTo;
}

std::vector<PlannedSample> planSamples(const SampleOptions& options) {
    const auto cameras = sampleCameras();
    const bool shared = sharesBodies(options);
    std::vector<PlannedSample> plan;
    for (int i = 0; i < options.count; ++i) {
        PlannedSample sample;
        sample.index = i;
        sample.kind = kindOf(i, options.nested);
        const int session = i / kPerSession;
        sample.camera = static_cast<int>((session + options.seed) % cameras.size());
        const SampleCamera& camera = cameras[sample.camera];
        sample.body = shared ? i % kSharedBodies : i;
        sample.grey = i % 12 == 5;
        sample.thumbnail = options.thumbnails && i % 25 != 17 && sample.kind != SampleKind::NoExif;
        sample.orientation = i % 9 == 4 ? 6 : i % 9 == 8 ? 8 : 1;
        sample.userComment = i % 4 == 2;
        sample.dateTime = sample.kind == SampleKind::ZeroDate ? "0000:00:00 00:00:00"
                                                              : dateTimeOf(i, options.seed);
        sample.valueSeed = mix(options.seed * 0x9e3779b9U + static_cast<uint32_t>(i));

        constexpr const char* kSuffixes[] = {".JPG", ".JPG", ".jpg", ".JPG",
                                             ".Jpg", ".jpg", ".JPG"};
        char number[16];
        std::snprintf(number, sizeof number, "%04d", (i + 1) % 10000);
        std::string name = std::string(camera.filePrefix) + number +
                           (sample.kind == SampleKind::JpegSuffix ? ".jpeg" : kSuffixes[i % 7]);
        const std::string folder = options.nested ? folderOf(session, camera) : "";
        sample.path = joined(folder, name);
        if (sample.kind == SampleKind::SkippedFolder) {
            sample.path = joined("Temporary Internet Files", name);
        }
        if (sample.kind == SampleKind::Duplicate) {
            int original = i - 1;
            while (original >= 0 && plan[original].kind != SampleKind::Picture) --original;
            if (original < 0) {
                sample.kind = SampleKind::Picture;
            } else {
                const PlannedSample& source = plan[original];
                const std::string path =
                    options.nested ? joined("Backup", source.path) : "Copy of " + source.path;
                sample = source;
                sample.kind = SampleKind::Duplicate;
                sample.index = i;
                sample.duplicateOf = original;
                sample.path = path;
            }
        }
        plan.push_back(std::move(sample));
    }
    return plan;
}

SampleCounts countSamples(const std::vector<PlannedSample>& plan) {
    SampleCounts counts;
    for (const PlannedSample& sample : plan) {
        ++counts.files;
        switch (sample.kind) {
            case SampleKind::Picture:
                ++counts.listed;
                break;
            case SampleKind::NoExif:
                ++counts.noExif;
                break;
            case SampleKind::ZeroDate:
                ++counts.zeroDates, ++counts.listed;
                break;
            case SampleKind::NoDate:
                ++counts.noDate;
                break;
            case SampleKind::Duplicate:
                ++counts.duplicates, ++counts.listed;
                break;
            case SampleKind::JpegSuffix:
                ++counts.notListedSuffix;
                break;
            case SampleKind::SkippedFolder:
                ++counts.skippedFolder;
                break;
        }
        if (!sample.thumbnail && sample.kind != SampleKind::NoExif) ++counts.withoutThumbnail;
        if (sample.grey) ++counts.grey;
    }
    return counts;
}

}  // namespace lumora::samples
