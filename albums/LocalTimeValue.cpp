#include "albums/LocalTimeValue.h"

namespace lumora {

uint64_t localTimeToValue(const std::tm& localFields, const Clock& clock) {
    return localTimeToValueWithBias(localFields, timeZoneBias(clock));
}

uint64_t localTimeToValueWithBias(const std::tm& localFields, int32_t biasMinutes) {
    // utcFieldsToUnix counts hours arithmetically, so hour -3 or 26 lands in
    // the neighbouring day instead of failing.
    std::tm fields = localFields;
    fields.tm_hour += biasMinutes / 60;
    // The minutes the whole hours leave over, as the scan's value takes them.
    fields.tm_min += biasMinutes % 60;
    return unixToFileTime(utcFieldsToUnix(fields));
}

}  // namespace lumora
