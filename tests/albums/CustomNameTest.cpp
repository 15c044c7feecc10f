#include "albums/CustomName.h"

#include <gtest/gtest.h>

#include "albums/FieldText.h"
#include "tests/albums/TestPictures.h"
#include "tests/support/TzGuard.h"

namespace lumora {
namespace {

TEST(CustomName, aNewTextNamesThePictureAndAnEmptyOneGivesTheFileNameBack) {
    ExifInfo exif;
    EXPECT_EQ(applyNameEdit(exif, "IMG_0042", "IMG_0042"), NameEdit::Unchanged);
    EXPECT_EQ(exif.hasCustomName, 0);
    EXPECT_EQ(applyNameEdit(exif, "IMG_0042", "Sunset over the bay"), NameEdit::Named);
    EXPECT_EQ(exif.hasCustomName, 1);
    EXPECT_EQ(fieldText(exif.customName), "Sunset over the bay");
    EXPECT_EQ(applyNameEdit(exif, "Sunset over the bay", "Dawn"), NameEdit::Named);
    EXPECT_EQ(fieldText(exif.customName), "Dawn");
    EXPECT_EQ(applyNameEdit(exif, "Dawn", ""), NameEdit::Cleared);
    EXPECT_EQ(exif.hasCustomName, 0);
    EXPECT_EQ(fieldText(exif.customName), "");
}

TEST(CustomName, namesThatAreNoPlainFileNameAreRefusedAndChangeNothing) {
    ExifInfo exif;
    ASSERT_EQ(applyNameEdit(exif, "IMG_1", "Kept"), NameEdit::Named);
    for (const char* text : {"..", ".", "../escape", "a/b", "/abs"}) {
        EXPECT_EQ(applyNameEdit(exif, "Kept", text), NameEdit::Refused) << text;
        EXPECT_EQ(fieldText(exif.customName), "Kept") << text;
        EXPECT_EQ(exif.hasCustomName, 1);
    }
    // A full stop inside a name is a plain name.
    EXPECT_EQ(applyNameEdit(exif, "Kept", "v1.2 final"), NameEdit::Named);
}

TEST(CustomName, longNamesAreCutTo127BytesBetweenCharacters) {
    ExifInfo exif;
    ASSERT_EQ(applyNameEdit(exif, "x", std::string(200, 'a')), NameEdit::Named);
    EXPECT_EQ(fieldText(exif.customName), std::string(127, 'a'));
    // 126 ASCII bytes then a two-byte character that would end at byte 128.
    const std::string text = std::string(126, 'b') + "\xC3\xA9" + "c";
    ASSERT_EQ(applyNameEdit(exif, "x", text), NameEdit::Named);
    EXPECT_EQ(fieldText(exif.customName), std::string(126, 'b'));
}

TEST(CustomName, theEditedLabelShowsTheNameAndPlainDateEvenForASubstitutedDate) {
    test::TzGuard zone{"UTC0"};
    PictureEntry picture =
        test::makePicture("/src/holiday.2004/IMG_0042.JPG", 127000000000000000ull);
    std::snprintf(picture.exif->CameraMake, sizeof picture.exif->CameraMake, "Canon");
    std::snprintf(picture.exif->CameraModel, sizeof picture.exif->CameraModel, "EOS 300D");
    picture.exif->dateSubstituted = 1;
    ASSERT_EQ(applyNameEdit(*picture.exif, "IMG_0042", "Harbour"), NameEdit::Named);
    EXPECT_EQ(editedFilmLabel(3, picture, 1, 1),
              "3.Harbour.[2003-06-13] [17 46 40]\nCanon/EOS 300D");
}

}  // namespace
}  // namespace lumora
