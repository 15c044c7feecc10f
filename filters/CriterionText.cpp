#include "filters/CriterionText.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "filters/CriterionNames.h"

namespace lumora {
namespace {

// The text fields are fixed arrays; a damaged record may lack its NUL.
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

}  // namespace

std::string formatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (length > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        text.assign(buffer.data(), static_cast<std::size_t>(length));
    }
    va_end(again);
    return text;
}

int32_t truncateToInt32(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(std::numeric_limits<int32_t>::min())) {
        return std::numeric_limits<int32_t>::min();
    }
    if (value >= static_cast<double>(std::numeric_limits<int32_t>::max())) {
        return std::numeric_limits<int32_t>::max();
    }
    return static_cast<int32_t>(value);
}

std::string cameraMakeText(const ExifInfo& exif) {
    return fieldText(exif.CameraMake);
}

std::string cameraModelText(const ExifInfo& exif) {
    return fieldText(exif.CameraModel);
}

std::string exposureTimeText(float seconds) {
    const double t = seconds;
    if (t > 0.5) return formatText("%6.3fs", t);
    return formatText("(1/%d)~%6.3fs", exposureFractionDenominator(seconds), t);
}

int32_t exposureFractionDenominator(float seconds) {
    const float reciprocal = 1.0f / seconds;
    return truncateToInt32(static_cast<double>(reciprocal) + 0.5);
}

std::optional<std::string> formatCriterionValue(FilterCriterion criterion, const ExifInfo& exif) {
    switch (criterion) {
        case FilterCriterion::Camera:
            return cameraMakeText(exif);
        case FilterCriterion::Size:
            return formatText("%d x %d", exif.Width, exif.Height);
        case FilterCriterion::FocalLength:
            if (exif.FocalLength == 0.0f) return std::nullopt;
            return formatText("%4.1fmm", static_cast<double>(exif.FocalLength));
        case FilterCriterion::Resolution:
            if (exif.Xresolution == 0.0f) return std::nullopt;
            return formatText("%5.1f,%5.1f", static_cast<double>(exif.Xresolution),
                              static_cast<double>(exif.Yresolution));
        case FilterCriterion::ExposureTime:
            if (exif.ExposureTime == 0.0f) return std::nullopt;
            return exposureTimeText(exif.ExposureTime);
        case FilterCriterion::Aperture:
            if (exif.ApertureFNumber == 0.0f) return std::nullopt;
            return formatText("f/%3.1f", static_cast<double>(exif.ApertureFNumber));
        case FilterCriterion::Iso:
            if (exif.ISOequivalent == 0) return std::nullopt;
            return formatText("%2d", exif.ISOequivalent);
        case FilterCriterion::FocusDistance:
            if (exif.Distance == 0.0f) return std::nullopt;
            if (exif.Distance >= 0.0f) {
                return formatText("%4.2fm", static_cast<double>(exif.Distance));
            }
            return std::string("Infinite");
        case FilterCriterion::ExposureBias:
            if (exif.ExposureBias == 0.0f) return std::nullopt;
            return formatText("%4.2f", static_cast<double>(exif.ExposureBias));
        case FilterCriterion::Flash:
            return std::string(exif.FlashUsed != 0 ? "Yes" : "No");
        case FilterCriterion::MeteringMode:
            if (exif.MeteringMode == 0) return std::nullopt;
            return std::string(meteringModeName(exif.MeteringMode));
        case FilterCriterion::ExposureProgram:
            if (exif.ExposureProgram == 0) return std::nullopt;
            return std::string(exposureProgramName(exif.ExposureProgram));
        case FilterCriterion::WhiteBalance:
            if (exif.Whitebalance == 0) return std::nullopt;
            return std::string(lightSourceName(exif.Whitebalance));
    }
    return std::nullopt;
}

}  // namespace lumora
