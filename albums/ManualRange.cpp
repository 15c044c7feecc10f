#include "albums/ManualRange.h"

#include <algorithm>

#include "albums/LocalTimeValue.h"
#include "catalog/DateTimeValue.h"

namespace lumora {
namespace {

constexpr int kFirstPickerYear = 1601;
constexpr int kLastPickerYear = 9999;

// A value as the pickers show it, held within their years.
std::tm pickerTime(uint64_t value) {
    std::tm fields{};
    if (!valueFields(value, fields)) return calendarFields(kLastPickerYear, 12, 31, 23, 59, 59);
    if (fields.tm_year + 1900 < kFirstPickerYear) {
        return calendarFields(kFirstPickerYear, 1, 1, 0, 0, 0);
    }
    if (fields.tm_year + 1900 > kLastPickerYear) {
        return calendarFields(kLastPickerYear, 12, 31, 23, 59, 59);
    }
    fields.tm_isdst = -1;
    return fields;
}

}  // namespace

std::tm pickerInitialTime() {
    return calendarFields(1970, 1, 1, 0, 0, 0);
}

ManualRangePresets manualRangePresets(const Album& album, const FilmList& film) {
    ManualRangePresets presets{pickerInitialTime(), pickerInitialTime()};
    const auto byValue = [](const PictureEntry& a, const PictureEntry& b) {
        return a.dateTime < b.dateTime;
    };
    const auto [earliest, latest] = std::minmax_element(film.begin(), film.end(), byValue);
    if (album.startKey != 0) {
        presets.start = pickerTime(album.startTime);
    } else if (earliest != film.end()) {
        presets.start = pickerTime(earliest->dateTime);
    }
    if (album.endKey != 0) {
        presets.end = pickerTime(album.endTime);
    } else if (latest != film.end()) {
        presets.end = pickerTime(latest->dateTime);
    }
    return presets;
}

std::tm dateAndTime(int year, int month, int day, int hour, int minute, int second) {
    return calendarFields(year, month, day, hour, minute, second);
}

bool applyManualRange(Album& album, const std::tm& start, const std::tm& end) {
    const uint64_t startValue = localTimeToValue(start);
    const uint64_t endValue = localTimeToValue(end);
    if (startValue > endValue) return false;
    album.startTime = album.startKey = startValue;
    album.endTime = album.endKey = endValue;
    return true;
}

}  // namespace lumora
