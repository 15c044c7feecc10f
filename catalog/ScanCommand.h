#pragma once

#include <string>

#include "catalog/PictureCatalog.h"
#include "platform/ProgressSink.h"
#include "platform/Prompter.h"

namespace lumora {

inline constexpr const char* kScanningStatusText = "Scaning source directory. Please Wait...";
inline constexpr const char* kNoPicturesStatusText =
    "No pictures found. Pictures must have exif information.";

// What a scan of the source folder found, for the window to show. The rest of
// the command belongs to the workspace, which holds the program-wide values:
// before the scan it resets its own state (film, removed pictures, duplicate
// lists, status and target texts); after it, it clears filmBuilt, sets
// picturesAtScan to pictureCount and duplicatesFound and freedBytes to 0,
// applies albumMenusEnabled, and shows warningText in a message box when it
// is not empty.
struct ScanOutcome {
    bool completed = true;  // false when the user stopped the scan
    int pictureCount = 0;
    int exifCount = 0;         // entries with IsExif 1
    int substitutedCount = 0;  // among them, entries with dateSubstituted 1
    int leftOutCount = 0;      // files that look like pictures and were not listed
    bool albumMenusEnabled = false;
    std::string statusText;
    std::string warningText;  // empty when no date was substituted
};

// Empties the catalog's lists, scans sourceDirectory and its subfolders, and
// reports the result. The sink gets the "scanning" text before the scan and
// the result's status text after it.
ScanOutcome runScanCommand(PictureCatalog& catalog, const std::string& sourceDirectory,
                           Prompter& prompter, ProgressSink& progress);

std::string foundPicturesText(int pictureCount);
// The status text followed by how many files were left out, if any.
std::string statusWithLeftOut(const ScanOutcome& outcome);
std::string zeroDateWarningText(int substitutedCount);

}  // namespace lumora
