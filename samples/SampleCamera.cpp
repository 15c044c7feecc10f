#include "samples/SampleCamera.h"

namespace lumora::samples {

namespace {

// Both byte orders and both focal-plane units appear among them.
constexpr SampleCamera kCameras[] = {
    {"Canon", "Canon PowerShot G15X", ByteOrder::Intel, "IMG_", "CANON", 720, 72, 288, 2},
    {"NIKON CORPORATION", "NIKON D72", ByteOrder::Motorola, "DSCN", "NIKON", 2370, 180, 700, 3},
    {"OLYMPUS", "C-5150Z", ByteOrder::Intel, "P101", "OLYMP", 710, 71, 213, 2},
    {"FUJIFILM", "FinePix S5700", ByteOrder::Motorola, "DSCF", "_FUJI", 576, 63, 630, 3},
    {"SONY", "DSC-W35", ByteOrder::Intel, "DSC0", "MSDCF", 575, 63, 189, 2},
};

}  // namespace

std::span<const SampleCamera> sampleCameras() {
    return kCameras;
}

}  // namespace lumora::samples
