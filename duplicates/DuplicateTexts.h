#pragma once

#include <cstdint>
#include <string>

namespace lumora {

// The status texts, list lines and messages of the duplicate search, as the
// user reads them.
inline constexpr const char* kAnalysedStatusText = "Pictures are analized. You may compare them.";
inline constexpr const char* kNotAnalysedStatusText =
    "Pictures not analized.Please analize first, then compare";
inline constexpr const char* kAnalysisFinishedText = "Analize finished.Ready to compare.";
inline constexpr const char* kSearchingText = "Searching. Please wait...";
inline constexpr const char* kNoDuplicatesText = "Found no duplicates";
inline constexpr const char* kItemNotRemovedText = "Item not removed";

// "Analizing picture %d. Please wait..." with the picture's number from 1.
std::string analysingText(int64_t number);
// "Comparing picture %d. Please wait..."
std::string comparingText(int64_t number);
// "Found %d duplicates", shown at every duplicate as it is found.
std::string foundSoFarText(int64_t duplicates);
// The comparison's last status: "Found no duplicates" or "Ready. Found %d duplicates".
std::string searchFinishedText(int64_t duplicates);
// "### Duplicate nr.%d ###", the line that heads a group.
std::string groupHeaderLine(int64_t group);

// "Ready! %d duplicate pics removed: %5.1f MB space freed."
std::string spaceFreedText(int64_t removedCount, float freedBytes);

// The main window's status line after the duplicate search; empty while no
// duplicates were ever found, when the line stays as it is.
std::string duplicatesSummaryText(int64_t pictureCount, int64_t picturesAtScan,
                                  int64_t duplicatesFound);

}  // namespace lumora
