#include "cli/ExifJson.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace lumora::cli {
namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;  // range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (n - i < length || p[i + 1] < low || p[i + 1] > high) return false;
        for (size_t k = 2; k < length; ++k) {
            if (p[i + k] < 0x80 || p[i + k] > 0xBF) return false;
        }
        i += length;
    }
    return true;
}

void appendEscaped(std::string& out, unsigned char c) {
    static const char kHex[] = "0123456789abcdef";
    out += "\\u00";
    out += kHex[c >> 4];
    out += kHex[c & 0xF];
}

// A text field of the record: up to its first zero byte, never past the
// field even when no zero byte ends it.
template <size_t N>
std::string_view fieldText(const char (&field)[N]) {
    return std::string_view(field, strnlen(field, N));
}

class ObjectWriter {
  public:
    ObjectWriter() { line_ += '{'; }

    void text(const char* key, std::string_view value) { add(key, jsonString(value)); }
    void number(const char* key, int64_t value) { add(key, std::to_string(value)); }
    void number(const char* key, float value) { add(key, jsonNumber(value)); }

    std::string finish() {
        line_ += '}';
        return std::move(line_);
    }

  private:
    void add(const char* key, const std::string& value) {
        if (line_.size() > 1) line_ += ',';
        line_ += '"';
        line_ += key;
        line_ += "\":";
        line_ += value;
    }

    std::string line_;
};

}  // namespace

std::string jsonString(std::string_view text) {
    const bool utf8 = isValidUtf8(text);
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
                    appendEscaped(out, c);
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
    return out;
}

std::string jsonNumber(float value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string exifJsonLine(const std::string& path, const ExifInfo& info) {
    ObjectWriter o;
    o.text("path", path);
    o.number("IsExif", int64_t{info.IsExif});
    o.text("Version", fieldText(info.Version));
    o.text("CameraMake", fieldText(info.CameraMake));
    o.text("CameraModel", fieldText(info.CameraModel));
    o.text("DateTime", fieldText(info.DateTime));
    o.number("Width", int64_t{info.Width});
    o.number("Height", int64_t{info.Height});
    o.number("Orientation", int64_t{info.Orientation});
    o.number("IsColor", int64_t{info.IsColor});
    o.number("Process", int64_t{info.Process});
    o.number("FlashUsed", int64_t{info.FlashUsed});
    o.number("FocalLength", info.FocalLength);
    o.number("ExposureTime", info.ExposureTime);
    o.number("ApertureFNumber", info.ApertureFNumber);
    o.number("Distance", info.Distance);
    o.number("CCDWidth", info.CCDWidth);
    o.number("ExposureBias", info.ExposureBias);
    o.number("Whitebalance", int64_t{info.Whitebalance});
    o.number("MeteringMode", int64_t{info.MeteringMode});
    o.number("ExposureProgram", int64_t{info.ExposureProgram});
    o.number("ISOequivalent", int64_t{info.ISOequivalent});
    o.number("CompressionLevel", int64_t{info.CompressionLevel});
    o.number("FocalplaneXRes", info.FocalplaneXRes);
    o.number("FocalplaneYRes", info.FocalplaneYRes);
    o.number("FocalplaneUnits", info.FocalplaneUnits);
    o.number("Xresolution", info.Xresolution);
    o.number("Yresolution", info.Yresolution);
    o.number("ResolutionUnit", info.ResolutionUnit);
    o.number("Brightness", info.Brightness);
    o.text("Comments", fieldText(info.Comments));
    o.number("ThumbnailOffset", int64_t{info.ThumbnailOffset});
    o.number("ThumbnailSize", int64_t{info.ThumbnailSize});
    return o.finish();
}

}  // namespace lumora::cli
