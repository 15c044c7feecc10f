#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::samples {

inline constexpr int kCameraWidth = 4000;  // 12 megapixels
inline constexpr int kCameraHeight = 3000;
inline constexpr int kSmallWidth = 640;
inline constexpr int kSmallHeight = 480;
inline constexpr int kThumbnailWidth = 160;
inline constexpr int kThumbnailHeight = 120;

struct SampleOptions {
    int count = 30;  // files written, of every kind
    int width = kSmallWidth;
    int height = kSmallHeight;
    bool thumbnails = true;  // false: no picture gets an embedded thumbnail
    bool nested = true;      // false: every file in the top folder
    bool distinct = false;   // true: every picture gets its own image body
    uint32_t seed = 1;
};

// What a file is. Which index gets which kind is fixed (see planSamples), so
// the counts of a set follow from its count alone.
enum class SampleKind {
    Picture,        // camera picture with EXIF and a date
    NoExif,         // i % 15 == 7: a JFIF file with a comment, no EXIF
    ZeroDate,       // i % 30 == 13: DateTimeOriginal "0000:00:00 00:00:00"
    NoDate,         // i % 30 == 23: EXIF without DateTimeOriginal
    Duplicate,      // i % 20 == 11: byte-identical copy of an earlier picture
    JpegSuffix,     // i % 40 == 19: a picture named .jpeg, which the scan does not list
    SkippedFolder,  // i % 50 == 27 when nested: a picture in "Temporary Internet Files"
};

struct PlannedSample {
    std::string path;  // relative to the output folder, '/'-separated
    SampleKind kind = SampleKind::Picture;
    int index = 0;
    int duplicateOf = -1;  // for Duplicate: the index of the copied sample
    int camera = 0;        // index in the camera table
    int body = 0;          // which image body (shared bodies repeat)
    bool grey = false;
    bool thumbnail = true;
    int orientation = 1;
    bool userComment = false;
    std::string dateTime;    // "YYYY:MM:DD HH:MM:SS"
    uint32_t valueSeed = 0;  // picks the exposure values
};

// Large sets and camera-sized pictures share this many image bodies per
// colour kind unless distinct bodies are asked for: encoding thousands of
// 12-megapixel pictures would take far longer than reading them.
inline constexpr int kSharedBodies = 8;
inline constexpr int kDistinctUpTo = 100;

bool sharesBodies(const SampleOptions& options);

// The set, in writing order. Deterministic in the options.
std::vector<PlannedSample> planSamples(const SampleOptions& options);

struct SampleCounts {
    int files = 0;
    int listed = 0;  // what the scan of the folder lists
    int noExif = 0;
    int noDate = 0;
    int zeroDates = 0;
    int duplicates = 0;
    int notListedSuffix = 0;
    int skippedFolder = 0;
    int withoutThumbnail = 0;
    int grey = 0;
};

SampleCounts countSamples(const std::vector<PlannedSample>& plan);

}  // namespace lumora::samples
