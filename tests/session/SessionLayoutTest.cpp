#include "session/SessionSave.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "session/AlbumFields.h"
#include "session/SessionFile.h"
#include "tests/session/LayoutBytes.h"
#include "tests/support/TempDir.h"

namespace lumora {
namespace {

PictureEntry picture(const std::string& path, uint64_t dateTime, uint64_t fileSize) {
    PictureEntry entry;
    entry.path = path;
    entry.dateTime = dateTime;
    entry.fileSize = fileSize;
    entry.exif = std::make_shared<ExifInfo>();
    entry.exif->IsExif = 1;
    return entry;
}

// Every field gets a value of its own, so that two fields written in each
// other's place change the bytes.
Album distinctAlbum() {
    Album a;
    a.addCameraModel = 101;
    a.addDate = 102;
    a.addTime = 103;
    FilterSettings& f = a.filter;
    f.useAperture = 104;
    f.useDistance = 105;
    f.useResolution = 106;
    f.useExposureBias = 107;
    f.useExposureProgram = 108;
    f.useExposureTime = 109;
    f.useFocalLength = 110;
    f.useFlash = 111;
    f.useIso = 112;
    f.useMeteringMode = 113;
    f.useWhiteBalance = 114;
    f.useSize = 115;
    f.cameraMake = "Canon";
    a.createSubDirectory = 116;
    a.directoryName = "";  // stored as length 0 and no characters
    a.endKey = 0x0102030405060708ull;
    f.exposureProgram = 117;
    a.endTime = 0x1112131415161718ull;
    a.startTime = 0x2122232425262728ull;
    a.id = 7;
    f.flashUsed = -1;
    f.advancedEnabled = 118;
    f.liveUpdate = 119;
    a.keepOriginalName = 120;
    f.apertureMax = 2.8f;
    f.xResolutionMax = 300.0f;
    f.distanceMax = 10.5f;
    f.exposureTimeMax = 0.5f;
    f.exposureBiasMax = 1.5f;
    f.focalLengthMax = 200.0f;
    f.isoMax = 1600;
    f.widthMax = 3000;
    f.apertureMin = 8.0f;
    f.xResolutionMin = 72.0f;
    f.distanceMin = -1.0f;
    f.exposureTimeMin = 0.004f;
    f.exposureBiasMin = -2.0f;
    f.focalLengthMin = 18.0f;
    f.isoMin = 100;
    f.widthMin = 640;
    f.meteringMode = 5;
    f.cameraModel = "";
    a.pictureCount = 121;
    a.name = "Summer in Cres";
    a.unsaved = 122;
    a.processed = 123;
    a.sizeMB = 12.25f;
    a.startKey = 0x3132333435363738ull;
    f.whiteBalance = 3;
    return a;
}

// The album table, row by row.
void layAlbum(test::LayoutBytes& b, const Album& a) {
    const FilterSettings& f = a.filter;
    b.i32(a.addCameraModel).i32(a.addDate).i32(a.addTime);
    b.i32(f.useAperture).i32(f.useDistance).i32(f.useResolution).i32(f.useExposureBias);
    b.i32(f.useExposureProgram).i32(f.useExposureTime).i32(f.useFocalLength).i32(f.useFlash);
    b.i32(f.useIso).i32(f.useMeteringMode).i32(f.useWhiteBalance).i32(f.useSize);
    b.str(f.cameraMake).i32(a.createSubDirectory).str(a.directoryName).u64(a.endKey);
    b.i32(f.exposureProgram).u64(a.endTime).u64(a.startTime).i32(a.id).i32(f.flashUsed);
    b.i32(f.advancedEnabled).i32(f.liveUpdate).i32(a.keepOriginalName);
    b.f32(f.apertureMax).f32(f.xResolutionMax).f32(f.distanceMax).f32(f.exposureTimeMax);
    b.f32(f.exposureBiasMax).f32(f.focalLengthMax).i32(f.isoMax).i32(f.widthMax);
    b.f32(f.apertureMin).f32(f.xResolutionMin).f32(f.distanceMin).f32(f.exposureTimeMin);
    b.f32(f.exposureBiasMin).f32(f.focalLengthMin).i32(f.isoMin).i32(f.widthMin);
    b.i32(f.meteringMode).str(f.cameraModel).i32(a.pictureCount).str(a.name).i32(a.unsaved);
    b.i32(a.processed).f32(a.sizeMB).u64(a.startKey).i32(f.whiteBalance);
}

void layRecord(test::LayoutBytes& b, const PictureEntry& e) {
    const ExifInfo& x = *e.exif;
    b.i32(e.isDuplicate).i32(e.isRemoved).i32(e.albumId).i32(e.isNegative);
    const uint8_t flags[4] = {x.hasCustomName, x.dateSubstituted, x.IsExif, 0};
    b.raw(flags, 4);
    for (double value : x.signature) b.f64(value);
    b.i32(x.pictureId).fixed(x.customName, 128);
}

TEST(SessionLayout, savedFileMatchesTheLayoutByteForByte) {
    SessionValues values;
    values.dateFormat = 3;
    values.timeFormat = 2;
    values.excludeDuplicates = 1;
    values.sourceText = "/photos/2005";
    values.targetText = "";
    values.duplicatesFound = 2;
    values.picturesAtScan = 5;
    values.freedBytes = 4096.0f;

    Album plain;  // a new album's values, with its empty camera model
    plain.id = 8;
    plain.name = "B";
    plain.directoryName = "/";
    const AlbumList albums = {distinctAlbum(), plain};

    // Listed out of date order; b and c share one date-time value.
    PictureList pictures = {picture("/p/d.jpg", 400, 3u << 20),
                            picture("/p/c.jpg", 200, 0x1'0000'0800ull),  // low 32 bits count
                            picture("/p/b.jpg", 200, 2048), picture("/p/a.jpg", 100, 1048576)};
    pictures[0].albumId = 7;
    pictures[0].isNegative = 1;
    pictures[0].exif->pictureId = 3;
    pictures[0].exif->signature[0] = 0.5;
    pictures[0].exif->signature[15] = -1e-300;
    pictures[1].exif->hasCustomName = 1;
    std::strcpy(pictures[1].exif->customName, "harbour");
    pictures[2].exif->dateSubstituted = 1;
    pictures[2].isDuplicate = 1;
    PictureList removed = {picture("/p/e.jpg", 300, 4096)};
    removed[0].isDuplicate = 1;
    removed[0].isRemoved = 1;
    removed[0].exif->pictureId = 4;

    test::TempDir dir;
    const std::string path = dir.file("work.lsn");
    ErrorCode error = kErrorSuccess;
    ASSERT_TRUE(saveSession(realFileSystem(), path, values, albums, pictures, removed, error));
    EXPECT_EQ(error, kErrorSuccess);

    test::LayoutBytes b;
    b.raw("1.1", 4).i32(3).i32(2).i32(1).i32(0).str("/photos/2005").str("");
    b.i32(2);
    for (const Album& album : albums) layAlbum(b, album);
    b.i32(2).i32(5).f32(4096.0f).i32(4);
    b.f64(1.0 + 2048.0 / 1048576 + 2048.0 / 1048576 + 4096.0 / 1048576 + 3.0);
    // Date order over both lists; b before c, as their paths go.
    const PictureEntry* order[] = {&pictures[0], &pictures[1], &pictures[2], &removed[0],
                                   &pictures[3]};
    for (const PictureEntry* entry : order) layRecord(b, *entry);

    std::vector<uint8_t> saved;
    ASSERT_TRUE(readWholeFile(realFileSystem(), path, saved, error));
    EXPECT_EQ(saved.size(), b.bytes.size());
    EXPECT_EQ(saved, b.bytes);

    // Left sorted by date, the removed picture taken out again.
    std::vector<std::string> paths;
    for (const PictureEntry& entry : pictures) paths.push_back(entry.path);
    EXPECT_EQ(paths, (std::vector<std::string>{"/p/a.jpg", "/p/b.jpg", "/p/c.jpg", "/p/d.jpg"}));
    ASSERT_EQ(removed.size(), 1u);
    EXPECT_EQ(removed[0].path, "/p/e.jpg");
}

TEST(SessionLayout, anAlbumHasFiftyTwoFieldsAndAtLeast224Bytes) {
    struct Counter {
        int fields = 0;
        int strings = 0;
        size_t bytes = 0;
        void operator()(const int32_t&) { ++fields, bytes += 4; }
        void operator()(const float&) { ++fields, bytes += 4; }
        void operator()(const uint64_t&) { ++fields, bytes += 8; }
        void operator()(const std::string&) { ++fields, ++strings, bytes += 4; }
    } counter;
    const Album album;
    visitAlbumFields(album, counter);
    EXPECT_EQ(counter.fields, 52);
    EXPECT_EQ(counter.strings, 4);
    EXPECT_EQ(counter.bytes, kMinimumAlbumBytes);
}

TEST(SessionLayout, totalMegabytesReadsTheLowWordAsSigned) {
    const PictureList pictures = {picture("a", 1, 0x1'0010'0000ull),  // low word 1 MB
                                  picture("b", 2, 0xFFF0'0000u),      // low word -1 MB
                                  picture("c", 3, 512 * 1024)};
    EXPECT_EQ(totalMegabytes(pictures), 0.5);
    PictureList marked = pictures;
    marked[2].isDuplicate = 1;
    EXPECT_EQ(totalMegabytes(marked, false), 0.0);
    EXPECT_EQ(totalMegabytes(marked, true), 0.5);
}

}  // namespace
}  // namespace lumora
