// Local time on Windows through the system's own zone calls: the C runtime's
// mktime and localtime stop at 1970, and a picture or a file can be older.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/Time.h"
#include "platform/ZoneRule.h"

namespace lumora {
namespace {

// The first and last years SYSTEMTIME holds.
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;

SYSTEMTIME changeDay(const ZoneChange& change) {
    SYSTEMTIME day{};
    // Year 0: the same day every year, week 5 meaning the last one.
    day.wMonth = static_cast<WORD>(change.month);
    day.wDay = static_cast<WORD>(change.week);
    day.wDayOfWeek = static_cast<WORD>(change.weekday);
    day.wHour = static_cast<WORD>(change.seconds / 3600);
    day.wMinute = static_cast<WORD>(change.seconds / 60 % 60);
    day.wSecond = static_cast<WORD>(change.seconds % 60);
    return day;
}

// The zone local times are read in, with the rules of that year: the TZ
// variable's when it is set and readable (the C runtime honours it too),
// else the system's.
TIME_ZONE_INFORMATION zoneOfYear(int year) {
    TIME_ZONE_INFORMATION zone{};
    ZoneRule rule;
    const char* tz = std::getenv("TZ");
    if (tz != nullptr && *tz != '\0' && parseZoneRule(tz, rule)) {
        zone.Bias = rule.standardOffset / 60;
        if (rule.hasDaylight) {
            zone.DaylightBias = (rule.daylightOffset - rule.standardOffset) / 60;
            zone.DaylightDate = changeDay(rule.daylightStart);
            zone.StandardDate = changeDay(rule.daylightEnd);
        }
        return zone;
    }
    DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
    if (::GetDynamicTimeZoneInformation(&dynamic) == TIME_ZONE_ID_INVALID ||
        !::GetTimeZoneInformationForYear(static_cast<USHORT>(year), &dynamic, &zone)) {
        ::GetTimeZoneInformation(&zone);
    }
    return zone;
}

SYSTEMTIME systemTimeOf(const std::tm& fields) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(fields.tm_year + 1900);
    time.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    time.wDay = static_cast<WORD>(fields.tm_mday);
    time.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    time.wHour = static_cast<WORD>(fields.tm_hour);
    time.wMinute = static_cast<WORD>(fields.tm_min);
    time.wSecond = static_cast<WORD>(fields.tm_sec);
    return time;
}

std::tm fieldsOf(const SYSTEMTIME& time) {
    std::tm fields =
        calendarFields(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
    // The weekday and day of the year, as the runtime fills them.
    std::tm normal{};
    unixToUtcFields(utcFieldsToUnix(fields), normal);
    return normal;
}

bool inRange(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

}  // namespace

bool unixToLocalFields(int64_t unixSeconds, std::tm& fields) {
    std::tm utc{};
    unixToUtcFields(unixSeconds, utc);
    if (!inRange(utc.tm_year + 1900)) return false;
    const SYSTEMTIME universal = systemTimeOf(utc);
    TIME_ZONE_INFORMATION zone = zoneOfYear(utc.tm_year + 1900);
    SYSTEMTIME local{};
    if (!::SystemTimeToTzSpecificLocalTime(&zone, &universal, &local)) return false;
    // Near New Year the local day can lie in the next or last year, whose
    // rules may differ.
    if (local.wYear != universal.wYear && inRange(local.wYear)) {
        zone = zoneOfYear(local.wYear);
        if (!::SystemTimeToTzSpecificLocalTime(&zone, &universal, &local)) return false;
    }
    fields = fieldsOf(local);
    const int64_t offset = utcFieldsToUnix(fields) - unixSeconds;
    fields.tm_isdst = zone.DaylightDate.wMonth != 0 && zone.DaylightBias != zone.StandardBias &&
                      offset == -60LL * (zone.Bias + zone.DaylightBias);
    return true;
}

bool localFieldsToUnix(std::tm& fields, int64_t& unixSeconds) {
    // Out-of-range fields roll over as the runtime rolls them.
    std::tm normal{};
    unixToUtcFields(utcFieldsToUnix(fields), normal);
    const int year = normal.tm_year + 1900;
    if (!inRange(year)) return false;
    const TIME_ZONE_INFORMATION zone = zoneOfYear(year);
    const SYSTEMTIME local = systemTimeOf(normal);
    SYSTEMTIME universal{};
    if (!::TzSpecificLocalTimeToSystemTime(&zone, &local, &universal)) return false;
    const int64_t result = utcFieldsToUnix(fieldsOf(universal));
    std::tm written{};
    if (!unixToLocalFields(result, written)) return false;
    fields = written;
    unixSeconds = result;
    return true;
}

}  // namespace lumora
