#pragma once

#include <ctime>

#include "albums/Album.h"
#include "albums/FilmSelection.h"

namespace lumora {

// A start later than the end is refused as "Set End Date" refuses an end
// before the start.
inline constexpr const char* kStartAfterEndText = "End Date could not be earlier than start date.";

// The wall-clock times the manual time range dialog shows when it opens: the
// start in both start pickers, the end in both end pickers.
struct ManualRangePresets {
    std::tm start{};
    std::tm end{};
};

// The pickers' value when there is nothing to show: 1 January 1970, midnight.
std::tm pickerInitialTime();

// An end of the album's range that is set shows its own value; an end that
// is not set shows the earliest (start) or latest (end) film picture by
// value, whatever order the film is viewed in, so OK without a change keeps
// every film picture. Times are held within the years 1601 to 9999 that the
// pickers offer.
ManualRangePresets manualRangePresets(const Album& album, const FilmList& film);

// A picker pair's value: the date chosen (month 1-based) at the time chosen.
std::tm dateAndTime(int year, int month, int day, int hour, int minute, int second);

// "OK": the two picked times become the album's start and end (times and
// keys alike). A start later than the end is refused (false) and the album
// is left as it was.
bool applyManualRange(Album& album, const std::tm& start, const std::tm& end);

}  // namespace lumora
