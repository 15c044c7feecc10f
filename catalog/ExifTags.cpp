#include "catalog/ExifTags.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace lumora {
namespace {

using K = ExifTagKind;

constexpr ExifTagRule text(uint16_t tag, char* (*field)(ExifInfo&), uint16_t maxChars) {
    return {tag, K::Text, nullptr, nullptr, field, maxChars};
}
constexpr ExifTagRule real(uint16_t tag, ExifTagKind kind, float ExifInfo::*field) {
    return {tag, kind, field, nullptr, nullptr, 0};
}
constexpr ExifTagRule integer(uint16_t tag, ExifTagKind kind, int32_t ExifInfo::*field) {
    return {tag, kind, nullptr, field, nullptr, 0};
}
constexpr ExifTagRule special(uint16_t tag, ExifTagKind kind) {
    return {tag, kind, nullptr, nullptr, nullptr, 0};
}

// Sorted by tag.
constexpr ExifTagRule kTagRules[] = {
    text(
        0x010F, [](ExifInfo& i) { return i.CameraMake; }, 31),
    text(
        0x0110, [](ExifInfo& i) { return i.CameraModel; }, 39),
    integer(0x0112, K::Orientation, &ExifInfo::Orientation),
    real(0x011A, K::Float, &ExifInfo::Xresolution),
    real(0x011B, K::Float, &ExifInfo::Yresolution),
    real(0x0128, K::Unit, &ExifInfo::ResolutionUnit),
    special(0x0201, K::ThumbnailOffset),
    special(0x0202, K::ThumbnailLength),
    real(0x829A, K::Float, &ExifInfo::ExposureTime),
    real(0x829D, K::Float, &ExifInfo::ApertureFNumber),
    special(0x8769, K::SubDirectory),
    integer(0x8822, K::Integer, &ExifInfo::ExposureProgram),
    integer(0x8827, K::IsoSpeed, &ExifInfo::ISOequivalent),
    text(
        0x9000, [](ExifInfo& i) { return i.Version; }, 4),
    text(
        0x9003, [](ExifInfo& i) { return i.DateTime; }, 19),
    integer(0x9102, K::Integer, &ExifInfo::CompressionLevel),
    real(0x9201, K::ShutterSpeed, &ExifInfo::ExposureTime),
    real(0x9202, K::Aperture, &ExifInfo::ApertureFNumber),
    real(0x9203, K::Float, &ExifInfo::Brightness),
    real(0x9204, K::Float, &ExifInfo::ExposureBias),
    real(0x9205, K::Aperture, &ExifInfo::ApertureFNumber),
    real(0x9206, K::Float, &ExifInfo::Distance),
    integer(0x9207, K::Integer, &ExifInfo::MeteringMode),
    integer(0x9208, K::Integer, &ExifInfo::Whitebalance),
    integer(0x9209, K::Flash, &ExifInfo::FlashUsed),
    real(0x920A, K::Float, &ExifInfo::FocalLength),
    special(0x9286, K::UserComment),
    special(0xA002, K::PixelDimension),
    special(0xA003, K::PixelDimension),
    special(0xA005, K::SubDirectory),
    real(0xA20E, K::Float, &ExifInfo::FocalplaneXRes),
    real(0xA20F, K::Float, &ExifInfo::FocalplaneYRes),
    real(0xA210, K::Unit, &ExifInfo::FocalplaneUnits),
};

constexpr bool sortedByTag() {
    for (size_t i = 1; i < std::size(kTagRules); ++i) {
        if (kTagRules[i - 1].tag >= kTagRules[i].tag) return false;
    }
    return true;
}
static_assert(sortedByTag(), "the tag rules are searched by halving");

// Indexed by the format code; code 0 is not a legal code.
constexpr std::array<uint8_t, 13> kFormatSizes = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};

}  // namespace

const ExifTagRule* findExifTagRule(uint16_t tag) {
    const auto* end = std::end(kTagRules);
    const auto* found = std::lower_bound(
        std::begin(kTagRules), end, tag,
        [](const ExifTagRule& rule, uint16_t wanted) { return rule.tag < wanted; });
    return found != end && found->tag == tag ? found : nullptr;
}

uint32_t tiffFormatSize(uint32_t format) {
    return format < kFormatSizes.size() ? kFormatSizes[format] : 0;
}

bool resolutionUnitFactor(int64_t code, float& factor) {
    switch (code) {
        case 1:
        case 2:
            factor = 1.0f;
            return true;
        case 3:
            factor = static_cast<float>(1.0 / 2.54);
            return true;
        case 4:
            factor = static_cast<float>(1.0 / 25.4);
            return true;
        case 5:
            factor = static_cast<float>(1.0 / 25400.0);
            return true;
        default:
            return false;
    }
}

}  // namespace lumora
