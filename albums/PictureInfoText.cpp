#include "albums/PictureInfoText.h"

#include "albums/CameraClock.h"
#include "albums/DateTimeText.h"
#include "albums/FieldText.h"
#include "filters/CriterionText.h"

namespace lumora {
namespace {

constexpr size_t kCommentCharactersRead = 1000;
constexpr float kMillimetresPerInch = 25.4f;

const char* whiteBalanceLine(int32_t code) {
    switch (code) {
        case 1:
            return "Whitebalance : sunny";
        case 2:
            return "Whitebalance : fluorescent";
        case 3:
            return "Whitebalance : incandescent";
        default:
            return "Whitebalance : cloudy";
    }
}

const char* meteringModeLine(int32_t code) {
    static const char* const kLines[] = {
        "Metering Mode: average",   "Metering Mode: center weight", "Metering Mode: spot",
        "Metering Mode: multispot", "Metering Mode: matrix",        "Metering Mode: partial",
    };
    return code >= 1 && code <= 6 ? kLines[code - 1] : nullptr;
}

const char* exposureProgramLine(int32_t code) {
    static const char* const kLines[] = {
        "Exposure     : manual",
        "Exposure     : program (auto)",
        "Exposure     : aperture priority (semi-auto)",
        "Exposure     : shutter priority (semi-auto)",
        "Exposure     : creative program(biased toward depth of field)",
        "Exposure     : action program (biased toward fast shutter speed)",
        "Exposure     : portrait mode",
        "Exposure     : landscape mode",
    };
    return code >= 1 && code <= 8 ? kLines[code - 1] : nullptr;
}

const char* jpegQualityLine(int32_t level) {
    switch (level) {
        case 1:
            return "Jpeg Quality : basic";
        case 2:
            return "Jpeg Quality : normal";
        case 4:
            return "Jpeg Quality : fine";
        default:
            return nullptr;
    }
}

// A line feed starts a new entry only when more characters follow it, so a
// comment that ends in one gives no empty last entry.
void addCommentLines(const ExifInfo& exif, std::vector<std::string>& lines) {
    const std::string comment = fieldText(exif.Comments, sizeof exif.Comments);
    const size_t length =
        comment.size() < kCommentCharactersRead ? comment.size() : kCommentCharactersRead;
    if (length == 0) return;
    std::string line = "Comment      : ";
    for (size_t i = 0; i < length; ++i) {
        if (comment[i] != '\n') {
            line += comment[i];
        } else if (i + 1 < length) {
            lines.push_back(line);
            line = "Comment      : ";
        }
    }
    lines.push_back(line);
}

}  // namespace

const char* jpegProcessName(int32_t markerCode) {
    switch (markerCode) {
        case 0xC0:
            return "Baseline";
        case 0xC1:
            return "Extended sequential";
        case 0xC2:
            return "Progressive";
        case 0xC3:
            return "Lossless";
        case 0xC5:
            return "Differential sequential";
        case 0xC6:
            return "Differential progressive";
        case 0xC7:
            return "Differential lossless";
        case 0xC9:
            return "Extended sequential, arithmetic coding";
        case 0xCA:
            return "Progressive, arithmetic coding";
        case 0xCB:
            return "Lossless, arithmetic coding";
        case 0xCD:
            return "Differential sequential, arithmetic coding";
        case 0xCE:
            return "Differential progressive, arithmetic coding";
        case 0xCF:
            return "Differential lossless, arithmetic coding";
        default:
            return "Unknown";
    }
}

namespace {

std::vector<std::string> infoLines(const ExifInfo& exif, uint64_t dateTime, int dateFormat,
                                   int timeFormat, const uint64_t* cameraTime) {
    std::vector<std::string> lines;
    const std::string make = fieldText(exif.CameraMake);
    if (!make.empty()) {
        lines.push_back(formatText("Camera make  : %s", make.c_str()));
        lines.push_back(formatText("Camera model : %s", fieldText(exif.CameraModel).c_str()));
    }
    if (!fieldText(exif.DateTime).empty()) {
        std::string date = formatText("Date: %s", dateText(dateTime, dateFormat).c_str());
        std::string time = formatText("Time: %s", timeText(dateTime, timeFormat).c_str());
        if (cameraTime != nullptr) {
            date += formatText(" (camera: %s)", dateText(*cameraTime, dateFormat).c_str());
            time += formatText(" (camera: %s)", timeText(*cameraTime, timeFormat).c_str());
        }
        lines.push_back(date);
        lines.push_back(time);
    }
    const std::string version = fieldText(exif.Version);
    if (!version.empty()) lines.push_back(formatText("Exif version : %s", version.c_str()));
    lines.push_back(formatText("Width x Height   : %d x %d", exif.Width, exif.Height));
    if (exif.ResolutionUnit != 0) {
        if (exif.Xresolution != 0) {
            lines.push_back(
                formatText("X resolution (dpi) : %5.1f",
                           static_cast<double>(exif.Xresolution / exif.ResolutionUnit)));
        }
        if (exif.Yresolution != 0) {
            lines.push_back(
                formatText("Y resolution (dpi) : %5.1f",
                           static_cast<double>(exif.Yresolution / exif.ResolutionUnit)));
        }
    }
    lines.push_back(exif.IsColor ? "Color/bw     : Color" : "Color/bw     : Black and white");
    if (exif.FlashUsed >= 0) {
        lines.push_back(formatText("Flash used   : %s", exif.FlashUsed ? "Yes" : "No"));
    }
    // The reader gives the sensor width in inches; these lines speak of mm.
    const float ccdWidthMm = exif.CCDWidth * kMillimetresPerInch;
    if (exif.FocalLength != 0) {
        std::string line =
            formatText("Focal length : %4.1fmm", static_cast<double>(exif.FocalLength));
        if (exif.CCDWidth != 0) {
            const double equivalent =
                static_cast<double>(exif.FocalLength / ccdWidthMm * 36.0f) + 0.5;
            line += formatText("  (35mm equivalent: %dmm)", static_cast<int>(equivalent));
        }
        lines.push_back(line);
    }
    if (exif.CCDWidth != 0) {
        lines.push_back(formatText("CCD width    : %4.2fmm", static_cast<double>(ccdWidthMm)));
    }
    if (exif.ExposureTime != 0) {
        const double t = exif.ExposureTime;
        std::string line = formatText("Exposure time:%6.3f s ", t);
        if (t <= 0.5) line += formatText(" (1/%d)", exposureFractionDenominator(exif.ExposureTime));
        lines.push_back(line);
    }
    if (exif.Brightness != 0) {
        lines.push_back(formatText("Brightness : %6.3f", static_cast<double>(exif.Brightness)));
    }
    if (exif.ApertureFNumber != 0) {
        lines.push_back(
            formatText("Aperture     : f/%3.1f", static_cast<double>(exif.ApertureFNumber)));
    }
    if (exif.Distance != 0) {
        lines.push_back(exif.Distance < 0 ? std::string("Focus dist.  : Infinite")
                                          : formatText("Focus dist.  : %4.2fm",
                                                       static_cast<double>(exif.Distance)));
    }
    if (exif.ISOequivalent != 0) {
        lines.push_back(formatText("ISO equiv.   : %2d", exif.ISOequivalent));
    }
    if (exif.ExposureBias != 0) {
        lines.push_back(formatText("Exposure bias:%4.2f", static_cast<double>(exif.ExposureBias)));
    }
    if (exif.Whitebalance != 0) lines.push_back(whiteBalanceLine(exif.Whitebalance));
    if (const char* line = meteringModeLine(exif.MeteringMode)) lines.push_back(line);
    if (const char* line = exposureProgramLine(exif.ExposureProgram)) lines.push_back(line);
    if (const char* line = jpegQualityLine(exif.CompressionLevel)) lines.push_back(line);
    lines.push_back(std::string("Encoding      : ") + jpegProcessName(exif.Process));
    addCommentLines(exif, lines);
    return lines;
}

}  // namespace

std::vector<std::string> pictureInfoLines(const ExifInfo& exif, uint64_t dateTime, int dateFormat,
                                          int timeFormat) {
    return infoLines(exif, dateTime, dateFormat, timeFormat, nullptr);
}

std::vector<std::string> pictureInfoLines(const PictureEntry& picture, int dateFormat,
                                          int timeFormat) {
    if (!picture.exif) return {};
    const uint64_t cameraTime = cameraValue(picture);
    return infoLines(*picture.exif, picture.dateTime, dateFormat, timeFormat,
                     picture.clockOffset != 0 ? &cameraTime : nullptr);
}

}  // namespace lumora
