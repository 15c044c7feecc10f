#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace lumora {

// Where "now" comes from: the samples of the format dialog. Tests fix it.
class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 UTC.
    virtual int64_t now() const = 0;
};

const Clock& systemClock();

class FixedClock : public Clock {
  public:
    explicit FixedClock(int64_t unixSeconds) : seconds_(unixSeconds) {}
    int64_t now() const override { return seconds_; }
    void set(int64_t unixSeconds) { seconds_ = unixSeconds; }

  private:
    int64_t seconds_;
};

// Calendar fields from 1-based month and the usual numbers; tm_isdst = -1.
std::tm calendarFields(int year, int month, int day, int hour, int minute, int second);

// Local time in the zone of the TZ variable, else the system's: the C
// runtime's mktime and localtime on POSIX systems, the system's zone calls on
// Windows (whose runtime stops at 1970), so times from 1601 on convert there.
// Calendar fields to seconds: daylight saving is decided by the zone's rules
// (tm_isdst is ignored); out-of-range fields roll over and are written back
// normalised. False when the time cannot be represented.
bool localFieldsToUnix(std::tm& fields, int64_t& unixSeconds);

bool unixToLocalFields(int64_t unixSeconds, std::tm& fields);
bool unixToUtcFields(int64_t unixSeconds, std::tm& fields);
// Calendar fields read as UTC; works for every year, no time zone involved.
int64_t utcFieldsToUnix(const std::tm& fields);

// FILETIME: 100-ns intervals since 1601-01-01 UTC.
inline constexpr int64_t kFileTimeUnixEpochSeconds = 11644473600LL;
inline constexpr int64_t kFileTimeTicksPerSecond = 10000000LL;
// Times before 1601 cannot be held and give 0.
uint64_t unixToFileTime(int64_t unixSeconds);
// Whole seconds, rounded toward the past.
int64_t fileTimeToUnix(uint64_t fileTime);

// strftime in the C locale, whatever locale the process runs in: English
// month and day names, "AM"/"PM".
std::string formatTime(const char* pattern, const std::tm& fields);

}  // namespace lumora
