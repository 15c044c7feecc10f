// Files that once made the EXIF reader misbehave, read as the scan reads them.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalog/ExifReader.h"
#include "platform/FileSystem.h"
#include "tests/regression/RegressionInputs.h"

namespace lumora {
namespace {

ExifInfo readExif(const std::string& name) {
    ErrorCode error = kErrorSuccess;
    std::unique_ptr<InputFile> file = realFileSystem().openRead(test::regressionInput(name), error);
    EXPECT_NE(file, nullptr) << name;
    ExifInfo info;
    if (!file) return info;
    ExifReader reader(&info);
    reader.setDiagnostics(nullptr);
    reader.decode(*file);
    return info;
}

// Thumbnail directories whose offset or length is a value far beyond any
// file: the two were added before they were checked, which overflowed.
TEST(ExifRegressionTest, HugeThumbnailOffsetOrLengthGivesNoThumbnail) {
    for (const char* name :
         {"exif-thumbnail-offset-overflow.jpg", "exif-thumbnail-length-overflow.jpg"}) {
        SCOPED_TRACE(name);
        const ExifInfo info = readExif(name);
        EXPECT_EQ(info.IsExif, 1);
        EXPECT_EQ(info.ThumbnailOffset, 0u);
        EXPECT_EQ(info.ThumbnailSize, 0u);
    }
}

}  // namespace
}  // namespace lumora
