#include "albums/LocalTimeValue.h"

#include "catalog/DateTimeValue.h"

namespace lumora {

uint64_t localTimeToValue(const std::tm& localFields) {
    return wallClockValue(localFields);
}

}  // namespace lumora
