#include "catalog/ExifReader.h"

#include <gtest/gtest.h>

#include <string>

#include "samples/JpegFileWriter.h"
#include "tests/catalog/ExifTestSupport.h"

namespace lumora::testing {
namespace {

constexpr uint16_t kAscii = 2, kShort = 3, kLong = 4, kRational = 5, kUndefined = 7;

Decoded decodeTiff(const RawTiff& tiff) {
    return decodeBytes(jpegWith({exifSection(tiff.bytes())}));
}

TEST(ExifReaderCycles, linksBackToAWalkedDirectoryAreNotFollowed) {
    // IFD0 at 8: one entry, then its link. A second directory follows at 26.
    struct Case {
        const char* name;
        uint16_t linkTag;  // IFD0's first entry
        uint32_t linkValue;
        uint32_t ifd0Next;
        uint32_t secondNext;
    };
    const Case cases[] = {
        {"next link to itself", 0x010F, 0x00636261, 8, 0},
        {"sub-directory to itself", 0x8769, 8, 0, 0},
        {"next links round two directories", 0x010F, 0x00636261, 26, 8},
        {"sub-directory and next link round two", 0x8769, 26, 0, 8},
    };
    for (const Case& c : cases) {
        RawTiff tiff(false);
        const bool link = c.linkTag == 0x8769;
        tiff.u16(1)
            .entry(c.linkTag, link ? kLong : kAscii, link ? 1 : 4, c.linkValue)
            .u32(c.ifd0Next);
        tiff.u16(2).entry(0x0112, kShort, 1, 3).entry(0x8769, kLong, 1, 8).u32(c.secondNext);
        const Decoded d = decodeTiff(tiff);
        EXPECT_EQ(d.info.IsExif, 1) << c.name;
        EXPECT_EQ(d.error, "") << c.name;
        if (c.linkTag == 0x010F) {
            EXPECT_STREQ(d.info.CameraMake, "abc") << c.name;
        }
        if (c.ifd0Next == 26 || c.linkValue == 26) {
            EXPECT_EQ(d.info.Orientation, 3) << c.name;
        }
    }
}

TEST(ExifReaderCycles, manyLinksToOneDirectoryWalkItOnce) {
    // Every directory links 400 times to the next one: walked once each,
    // the work stays small instead of multiplying at each level.
    constexpr uint32_t kLinks = 400, kLevels = 6;
    constexpr uint32_t kDirectorySize = 2 + 12 * kLinks + 4;
    RawTiff tiff(true);
    for (uint32_t level = 0; level < kLevels; ++level) {
        const uint32_t next = 8 + (level + 1) * kDirectorySize;
        tiff.u16(kLinks);
        for (uint32_t i = 0; i < kLinks; ++i) {
            tiff.entry(0x8769, kLong, 1, level + 1 < kLevels ? next : 8);
        }
        tiff.u32(0);
    }
    const Decoded d = decodeTiff(tiff);
    EXPECT_EQ(d.info.IsExif, 1);
}

TEST(ExifReaderCycles, longChainsOfDirectoriesEnd) {
    RawTiff tiff(false);
    for (uint32_t i = 0; i < 1000; ++i) {
        tiff.u16(1).entry(0x0112, kShort, 1, 1 + i % 8).u32(8 + 18 * (i + 1));
    }
    tiff.u16(0).u32(0);
    const Decoded d = decodeTiff(tiff);
    EXPECT_EQ(d.info.IsExif, 1);
    EXPECT_GE(d.info.Orientation, 1);
}

TEST(ExifReaderBounds, valuesOutsideTheBlockAreRefused) {
    struct Case {
        const char* name;
        uint16_t format;
        uint32_t count;
        uint32_t offset;  // counted back from the end of the block when below 100
        bool fromEnd;
        const char* error;
    };
    // The block: header, a directory of one entry and its link, then 6 bytes.
    const uint32_t length = 8 + 2 + 12 + 4 + 6;
    const Case cases[] = {
        {"count whose byte size wraps to 4", kLong, 0x40000001, 0, false,
         "Illegal pointer offset value in EXIF."},
        {"rational count whose byte size wraps to 0", kRational, 0x20000000, 8, false,
         "Illegal pointer offset value in EXIF."},
        {"offset plus size wraps", kAscii, 32, 0xFFFFFFF0, false,
         "Illegal pointer offset value in EXIF."},
        {"one byte past the end", kAscii, 6, 5, true, "Illegal pointer offset value in EXIF."},
        {"the last bytes exactly", kAscii, 6, 6, true, ""},
    };
    for (const Case& c : cases) {
        RawTiff tiff(false);
        tiff.u16(1).entry(0x010F, c.format, c.count, c.fromEnd ? length - c.offset : c.offset);
        tiff.u32(0).raw(text("Canon!"));
        ASSERT_EQ(tiff.size(), length);
        const Decoded d = decodeTiff(tiff);
        EXPECT_EQ(d.error, c.error) << c.name;
        EXPECT_EQ(d.info.IsExif, std::string(c.error).empty() ? 1 : 0) << c.name;
        // Texts stop at the value's bytes even without a zero byte.
        if (d.info.IsExif) {
            EXPECT_STREQ(d.info.CameraMake, "Canon!") << c.name;
        }
    }
}

TEST(ExifReaderBounds, linksAndDirectoriesOutsideTheBlock) {
    struct Case {
        const char* name;
        uint16_t entries;  // the directory's count
        uint16_t tag;
        uint32_t value;
        uint32_t next;
        int isExif;
        const char* error;
    };
    const uint32_t length = 8 + 2 + 12 + 4;  // one entry
    const Case cases[] = {
        {"sub-directory past the end", 1, 0x8769, length + 1, 0, 0, "Illegal subdirectory link"},
        {"interop link past the end", 1, 0xA005, 0xFFFFFFFF, 0, 0, "Illegal subdirectory link"},
        {"sub-directory at the very end", 1, 0x8769, length, 0, 1, "Illegally sized directory"},
        {"next link past the end", 1, 0x0112, 1, length + 1, 0, "Illegal subdirectory link"},
        {"next link at the very end", 1, 0x0112, 1, length, 1, "Illegally sized directory"},
        {"count beyond the block", 2, 0x0112, 1, 0, 0, "Illegally sized directory"},
        {"huge count", 0xFFFF, 0x0112, 1, 0, 0, "Illegally sized directory"},
    };
    for (const Case& c : cases) {
        RawTiff tiff(true);
        tiff.u16(c.entries).entry(c.tag, kLong, 1, c.value).u32(c.next);
        const Decoded d = decodeTiff(tiff);
        EXPECT_EQ(d.info.IsExif, c.isExif) << c.name;
        EXPECT_EQ(d.error, c.error) << c.name;
    }
}

TEST(ExifReaderBounds, entriesThatHoldLessThanOneValue) {
    // The last entry of the block ends the block: a rational without
    // components must not be read from beyond it.
    RawTiff tiff(false);
    tiff.u16(4)
        .entryBytes(0x9000, kUndefined, 2, text("02ZZ"))
        .entryBytes(0x010F, kAscii, 0, text("Nope"))
        .entryBytes(0x0110, kShort, 1, text("AB\0\0"))
        .entry(0x829A, kRational, 0, 0x7F7F7F7F);
    const Decoded d = decodeTiff(tiff);  // no link: the directory fills the block
    EXPECT_EQ(d.info.IsExif, 1);
    EXPECT_STREQ(d.info.Version, "02");
    EXPECT_STREQ(d.info.CameraMake, "");
    EXPECT_STREQ(d.info.CameraModel, "AB");
    EXPECT_EQ(d.info.ExposureTime, 0);
}

TEST(ExifReaderBounds, shortFrameHeaderGivesNoSizes) {
    const Decoded d = decodeBytes(concat({{0xFF, 0xD8}, section(0xC0, {8, 1, 0}), startOfScan()}));
    EXPECT_TRUE(d.result);
    EXPECT_EQ(d.info.Height, 0);
    EXPECT_EQ(d.info.Process, 0);
}

struct RealFile {
    Bytes bytes;
    size_t exifEnd = 0;  // end of the APP1 section
    size_t scanEnd = 0;  // end of the start-of-scan header
};

RealFile realFile() {
    samples::ExifBlockSpec spec;
    spec.order = samples::ByteOrder::Motorola;
    spec.ifd0 = {samples::asciiEntry(0x010F, "Canon"), samples::shortEntry(0x0112, 1)};
    spec.exifIfd = {samples::asciiEntry(0x9003, "2003:01:02 03:04:05"),
                    samples::undefinedEntry(0x9286, text("ASCII\0\0\0Hi  "))};
    spec.interopIfd = {samples::asciiEntry(0x0001, "R98")};
    spec.ifd1 = {samples::rationalEntry(0x011A, 72, 1)};
    spec.thumbnail = samples::encodePattern(32, 24, 3, 70, 9);
    samples::JpegSpec jpeg;
    jpeg.segments = {exifSection(spec), samples::commentSegment("comment")};
    RealFile file;
    file.bytes = samples::buildJpegFile(jpeg);
    file.exifEnd = 2 + jpeg.segments[0].size();
    for (size_t i = file.exifEnd; i + 3 < file.bytes.size(); ++i) {
        if (file.bytes[i] == 0xFF && file.bytes[i + 1] == 0xDA) {
            file.scanEnd = i + 2 + (file.bytes[i + 2] << 8 | file.bytes[i + 3]);
            break;
        }
    }
    return file;
}

TEST(ExifReaderDamage, truncatedAtEveryLength) {
    const RealFile file = realFile();
    ASSERT_GT(file.scanEnd, file.exifEnd);
    for (size_t n = 0; n <= file.scanEnd + 16; ++n) {
        const Decoded d = decodeBytes(Bytes(file.bytes.begin(), file.bytes.begin() + n));
        ASSERT_EQ(d.result, n >= file.scanEnd) << n;
        ASSERT_EQ(d.info.IsExif, n >= file.exifEnd ? 1 : 0) << n;
        if (n >= 2 && n < file.scanEnd) {
            ASSERT_EQ(d.error, "Premature end of file?") << n;
        }
    }
    const Decoded whole = decodeBytes(file.bytes);
    EXPECT_STREQ(whole.info.CameraMake, "Canon");
    EXPECT_STREQ(whole.info.Comments, "comment");
    EXPECT_EQ(whole.info.Width, 64);
}

TEST(ExifReaderDamage, corruptedExifBytesNeverLeaveTheSection) {
    const RealFile file = realFile();
    for (size_t at = 2 + 4; at < file.exifEnd; ++at) {  // every byte after the length
        for (uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            Bytes damaged = file.bytes;
            damaged[at] = value;
            const Decoded d = decodeBytes(damaged);
            ASSERT_TRUE(d.result) << at;
            ASSERT_EQ(d.info.Width, 64) << at;
            ASSERT_LE(uint64_t{d.info.ThumbnailOffset} + d.info.ThumbnailSize, file.exifEnd) << at;
        }
    }
}

}  // namespace
}  // namespace lumora::testing
