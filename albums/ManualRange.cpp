#include "albums/ManualRange.h"

#include "albums/LocalTimeValue.h"
#include "catalog/DateTimeValue.h"

namespace lumora {
namespace {

constexpr int kFirstPickerYear = 1601;
constexpr int kLastPickerYear = 9999;

// Fields such as month 0 or second 60 become the calendar time they stand
// for; times beyond the pickers' years are held at their ends.
std::tm pickerTime(const std::tm& fields) {
    const std::tm earliest = calendarFields(kFirstPickerYear, 1, 1, 0, 0, 0);
    const std::tm latest = calendarFields(kLastPickerYear, 12, 31, 23, 59, 59);
    std::tm normalised{};
    if (!unixToUtcFields(utcFieldsToUnix(fields), normalised)) {
        return fields.tm_year < 0 ? earliest : latest;
    }
    if (normalised.tm_year + 1900 < kFirstPickerYear) return earliest;
    if (normalised.tm_year + 1900 > kLastPickerYear) return latest;
    normalised.tm_isdst = -1;
    return normalised;
}

std::tm valueAsLocalTime(uint64_t value, const Clock& clock) {
    std::tm fields = pickerInitialTime();
    unixToUtcFields(fileTimeToUnix(fileTimeToLocalFileTime(value, clock)), fields);
    return pickerTime(fields);
}

std::tm filmPictureTime(const FilmList& film, bool last) {
    std::tm fields = pickerInitialTime();
    if (film.empty()) return fields;
    const PictureEntry& picture = last ? film.back() : film.front();
    if (picture.exif && pictureLocalTime(*picture.exif, fields)) return pickerTime(fields);
    return pickerInitialTime();
}

}  // namespace

std::tm pickerInitialTime() {
    return calendarFields(1970, 1, 1, 0, 0, 0);
}

ManualRangePresets manualRangePresets(const Album& album, const FilmList& film,
                                      const Clock& clock) {
    ManualRangePresets presets{pickerInitialTime(), pickerInitialTime()};
    if (album.startKey != 0 && album.endKey != 0) {
        presets.start = valueAsLocalTime(album.startTime, clock);
        presets.end = valueAsLocalTime(album.endTime, clock);
        return presets;
    }
    if (album.startKey == 0) presets.start = filmPictureTime(film, false);
    if (album.endKey == 0) presets.end = filmPictureTime(film, true);
    return presets;
}

std::tm dateWithTimeOfDay(int year, int month, int day, const std::tm& timeOfDay) {
    return calendarFields(year, month, day, timeOfDay.tm_hour, timeOfDay.tm_min, timeOfDay.tm_sec);
}

void applyManualRange(Album& album, const std::tm& startDate, const std::tm& endDate,
                      const Clock& clock) {
    album.startTime = localTimeToValue(startDate, clock);
    album.endTime = localTimeToValue(endDate, clock);
    album.startKey = album.startTime;
    album.endKey = album.endTime;
}

}  // namespace lumora
