#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "catalog/ExifInfo.h"
#include "filters/FilterCriterion.h"

namespace lumora {

// The text under which a picture is listed for a criterion, or nothing when
// the picture does not contribute to that criterion's list (a zero value is
// never listed, except for the size and the flash). For the camera this is the
// make; cameraModelText gives the model.
std::optional<std::string> formatCriterionValue(FilterCriterion criterion, const ExifInfo& exif);

std::string cameraMakeText(const ExifInfo& exif);
std::string cameraModelText(const ExifInfo& exif);

// An exposure time as the filter and the album details show it: "%6.3fs" above
// half a second, otherwise "(1/%d)~%6.3fs" with the rounded reciprocal.
std::string exposureTimeText(float seconds);

// The n of the "1/n" shown beside an exposure time of at most half a second
// (here and in Picture Info): 1/t + 0.5, truncated. The reciprocal is taken
// in single precision, the precision the time is held in: the float nearest
// 0.4 s has a double reciprocal of 2.4999999, which would show 1/2.5 s as
// 1/2 rather than 1/3.
int32_t exposureFractionDenominator(float seconds);

// printf into a string of whatever length the result needs.
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// A float truncated toward zero as the lists' integer values are; NaN gives 0
// and values beyond the int32 range stop at its ends, because a damaged EXIF
// block can hold any float.
int32_t truncateToInt32(double value);

}  // namespace lumora
