#pragma once

#include <ctime>

#include "albums/Album.h"
#include "albums/FilmSelection.h"
#include "platform/Time.h"

namespace lumora {

// The local calendar times the manual time range dialog shows when it opens:
// the start in both start pickers, the end in both end pickers.
struct ManualRangePresets {
    std::tm start{};
    std::tm end{};
};

// The pickers' first value: 1 January 1970, midnight.
std::tm pickerInitialTime();

// With both ends of the album's range set, its start and end times as local
// time. Otherwise an end that is not set takes the date of the first (start)
// or last (end) film picture as the camera wrote it, and an end that is set
// keeps the pickers' initial value. Times are normalised into real calendar
// dates and held within the years 1601 to 9999 that the pickers offer.
ManualRangePresets manualRangePresets(const Album& album, const FilmList& film, const Clock& clock);

// A date picker's value: the date chosen (month 1-based) with the time of
// day the picker was given when the dialog opened.
std::tm dateWithTimeOfDay(int year, int month, int day, const std::tm& timeOfDay);

// "OK": the two date pickers' values, local times, become the album's
// start and end (times and keys alike).
void applyManualRange(Album& album, const std::tm& startDate, const std::tm& endDate,
                      const Clock& clock);

}  // namespace lumora
