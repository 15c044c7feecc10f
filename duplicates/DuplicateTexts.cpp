#include "duplicates/DuplicateTexts.h"

#include <cstdarg>
#include <cstdio>

namespace lumora {
namespace {

// Counts are shown with %d as the program always showed them; they are
// passed as long long so that no count is cut to 16 or 32 bits on the way.
std::string format(const char* pattern, ...) {
    char buffer[256];
    va_list args;
    va_start(args, pattern);
    const int length = std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    if (length < 0) return std::string();
    return std::string(buffer, static_cast<size_t>(length) < sizeof buffer
                                   ? static_cast<size_t>(length)
                                   : sizeof buffer - 1);
}

}  // namespace

std::string analysingText(int64_t number) {
    return format("Analizing picture %lld. Please wait...", static_cast<long long>(number));
}

std::string comparingText(int64_t number) {
    return format("Comparing picture %lld. Please wait...", static_cast<long long>(number));
}

std::string foundSoFarText(int64_t duplicates) {
    return format("Found %lld duplicates", static_cast<long long>(duplicates));
}

std::string searchFinishedText(int64_t duplicates) {
    if (duplicates == 0) return kNoDuplicatesText;
    return format("Ready. Found %lld duplicates", static_cast<long long>(duplicates));
}

std::string groupHeaderLine(int64_t group) {
    return format("### Duplicate nr.%lld ###", static_cast<long long>(group));
}

std::string spaceFreedText(int64_t removedCount, float freedBytes) {
    return format("Ready! %lld duplicate pics removed: %5.1f MB space freed.",
                  static_cast<long long>(removedCount),
                  static_cast<double>(freedBytes) * 9.536743e-7);
}

std::string duplicatesSummaryText(int64_t pictureCount, int64_t picturesAtScan,
                                  int64_t duplicatesFound) {
    if (duplicatesFound == 0) return std::string();
    const long long n = pictureCount;
    const long long found = duplicatesFound;
    const long long removed = picturesAtScan - pictureCount;
    if (removed == 0) {
        return format("Found %lld .JPG Files with exif information. Duplicates %lld. None removed",
                      n, found);
    }
    if (removed == found) {
        return format("%lld unique .JPG Files with exif information. Duplicates %lld. Removed %lld",
                      n, found, removed);
    }
    return format("Found %lld .JPG Files with exif information. Duplicates %lld. Removed %lld", n,
                  found, removed);
}

}  // namespace lumora
