#include "albums/ClockOffsetText.h"

#include <cctype>

#include "filters/CriterionText.h"

namespace lumora {
namespace {

// One or two digits at `at`, at most `limit`; moves `at` past them.
bool takeNumber(const std::string& text, size_t& at, int limit, int& value) {
    size_t end = at;
    while (end < text.size() && end - at < 3 &&
           std::isdigit(static_cast<unsigned char>(text[end]))) {
        ++end;
    }
    if (end == at || end - at > 2) return false;
    value = std::stoi(text.substr(at, end - at));
    at = end;
    return value <= limit;
}

}  // namespace

ClockOffsetParts clockOffsetParts(int64_t seconds) {
    ClockOffsetParts parts;
    parts.negative = seconds < 0;
    const uint64_t magnitude =
        parts.negative ? 0 - static_cast<uint64_t>(seconds) : static_cast<uint64_t>(seconds);
    parts.days = static_cast<int64_t>(magnitude / 86400);
    parts.hours = static_cast<int>(magnitude / 3600 % 24);
    parts.minutes = static_cast<int>(magnitude / 60 % 60);
    parts.seconds = static_cast<int>(magnitude % 60);
    return parts;
}

int64_t clockOffsetSeconds(const ClockOffsetParts& parts) {
    const int64_t magnitude =
        ((parts.days * 24 + parts.hours) * 60 + parts.minutes) * 60 + parts.seconds;
    return parts.negative ? -magnitude : magnitude;
}

std::optional<int64_t> parseClockOffset(const std::string& text) {
    ClockOffsetParts parts;
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        parts.negative = text[at++] == '-';
    const size_t dayMark = text.find('d', at);
    if (dayMark != std::string::npos) {
        if (dayMark == at || dayMark - at > 5) return std::nullopt;
        for (size_t i = at; i < dayMark; ++i) {
            if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        }
        parts.days = std::stoll(text.substr(at, dayMark - at));
        if (parts.days > kMaxClockDays) return std::nullopt;
        at = dayMark + 1;
    }
    if (!takeNumber(text, at, 23, parts.hours)) return std::nullopt;
    if (at >= text.size() || text[at++] != ':') return std::nullopt;
    if (!takeNumber(text, at, 59, parts.minutes)) return std::nullopt;
    if (at < text.size()) {
        if (text[at++] != ':' || !takeNumber(text, at, 59, parts.seconds)) return std::nullopt;
    }
    if (at != text.size()) return std::nullopt;
    return clockOffsetSeconds(parts);
}

std::string clockOffsetText(int64_t seconds) {
    const ClockOffsetParts parts = clockOffsetParts(seconds);
    const char sign = parts.negative ? '-' : '+';
    if (parts.days != 0) {
        return formatText("%c%lldd%02d:%02d:%02d", sign, static_cast<long long>(parts.days),
                          parts.hours, parts.minutes, parts.seconds);
    }
    return formatText("%c%02d:%02d:%02d", sign, parts.hours, parts.minutes, parts.seconds);
}

}  // namespace lumora
