#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lumora {

// A clock correction taken apart as the Camera clocks dialog edits it.
struct ClockOffsetParts {
    bool negative = false;
    int64_t days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};

// The longest correction: a century.
inline constexpr int64_t kMaxClockDays = 36524;

ClockOffsetParts clockOffsetParts(int64_t seconds);
int64_t clockOffsetSeconds(const ClockOffsetParts& parts);

// "[+|-][Nd]HH:MM[:SS]": an optional sign, optional days followed by "d",
// hours 0-23, minutes and seconds 0-59 (one or two digits each). Nothing
// when the text is not of that form or the days exceed kMaxClockDays.
std::optional<int64_t> parseClockOffset(const std::string& text);

// The same form, always signed and with seconds: "+01:04:30", "-1d02:00:00";
// "+00:00:00" for no correction.
std::string clockOffsetText(int64_t seconds);

}  // namespace lumora
