#include "platform/Time.h"

#include <locale.h>
#include <cerrno>
#include <clocale>

namespace lumora {
namespace {

class SystemClock : public Clock {
  public:
    int64_t now() const override { return static_cast<int64_t>(std::time(nullptr)); }
};

#ifndef _WIN32
locale_t cLocale() {
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}
#endif

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

}  // namespace

const Clock& systemClock() {
    static SystemClock clock;
    return clock;
}

std::tm calendarFields(int year, int month, int day, int hour, int minute, int second) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return fields;
}

#ifndef _WIN32
// On Windows these two go through the system's zone calls (Win32LocalTime.cpp).
bool localFieldsToUnix(std::tm& fields, int64_t& unixSeconds) {
    std::tm probe = fields;
    probe.tm_isdst = -1;
    // -1 is also the valid second before the epoch: only errno tells a
    // failure apart.
    errno = 0;
    time_t result = mktime(&probe);
    if (result == static_cast<time_t>(-1) && errno != 0) return false;
    fields = probe;
    unixSeconds = static_cast<int64_t>(result);
    return true;
}

bool unixToLocalFields(int64_t unixSeconds, std::tm& fields) {
    time_t t = static_cast<time_t>(unixSeconds);
    return localtime_r(&t, &fields) != nullptr;
}
#endif

bool unixToUtcFields(int64_t unixSeconds, std::tm& fields) {
#ifdef _WIN32
    // Windows' runtime gives no UTC fields before 1970; FILETIME reaches back
    // to 1601, so the fields are worked out here (civil from days).
    const int64_t days = floorDiv(unixSeconds, 86400);
    const int64_t secondOfDay = unixSeconds - days * 86400;
    const int64_t shifted = days + 719468;
    const int64_t era = floorDiv(shifted, 146097);
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
    const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    const int64_t yearStart =
        utcFieldsToUnix(calendarFields(static_cast<int>(year), 1, 1, 0, 0, 0));
    fields = std::tm{};
    fields.tm_year = static_cast<int>(year - 1900);
    fields.tm_mon = static_cast<int>(month - 1);
    fields.tm_mday = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    fields.tm_hour = static_cast<int>(secondOfDay / 3600);
    fields.tm_min = static_cast<int>(secondOfDay / 60 % 60);
    fields.tm_sec = static_cast<int>(secondOfDay % 60);
    // 1970-01-01 was a Thursday (weekday 4).
    fields.tm_wday = static_cast<int>(days + 4 - floorDiv(days + 4, 7) * 7);
    fields.tm_yday = static_cast<int>(floorDiv(unixSeconds - yearStart, 86400));
    fields.tm_isdst = 0;
    return true;
#else
    time_t t = static_cast<time_t>(unixSeconds);
    return gmtime_r(&t, &fields) != nullptr;
#endif
}

int64_t utcFieldsToUnix(const std::tm& fields) {
    // Days from civil (proleptic Gregorian), so no runtime limits apply.
    int64_t year = static_cast<int64_t>(fields.tm_year) + 1900;
    int64_t month = fields.tm_mon;  // 0-based, may be out of range
    year += floorDiv(month, 12);
    month -= floorDiv(month, 12) * 12;
    int64_t m = month + 1;
    int64_t y = m <= 2 ? year - 1 : year;
    int64_t era = floorDiv(y, 400);
    int64_t yoe = y - era * 400;
    int64_t mp = (m + 9) % 12;
    int64_t doy = (153 * mp + 2) / 5;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    int64_t days = era * 146097 + doe - 719468 + (fields.tm_mday - 1);
    return days * 86400 + static_cast<int64_t>(fields.tm_hour) * 3600 +
           static_cast<int64_t>(fields.tm_min) * 60 + fields.tm_sec;
}

uint64_t unixToFileTime(int64_t unixSeconds) {
    if (unixSeconds < -kFileTimeUnixEpochSeconds) return 0;
    // FILETIME ends in the year 58000-odd; later times saturate.
    const int64_t maxSeconds =
        static_cast<int64_t>(UINT64_MAX / kFileTimeTicksPerSecond) - kFileTimeUnixEpochSeconds;
    if (unixSeconds > maxSeconds) return UINT64_MAX;
    return static_cast<uint64_t>(unixSeconds + kFileTimeUnixEpochSeconds) *
           static_cast<uint64_t>(kFileTimeTicksPerSecond);
}

int64_t fileTimeToUnix(uint64_t fileTime) {
    return static_cast<int64_t>(fileTime / static_cast<uint64_t>(kFileTimeTicksPerSecond)) -
           kFileTimeUnixEpochSeconds;
}

std::string formatTime(const char* pattern, const std::tm& fields) {
    char buffer[256];
#ifdef _WIN32
    // The system's C runtime has no strftime with a locale of its own; a
    // Windows program runs in the "C" locale until it calls setlocale, which
    // Lumora never does (nor does Qt on Windows).
    // It also refuses years past 9999 (FILETIME reaches 60056): such a year
    // is written into the pattern and the runtime is given one it takes.
    const int year = fields.tm_year + 1900;
    if (year < 0 || year > 9999) {
        std::string own = pattern;
        for (size_t at = own.find("%Y"); at != std::string::npos; at = own.find("%Y", at)) {
            own.replace(at, 2, std::to_string(year));
        }
        std::tm inRange = fields;
        inRange.tm_year = 2000 - 1900;
        const size_t length = strftime(buffer, sizeof buffer, own.c_str(), &inRange);
        return std::string(buffer, length);
    }
    size_t length = strftime(buffer, sizeof buffer, pattern, &fields);
#else
    size_t length = strftime_l(buffer, sizeof buffer, pattern, &fields, cLocale());
#endif
    return std::string(buffer, length);
}

}  // namespace lumora
