#include "albums/DateTimeText.h"

#include <ctime>

namespace lumora {
namespace {

constexpr const char* kDatePatterns[kDateFormatCount] = {
    "%Y-%m-%d",  "%d %m %Y",     "%d %B %Y",     "%B %d, %Y",    "%d %b %Y",
    "%b %d, %Y", "%a %b %d, %Y", "%A %B %d, %Y", "%A, %d %B %Y", "%a, %d %b %Y",
};

constexpr const char* kTimePatterns[kTimeFormatCount] = {"%H %M %S", "%I %M %S %p"};

std::string bracketed(uint64_t value, const char* pattern, const Clock& clock) {
    if (pattern == nullptr) return "[]";
    // FILETIME to local FILETIME, then broken down without any time zone.
    const int64_t localSeconds = fileTimeToUnix(fileTimeToLocalFileTime(value, clock));
    std::tm fields{};
    if (!unixToUtcFields(localSeconds, fields)) return "[]";
    return "[" + formatTime(pattern, fields) + "]";
}

std::string sample(int64_t unixNow, const char* pattern) {
    std::tm fields{};
    if (pattern == nullptr || !unixToLocalFields(unixNow, fields)) return std::string();
    return formatTime(pattern, fields);
}

}  // namespace

const char* datePattern(int dateFormat) {
    if (dateFormat < 1 || dateFormat > kDateFormatCount) return nullptr;
    return kDatePatterns[dateFormat - 1];
}

const char* timePattern(int timeFormat) {
    if (timeFormat < 1 || timeFormat > kTimeFormatCount) return nullptr;
    return kTimePatterns[timeFormat - 1];
}

std::string dateText(uint64_t value, int dateFormat, const Clock& clock) {
    return bracketed(value, datePattern(dateFormat), clock);
}

std::string timeText(uint64_t value, int timeFormat, const Clock& clock) {
    return bracketed(value, timePattern(timeFormat), clock);
}

std::string dateTimeText(uint64_t value, int dateFormat, int timeFormat, const Clock& clock) {
    return dateText(value, dateFormat, clock) + " " + timeText(value, timeFormat, clock);
}

std::string formatDateSample(int64_t unixNow, int dateFormat) {
    return sample(unixNow, datePattern(dateFormat));
}

std::string formatTimeSample(int64_t unixNow, int timeFormat) {
    return sample(unixNow, timePattern(timeFormat));
}

std::vector<std::string> dateSamples(const Clock& clock) {
    std::vector<std::string> samples;
    const int64_t now = clock.now();
    for (int format = 1; format <= kDateFormatCount; ++format) {
        samples.push_back(formatDateSample(now, format));
    }
    return samples;
}

std::vector<std::string> timeSamples(const Clock& clock) {
    std::vector<std::string> samples;
    const int64_t now = clock.now();
    for (int format = 1; format <= kTimeFormatCount; ++format) {
        samples.push_back(formatTimeSample(now, format));
    }
    return samples;
}

}  // namespace lumora
