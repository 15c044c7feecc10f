#include "catalog/ExifReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/catalog/ExifTestSupport.h"

namespace lumora::testing {
namespace {

const Bytes kSoi = {0xFF, 0xD8};

// Field by field: the record has padding.
bool isAllZero(const ExifInfo& i) {
    const auto empty = [](const char* text, size_t size) {
        for (size_t n = 0; n < size; ++n) {
            if (text[n] != 0) return false;
        }
        return true;
    };
    const double numbers[] = {double(i.Height),
                              double(i.Width),
                              double(i.Orientation),
                              double(i.IsColor),
                              double(i.Process),
                              double(i.FlashUsed),
                              i.FocalLength,
                              i.ExposureTime,
                              i.ApertureFNumber,
                              i.Distance,
                              i.CCDWidth,
                              i.ExposureBias,
                              double(i.Whitebalance),
                              double(i.MeteringMode),
                              double(i.ExposureProgram),
                              double(i.ISOequivalent),
                              double(i.CompressionLevel),
                              i.FocalplaneXRes,
                              i.FocalplaneYRes,
                              i.FocalplaneUnits,
                              i.Xresolution,
                              i.Yresolution,
                              i.ResolutionUnit,
                              i.Brightness,
                              double(i.ThumbnailOffset),
                              double(i.ThumbnailSize),
                              i.signature[0],
                              double(i.thumbnailIndex),
                              double(i.pictureId),
                              double(i.hasCustomName),
                              double(i.dateSubstituted),
                              double(i.IsExif)};
    for (double n : numbers) {
        if (n != 0) return false;
    }
    return empty(i.Version, sizeof i.Version) && empty(i.CameraMake, sizeof i.CameraMake) &&
           empty(i.CameraModel, sizeof i.CameraModel) && empty(i.DateTime, sizeof i.DateTime) &&
           empty(i.Comments, sizeof i.Comments) && empty(i.customName, sizeof i.customName);
}

TEST(ExifReaderSections, fileWithoutStartOfImageLeavesEverythingZero) {
    for (const Bytes& file : {Bytes{}, Bytes{0xFF}, Bytes{0xD8, 0xFF}, Bytes{0xFF, 0xD9, 0, 0}}) {
        const Decoded d = decodeBytes(file);
        EXPECT_FALSE(d.result);
        EXPECT_TRUE(isAllZero(d.info));
        EXPECT_EQ(d.error, "");
    }
}

TEST(ExifReaderSections, readsTheFrameHeaderAndStopsAtTheStartOfScan) {
    struct Case {
        uint8_t marker;
        int components;
        int isColor;
    };
    for (const Case c : {Case{0xC0, 3, 1}, Case{0xC2, 1, 0}, Case{0xCF, 4, 0}}) {
        const Bytes file =
            concat({kSoi, frameHeader(4000, 3000, c.components, c.marker), startOfScan()});
        const Decoded d = decodeBytes(file);
        EXPECT_TRUE(d.result);
        EXPECT_EQ(d.info.Width, 4000);
        EXPECT_EQ(d.info.Height, 3000);
        EXPECT_EQ(d.info.IsColor, c.isColor);
        EXPECT_EQ(d.info.Process, c.marker);
        EXPECT_EQ(d.info.IsExif, 0);
    }
    // 0xC4 (Huffman tables) is no frame header.
    const Decoded d = decodeBytes(concat({kSoi, frameHeader(10, 20, 3, 0xC4), startOfScan()}));
    EXPECT_EQ(d.info.Width, 0);
    EXPECT_EQ(d.info.Process, 0);
}

TEST(ExifReaderSections, acceptsSixPaddingBytesAndRefusesSeven) {
    const Bytes section = frameHeader(64, 48, 3);  // starts with one 0xFF
    const Bytes body(section.begin() + 1, section.end());
    const Decoded six = decodeBytes(concat({kSoi, Bytes(6, 0xFF), body, startOfScan()}));
    EXPECT_TRUE(six.result);
    EXPECT_EQ(six.info.Width, 64);
    EXPECT_EQ(six.diagnostics, "");

    const Decoded seven = decodeBytes(concat({kSoi, Bytes(7, 0xFF), body, startOfScan()}));
    EXPECT_FALSE(seven.result);
    EXPECT_EQ(seven.info.Width, 0);
    EXPECT_EQ(seven.diagnostics, "too many padding unsigned chars\n");
}

TEST(ExifReaderSections, failuresOfTheWalkLeaveTheirText) {
    struct Case {
        const char* name;
        Bytes file;
        const char* error;
    };
    const Case cases[] = {
        {"length below two", concat({kSoi, {0xFF, 0xE5, 0x00, 0x01}}), "invalid marker"},
        {"length zero", concat({kSoi, {0xFF, 0xC0, 0x00, 0x00}}), "invalid marker"},
        {"short body", concat({kSoi, {0xFF, 0xE5, 0x00, 0x10, 1, 2, 3}}), "Premature end of file?"},
        {"no length", concat({kSoi, {0xFF, 0xDB, 0x00}}), "Premature end of file?"},
        {"ends before a marker", concat({kSoi, frameHeader(1, 1, 1)}), "Premature end of file?"},
    };
    for (const Case& c : cases) {
        const Decoded d = decodeBytes(c.file);
        EXPECT_FALSE(d.result) << c.name;
        EXPECT_EQ(d.error, c.error) << c.name;
    }
}

TEST(ExifReaderSections, endOfImageBeforeTheScanIsReported) {
    const Decoded d = decodeBytes(concat({kSoi, frameHeader(8, 8, 3), section(0xD9, {})}));
    EXPECT_FALSE(d.result);
    EXPECT_EQ(d.diagnostics, "No image in jpeg!\n");
    EXPECT_EQ(d.info.Width, 8);
}

TEST(ExifReaderSections, silencedDiagnosticsWriteNothing) {
    ExifReader reader;
    reader.setDiagnostics(nullptr);
    MemoryFile file(concat({kSoi, section(0xD9, {})}));
    EXPECT_FALSE(reader.decode(file));
}

TEST(ExifReaderSections, twentyKeptSectionsEndTheWalk) {
    Bytes nineteen = kSoi;
    for (int i = 0; i < 18; ++i) nineteen = concat({nineteen, section(0xDB, {0})});
    nineteen = concat({nineteen, section(0xFE, text("a"))});
    // Dropped sections do not count: APP0, a non-Exif APP1, a second comment.
    const Bytes dropped = concat(
        {section(0xE0, text("JFIF")), section(0xE1, text("http://ns")), section(0xFE, text("b"))});
    const Decoded ok = decodeBytes(concat({nineteen, dropped, startOfScan()}));
    EXPECT_TRUE(ok.result);
    EXPECT_STREQ(ok.info.Comments, "a");

    const Decoded tooMany = decodeBytes(concat({nineteen, section(0xDB, {0}), startOfScan()}));
    EXPECT_FALSE(tooMany.result);
    EXPECT_EQ(tooMany.error, "Too many sections in jpg file");
}

TEST(ExifReaderComments, convertsTheFirstCommentSection) {
    struct Case {
        std::string body;
        std::string expected;
    };
    const Case cases[] = {
        {"line one\r\nline two", "line one\nline two"},
        {"tab\there\nlf", "tab\there\nlf"},
        {std::string("a\rb\0c\x01\x7f", 7), "a?b?c?\x7f"},
        {"ends with cr\r", "ends with cr?"},
        {"caf\xe9 \xff", "caf\xe9 \xff"},
    };
    for (const Case& c : cases) {
        const Decoded d = decodeBytes(jpegWith({section(0xFE, text(c.body))}));
        EXPECT_EQ(std::string(d.info.Comments), c.expected);
    }
}

TEST(ExifReaderComments, keepsAtMost998Characters) {
    const Decoded d = decodeBytes(jpegWith({section(0xFE, Bytes(1200, 'x'))}));
    EXPECT_TRUE(d.result);
    EXPECT_EQ(std::string(d.info.Comments), std::string(998, 'x'));
}

TEST(ExifReaderComments, aLaterExifSectionClearsTheComment) {
    samples::ExifBlockSpec spec;
    spec.ifd0 = {samples::asciiEntry(0x010F, "Maker")};
    const Decoded before = decodeBytes(jpegWith({section(0xFE, text("note")), exifSection(spec)}));
    EXPECT_STREQ(before.info.Comments, "");
    EXPECT_STREQ(before.info.CameraMake, "Maker");
    const Decoded after = decodeBytes(jpegWith({exifSection(spec), section(0xFE, text("note"))}));
    EXPECT_STREQ(after.info.Comments, "note");
}

TEST(ExifReaderLifecycle, resetZeroesTheRecordForTheNextFile) {
    ExifInfo info;
    ExifReader reader(&info);
    MemoryFile first(jpegWith({section(0xFE, text("first"))}));
    ASSERT_TRUE(reader.decode(first));
    info.pictureId = 7;
    reader.reset();
    EXPECT_TRUE(isAllZero(info));
    // The comment of the second file is again the first one of its file.
    MemoryFile second(jpegWith({section(0xFE, text("second"))}));
    ASSERT_TRUE(reader.decode(second));
    EXPECT_STREQ(reader.info().Comments, "second");
}

TEST(ExifReaderLifecycle, readsTheHeaderInFewCalls) {
    samples::ExifBlockSpec spec;
    spec.thumbnail = Bytes(20000, 0x55);
    MemoryFile file(concat({jpegWith({exifSection(spec)}), Bytes(3'000'000, 0)}));
    ExifReader reader;
    ASSERT_TRUE(reader.decode(file));
    EXPECT_LE(file.readCalls(), 2);
}

}  // namespace
}  // namespace lumora::testing
