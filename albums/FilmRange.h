#pragma once

#include <cstdint>
#include <optional>

#include "albums/FilmSelection.h"

namespace lumora {

// The span of a film in time, whatever order the film is shown in.
struct TimeSpan {
    uint64_t earliest = 0;
    uint64_t latest = 0;
    bool operator==(const TimeSpan&) const = default;
};

// Which film pictures a span is taken over.
enum class SpanOf {
    EveryPicture,    // Set Start and Set End with no picture selected
    CountedPictures  // a saved album: the pictures not shown as negatives
};

// The earliest and the latest date-time value among the film's pictures;
// absent when no picture qualifies. The film may be sorted by name or
// descending, so its first and last pictures say nothing about its span.
std::optional<TimeSpan> filmSpan(const FilmList& film, SpanOf which);

}  // namespace lumora
