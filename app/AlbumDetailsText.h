#pragma once

#include <string>
#include <vector>

#include "albums/Album.h"
#include "app/AlbumCompanions.h"
#include "platform/Time.h"

namespace lumora {

// What the album details list shows for one album, line by line: name, size,
// range, status, target paths, naming options and, when the filter is
// enabled, every criterion whose check box was saved set.
// targetText is the main window's target field.
std::vector<std::string> albumDetailsLines(const Album& album, const std::string& targetText,
                                           int dateFormat, int timeFormat);
// The same lines with "Companions: %d files (%4.2fMB)" after the size when
// the album's pictures have companion files.
std::vector<std::string> albumDetailsLines(const Album& album, const std::string& targetText,
                                           int dateFormat, int timeFormat,
                                           const CompanionTally& companions);

// The line shown in place of "Add to name:" when no naming option is set.
inline constexpr const char* kAddToNameNothingText = "Add to name: None";

}  // namespace lumora
