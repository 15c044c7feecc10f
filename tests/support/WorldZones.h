#pragma once

namespace lumora::test {

// Whole, half- and three-quarter-hour zones from UTC-12 to UTC+14, with
// daylight saving in both hemispheres, as TZ texts.
inline constexpr const char* kWorldZones[] = {
    "UTC0",
    "<-12>12",
    "HST10",
    "EST5EDT,M3.2.0,M11.1.0",
    "NST3:30NDT,M3.2.0,M11.1.0",
    "<-04>4<-03>,M9.1.6/24,M4.1.6/24",
    "CET-1CEST,M3.5.0,M10.5.0/3",
    "IST-5:30",
    "NPT-5:45",
    "JST-9",
    "ACST-9:30ACDT,M10.1.0,M4.1.0/3",
    "AEST-10AEDT,M10.1.0,M4.1.0/3",
    "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",
    "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
    "<+14>-14",
};

}  // namespace lumora::test
