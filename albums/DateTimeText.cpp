#include "albums/DateTimeText.h"

#include <ctime>

#include "catalog/DateTimeValue.h"

namespace lumora {
namespace {

constexpr const char* kDatePatterns[kDateFormatCount] = {
    "%Y-%m-%d",  "%d %m %Y",     "%d %B %Y",     "%B %d, %Y",    "%d %b %Y",
    "%b %d, %Y", "%a %b %d, %Y", "%A %B %d, %Y", "%A, %d %B %Y", "%a, %d %b %Y",
};

constexpr const char* kTimePatterns[kTimeFormatCount] = {"%H %M %S", "%I %M %S %p"};

std::string bracketed(uint64_t value, const char* pattern) {
    if (pattern == nullptr) return "[]";
    std::tm fields{};
    if (!valueFields(value, fields)) return "[]";
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

std::string dateText(uint64_t value, int dateFormat) {
    return bracketed(value, datePattern(dateFormat));
}

std::string timeText(uint64_t value, int timeFormat) {
    return bracketed(value, timePattern(timeFormat));
}

std::string dateTimeText(uint64_t value, int dateFormat, int timeFormat) {
    return dateText(value, dateFormat) + " " + timeText(value, timeFormat);
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
