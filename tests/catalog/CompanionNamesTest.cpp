// Companion files: which names belong to which picture, what they are called
// beside the picture's new name, and what the scan notes of them.
#include "catalog/CompanionNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalog/PictureCatalog.h"
#include "tests/support/PictureFiles.h"
#include "tests/support/ScriptedPrompter.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

using Names = std::vector<std::string>;

constexpr const char* kDate = "2005:03:04 10:20:30";

TEST(CompanionNames, everyKindInEitherLetterCaseAndBothSidecarSpellings) {
    const Names kinds = {"3FR", "ARW", "CR2", "CR3", "CRW", "DCR", "DNG", "ERF",
                         "IIQ", "K25", "KDC", "MEF", "MOS", "MRW", "NEF", "NRW",
                         "ORF", "PEF", "RAF", "RAW", "RW2", "RWL", "SR2", "SRF",
                         "SRW", "X3F", "XMP", "THM", "AAE", "WAV", "MOV", "MP4"};
    for (const std::string& kind : kinds) {
        std::string lower = kind;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const std::string& name : {"IMG_0001." + kind, "img_0001." + lower}) {
            SCOPED_TRACE(name);
            EXPECT_EQ(pairCompanions({"IMG_0001.JPG"}, {name}), std::vector<Names>{{name}});
        }
    }
    // The sidecar named after the whole picture name, in any letter case.
    EXPECT_EQ(pairCompanions({"IMG_0001.JPG"}, {"IMG_0001.JPG.xmp", "img_0001.jpg.XMP"}),
              std::vector<Names>({{"IMG_0001.JPG.xmp", "img_0001.jpg.XMP"}}));
}

TEST(CompanionNames, namesThatOnlyLookAlikeAreNoCompanions) {
    const Names others = {
        "IMG_0001.txt",      // no companion extension
        "IMG_00011.CR2",     // another base name
        "IMG_000.CR2",       //
        "IMG_0001.JPG.CR2",  // only a sidecar may follow the whole name
        "IMG_0001.jpeg",     // another picture
        "IMG_0001",          // no extension at all
        ".xmp",              // nothing but an extension
        "IMG_0001.CR2.xmp",  // the sidecar of another file
    };
    EXPECT_EQ(pairCompanions({"IMG_0001.JPG"}, others), std::vector<Names>{{}});
    EXPECT_FALSE(hasCompanionExtension("IMG_0001.jpg"));
    EXPECT_TRUE(isRawCompanion("a.nef"));
    EXPECT_FALSE(isRawCompanion("a.xmp"));
    EXPECT_TRUE(hasRawCompanion({"a.xmp", "a.Dng"}));
    EXPECT_FALSE(hasRawCompanion({"a.xmp", "a.mov"}));
}

TEST(CompanionNames, picturesSharingABaseNameGetEachFileOnce) {
    // Two pictures whose names differ in letter case only: a file whose base
    // name matches one of them exactly goes to that one; otherwise to the
    // first in listing order. A whole-name sidecar goes to the picture it
    // names exactly.
    const Names pictures = {"IMG_0001.jpg", "IMG_0001.JPG", "img_0001.jpg"};
    const Names others = {"IMG_0001.CR2",     "img_0001.xmp",     "Img_0001.MOV",
                          "IMG_0001.jpg.xmp", "IMG_0001.JPG.xmp", "IMG_0001.Jpg.xmp"};
    const std::vector<Names> paired = pairCompanions(pictures, others);
    ASSERT_EQ(paired.size(), 3u);
    // IMG_0001.JPG comes before IMG_0001.jpg in listing order (ties of the
    // upper-cased names go by the bytes).
    EXPECT_EQ(paired[1],
              (Names{"IMG_0001.CR2", "Img_0001.MOV", "IMG_0001.JPG.xmp", "IMG_0001.Jpg.xmp"}));
    EXPECT_EQ(paired[0], (Names{"IMG_0001.jpg.xmp"}));
    EXPECT_EQ(paired[2], (Names{"img_0001.xmp"}));
}

TEST(CompanionNames, aCompanionIsNamedAfterThePicturesNewName) {
    const std::string newName = "Trip-3 [2024-07-14] [16 05 22].jpg";
    EXPECT_EQ(companionTargetName("IMG_0001.JPG", "IMG_0001.CR2", newName),
              "Trip-3 [2024-07-14] [16 05 22].CR2");
    EXPECT_EQ(companionTargetName("IMG_0001.JPG", "img_0001.xmp", newName),
              "Trip-3 [2024-07-14] [16 05 22].xmp");
    EXPECT_EQ(companionTargetName("IMG_0001.JPG", "IMG_0001.JPG.xmp", newName),
              "Trip-3 [2024-07-14] [16 05 22].jpg.xmp");
    EXPECT_EQ(companionTargetName("IMG_0001.JPG", "IMG_0001.JPG.XMP", "Trip-3 (2).jpg"),
              "Trip-3 (2).jpg.XMP");
    EXPECT_EQ(companionTargetName("IMG_0001.JPG", "IMG_0001.mov", "Trip-3 (2).jpg"),
              "Trip-3 (2).mov");
}

TEST(CompanionNames, theScanNotesCompanionsOfItsFolderOnlyAndLeavesThemOutOfTheLeftOutList) {
    test::TempDir dir;
    dir.writeFile("DCIM/IMG_0001.JPG", test::exifPicture(kDate));
    dir.writeFile("DCIM/IMG_0001.CR2", std::string("raw"));
    dir.writeFile("DCIM/IMG_0001.JPG.xmp", std::string("sidecar"));
    dir.writeFile("DCIM/img_0001.aae", std::string("edit"));
    dir.writeFile("DCIM/IMG_0002.JPG", test::exifPicture(kDate));
    dir.writeFile("DCIM/IMG_0002.thm", std::string("thumbnail"));
    // A RAW of the same name in another folder is no companion of it, and a
    // picture without an EXIF date has none.
    dir.writeFile("OTHER/IMG_0002.NEF", std::string("raw"));
    dir.writeFile("DCIM/IMG_0003.JPG", test::plainPicture());
    dir.writeFile("DCIM/IMG_0003.ORF", std::string("raw"));
    PictureCatalog catalog;
    test::ScriptedPrompter prompter;

    ASSERT_TRUE(catalog.scanSource(dir.path(), true, prompter));

    ASSERT_EQ(catalog.pictureCount(), 2);
    EXPECT_EQ(catalog.pictures()[0].companions,
              (Names{"img_0001.aae", "IMG_0001.CR2", "IMG_0001.JPG.xmp"}));
    EXPECT_EQ(catalog.pictures()[1].companions, (Names{"IMG_0002.thm"}));
    Names leftOut;
    for (const LeftOutFile& file : catalog.leftOut()) {
        leftOut.push_back(file.path.substr(dir.path().size() + 1));
    }
    std::sort(leftOut.begin(), leftOut.end());
    EXPECT_EQ(leftOut,
              (Names{test::nativePath("DCIM/IMG_0003.JPG"), test::nativePath("DCIM/IMG_0003.ORF"),
                     test::nativePath("OTHER/IMG_0002.NEF")}));
}

}  // namespace
}  // namespace lumora
