#pragma once

#include <string>

namespace lumora {

// A day of the year on which daylight saving starts or ends, as the TZ
// variable writes it ("M3.5.0/3": the last Sunday of March at 03:00).
struct ZoneChange {
    int month = 0;    // 1 to 12
    int week = 0;     // 1 to 4, or 5 for the last such weekday of the month
    int weekday = 0;  // 0 = Sunday
    int seconds = 0;  // the local time of the change, from midnight (may pass 24:00)

    bool operator==(const ZoneChange&) const = default;
};

// The zone a TZ text such as "CET-1CEST,M3.5.0,M10.5.0/3" describes. Offsets
// are seconds west of UTC, as TZ counts them (and as Windows' bias does).
struct ZoneRule {
    int standardOffset = 0;
    bool hasDaylight = false;
    int daylightOffset = 0;
    ZoneChange daylightStart;  // read in standard time
    ZoneChange daylightEnd;    // read in daylight time
};

// Reads the POSIX form std offset [dst [offset] [,start[/time],end[/time]]],
// names plain or in <...>. A zone with daylight saving but no days takes
// the United States' (the second Sunday of March to the first of November).
// A bare name gives UTC. False for texts it cannot read (a zone database
// name such as "Europe/Paris", a day given as Jn or n).
bool parseZoneRule(const std::string& text, ZoneRule& rule);

}  // namespace lumora
