#include "duplicates/DuplicateTexts.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(DuplicatesSummaryText, distinguishesNoneRemovedUniqueAndPartlyRemoved) {
    struct Case {
        int64_t pictures;
        int64_t atScan;
        int64_t found;
        const char* text;
    };
    const Case cases[] = {
        {120, 120, 0, ""},
        {117, 120, 0, ""},
        {120, 120, 3, "Found 120 .JPG Files with exif information. Duplicates 3. None removed"},
        {117, 120, 3, "117 unique .JPG Files with exif information. Duplicates 3. Removed 3"},
        {119, 120, 3, "Found 119 .JPG Files with exif information. Duplicates 3. Removed 1"},
        {110, 120, 3, "Found 110 .JPG Files with exif information. Duplicates 3. Removed 10"},
        {70000, 140000, 70000,
         "70000 unique .JPG Files with exif information. Duplicates 70000. Removed 70000"},
    };
    for (const Case& item : cases) {
        EXPECT_EQ(duplicatesSummaryText(item.pictures, item.atScan, item.found), item.text);
    }
}

TEST(SpaceFreedText, showsMegabytesWithOneDecimal) {
    EXPECT_EQ(spaceFreedText(3, 3.0f * 1048576.0f),
              "Ready! 3 duplicate pics removed:   3.0 MB space freed.");
    EXPECT_EQ(spaceFreedText(0, 1572864.0f),
              "Ready! 0 duplicate pics removed:   1.5 MB space freed.");
    EXPECT_EQ(spaceFreedText(1200, 1.5e10f),
              "Ready! 1200 duplicate pics removed: 14305.1 MB space freed.");
}

}  // namespace
}  // namespace lumora
