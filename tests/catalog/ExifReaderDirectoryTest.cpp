#include "catalog/ExifReader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/catalog/ExifTestSupport.h"

namespace lumora::testing {
namespace {

using namespace lumora::samples;

TiffEntry floatEntry(uint16_t tag, float value) {
    TiffEntry entry;
    entry.tag = tag;
    entry.format = kFloat;
    entry.count = 1;
    entry.raw = true;  // kept in the machine's own order whatever the block's order
    entry.bytes.resize(4);
    std::memcpy(entry.bytes.data(), &value, 4);
    return entry;
}

class ExifReaderBothOrders : public ::testing::TestWithParam<ByteOrder> {};

INSTANTIATE_TEST_SUITE_P(ByteOrders, ExifReaderBothOrders,
                         ::testing::Values(ByteOrder::Intel, ByteOrder::Motorola));

TEST_P(ExifReaderBothOrders, fillsEveryFieldOfTheTagTable) {
    const Decoded d = decodeEntries(
        GetParam(),
        {asciiEntry(0x010F, "Canon"), asciiEntry(0x0110, "Canon EOS 10D"), shortEntry(0x0112, 6),
         rationalEntry(0x011A, 180, 1), rationalEntry(0x011B, 72, 1), shortEntry(0x0128, 3)},
        {rationalEntry(0x829A, 1, 250), rationalEntry(0x829D, 56, 10), shortEntry(0x8822, 2),
         shortEntry(0x8827, 400), undefinedEntry(0x9000, {'0', '2', '2', '0'}),
         asciiEntry(0x9003, "2004:05:06 07:08:09"), rationalEntry(0x9102, 5, 2),
         srationalEntry(0x9203, -7, 4), srationalEntry(0x9204, -2, 3),
         rationalEntry(0x9206, 123, 100), shortEntry(0x9207, 5), shortEntry(0x9208, 4),
         shortEntry(0x9209, 0x19), rationalEntry(0x920A, 500, 10), longEntry(0xA002, 3072),
         longEntry(0xA003, 2048), rationalEntry(0xA20E, 3072000, 1000),
         rationalEntry(0xA20F, 2048000, 1000), shortEntry(0xA210, 4)});
    const ExifInfo& i = d.info;
    ASSERT_EQ(i.IsExif, 1) << d.error;
    EXPECT_STREQ(i.CameraMake, "Canon");
    EXPECT_STREQ(i.CameraModel, "Canon EOS 10D");
    EXPECT_EQ(i.Orientation, 6);
    EXPECT_FLOAT_EQ(i.Xresolution, 180);
    EXPECT_FLOAT_EQ(i.Yresolution, 72);
    EXPECT_EQ(i.ResolutionUnit, static_cast<float>(1 / 2.54));
    EXPECT_EQ(i.ExposureTime, static_cast<float>(1.0 / 250));
    EXPECT_EQ(i.ApertureFNumber, 5.6f);
    EXPECT_EQ(i.ExposureProgram, 2);
    EXPECT_EQ(i.ISOequivalent, 400);
    EXPECT_STREQ(i.Version, "0220");
    EXPECT_STREQ(i.DateTime, "2004:05:06 07:08:09");
    EXPECT_EQ(i.CompressionLevel, 2);  // 2.5 truncated
    EXPECT_EQ(i.Brightness, -1.75f);
    EXPECT_EQ(i.ExposureBias, static_cast<float>(-2.0 / 3));
    EXPECT_EQ(i.Distance, 1.23f);
    EXPECT_EQ(i.MeteringMode, 5);
    EXPECT_EQ(i.Whitebalance, 4);
    EXPECT_EQ(i.FlashUsed, 1);
    EXPECT_EQ(i.FocalLength, 50);
    EXPECT_EQ(i.FocalplaneXRes, 3072);
    EXPECT_EQ(i.FocalplaneYRes, 2048);
    EXPECT_EQ(i.FocalplaneUnits, static_cast<float>(1 / 25.4));
    EXPECT_EQ(i.CCDWidth, 3072 * static_cast<float>(1 / 25.4) / 3072.0f);
    EXPECT_EQ(d.error, "");
}

TEST_P(ExifReaderBothOrders, readsFloatsInTheMachinesOwnOrder) {
    TiffEntry d64;
    d64.tag = 0x920A;
    d64.format = kDouble;
    d64.count = 1;
    d64.raw = true;
    const double length = 35.5;
    d64.bytes.resize(8);
    std::memcpy(d64.bytes.data(), &length, 8);
    const Decoded d = decodeEntries(GetParam(), {}, {floatEntry(0x829A, 0.125f), d64});
    EXPECT_EQ(d.info.ExposureTime, 0.125f);
    EXPECT_EQ(d.info.FocalLength, 35.5f);
}

TEST_P(ExifReaderBothOrders, cutsTextsToTheirFields) {
    const Decoded d = decodeEntries(
        GetParam(),
        {asciiEntry(0x010F, std::string(40, 'M')), asciiEntry(0x0110, std::string(50, 'm'))},
        {asciiEntry(0x9003, "2004:05:06 07:08:09 and more"), asciiEntry(0x9000, "0221extra")});
    EXPECT_EQ(std::string(d.info.CameraMake), std::string(31, 'M'));
    EXPECT_EQ(std::string(d.info.CameraModel), std::string(39, 'm'));
    EXPECT_STREQ(d.info.DateTime, "2004:05:06 07:08:09");
    EXPECT_STREQ(d.info.Version, "0221");
}

TEST_P(ExifReaderBothOrders, directTagsWinOverApexValuesInEitherOrder) {
    const auto order = GetParam();
    const TiffEntry exposure = rationalEntry(0x829A, 1, 60);
    const TiffEntry shutter = srationalEntry(0x9201, 8, 1);
    const TiffEntry fnumber = rationalEntry(0x829D, 28, 10);
    const TiffEntry aperture = rationalEntry(0x9202, 4, 1);
    const TiffEntry maxAperture = rationalEntry(0x9205, 6, 1);
    for (const auto& entries : {std::vector{exposure, shutter, fnumber, aperture, maxAperture},
                                std::vector{shutter, aperture, maxAperture, exposure, fnumber}}) {
        const Decoded d = decodeEntries(order, {}, entries);
        EXPECT_EQ(d.info.ExposureTime, static_cast<float>(1.0 / 60));
        EXPECT_EQ(d.info.ApertureFNumber, 2.8f);
    }
    const Decoded apexOnly = decodeEntries(order, {}, {shutter, aperture, maxAperture});
    EXPECT_EQ(apexOnly.info.ExposureTime, 0.00390625f);
    EXPECT_EQ(apexOnly.info.ApertureFNumber, 4.0f);  // the first APEX aperture
    const Decoded maxOnly = decodeEntries(order, {}, {maxAperture});
    EXPECT_EQ(maxOnly.info.ApertureFNumber, 8.0f);
}

TEST(ExifReaderValues, scalesSmallIsoValues) {
    const std::pair<uint16_t, int> cases[] = {{0, 0}, {1, 200}, {49, 9800}, {50, 50}, {1600, 1600}};
    for (const auto& [value, expected] : cases) {
        const Decoded d = decodeEntries(ByteOrder::Intel, {}, {shortEntry(0x8827, value)});
        EXPECT_EQ(d.info.ISOequivalent, expected) << value;
    }
}

TEST(ExifReaderValues, flashFiredWhenAnyOfTheThreeLowBitsIsSet) {
    const std::pair<uint16_t, int> cases[] = {{0, 0},    {1, 1},    {4, 1},   {7, 1},
                                              {0x10, 0}, {0x18, 0}, {0x59, 1}};
    for (const auto& [value, expected] : cases) {
        const Decoded d = decodeEntries(ByteOrder::Intel, {}, {shortEntry(0x9209, value)});
        EXPECT_EQ(d.info.FlashUsed, expected) << value;
    }
}

TEST(ExifReaderValues, unitTableGivesInchFactors) {
    const float unchanged = -1;  // marks a field the unit left alone
    const std::pair<uint16_t, float> cases[] = {{1, 1.0f},
                                                {2, 1.0f},
                                                {3, static_cast<float>(1 / 2.54)},
                                                {4, static_cast<float>(1 / 25.4)},
                                                {5, static_cast<float>(1 / 25400.0)},
                                                {0, unchanged},
                                                {6, unchanged}};
    for (const auto& [unit, expected] : cases) {
        // A first unit of 4 shows whether the second one replaced it.
        const Decoded d =
            decodeEntries(ByteOrder::Motorola, {shortEntry(0x0128, 4), shortEntry(0x0128, unit)});
        EXPECT_EQ(d.info.ResolutionUnit,
                  expected == unchanged ? static_cast<float>(1 / 25.4) : expected)
            << unit;
    }
}

TEST(ExifReaderValues, undefinedOrientationIsZeroAndTheWalkGoesOn) {
    const Decoded d = decodeEntries(ByteOrder::Intel, {shortEntry(0x0112, 9)},
                                    {asciiEntry(0x9003, "2001:01:01 00:00:00")});
    EXPECT_EQ(d.info.Orientation, 0);
    EXPECT_EQ(d.info.IsExif, 1);
    EXPECT_STREQ(d.info.DateTime, "2001:01:01 00:00:00");
    EXPECT_EQ(d.error, "Undefined rotation value");
}

TEST(ExifReaderValues, computesTheSensorWidthInInches) {
    const Decoded d = decodeEntries(ByteOrder::Intel, {},
                                    {longEntry(0xA002, 2048), shortEntry(0xA003, 1536),
                                     rationalEntry(0xA20E, 1000, 1), shortEntry(0xA210, 2)});
    EXPECT_EQ(d.info.CCDWidth, 2.048f);
    const Decoded noResolution = decodeEntries(ByteOrder::Intel, {}, {longEntry(0xA002, 2048)});
    EXPECT_EQ(noResolution.info.CCDWidth, 0);
}

TEST(ExifReaderValues, userComments) {
    using std::string;
    struct Case {
        const char* name;
        string value;
        string expected;
    };
    const Case cases[] = {
        {"ascii prefix", string("ASCII\0\0\0Hello   ", 16), "Hello"},
        {"prefix then spaces", string("ASCII  \0 text", 13), "text"},
        {"text too far", string("ASCII\0\0\0\0\0late", 14), ""},
        {"all spaces", string(12, ' '), ""},
        {"no prefix", "  Holiday  ", "  Holiday"},
        {"unicode", string("UNICODE\0H\0i\0", 12), "UNICODE"},
        {"long", string(300, 'c'), string(199, 'c')},
    };
    for (const Case& c : cases) {
        const Decoded d = decodeEntries(
            ByteOrder::Intel, {},
            {undefinedEntry(0x9286, std::vector<uint8_t>(c.value.begin(), c.value.end()))});
        EXPECT_EQ(string(d.info.Comments), c.expected) << c.name;
        EXPECT_EQ(d.info.IsExif, 1) << c.name;
    }
}

TEST(ExifReaderValues, thumbnailDirectoryResolutionsReplaceTheFirstOnes) {
    ExifBlockSpec spec;
    spec.order = ByteOrder::Motorola;
    spec.ifd0 = {rationalEntry(0x011A, 300, 1), rationalEntry(0x011B, 300, 1),
                 shortEntry(0x0128, 2)};
    spec.ifd1 = {rationalEntry(0x011A, 72, 1), rationalEntry(0x011B, 96, 1), shortEntry(0x0128, 3)};
    spec.thumbnail = {0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9};
    const Decoded d = decodeBytes(jpegWith({section(0xFE, text("c")), exifSection(spec)}));
    EXPECT_EQ(d.info.Xresolution, 72);
    EXPECT_EQ(d.info.Yresolution, 96);
    EXPECT_EQ(d.info.ResolutionUnit, static_cast<float>(1 / 2.54));
    // SOI, then the five bytes of the comment section before the APP1.
    EXPECT_EQ(d.info.ThumbnailOffset, 2 + 5 + thumbnailOffsetInSegment(spec));
    EXPECT_EQ(d.info.ThumbnailSize, 7u);
}

TEST(ExifReaderValues, thumbnailNeedsOffsetAndLengthInsideTheBlock) {
    struct Case {
        const char* name;
        std::vector<TiffEntry> ifd1;
    };
    const Case cases[] = {
        {"no length", {longEntry(0x0201, 20)}},
        {"zero length", {longEntry(0x0201, 20), longEntry(0x0202, 0)}},
        {"zero offset", {longEntry(0x0201, 0), longEntry(0x0202, 10)}},
        {"past the end", {longEntry(0x0201, 20), longEntry(0x0202, 5000)}},
        {"negative offset", {slongEntry(0x0201, -4), longEntry(0x0202, 10)}},
    };
    for (const Case& c : cases) {
        ExifBlockSpec spec;
        spec.ifd0 = {shortEntry(0x0112, 1)};
        spec.ifd1 = c.ifd1;
        const Decoded d = decodeBytes(jpegWith({exifSection(spec)}));
        EXPECT_EQ(d.info.IsExif, 1) << c.name;
        EXPECT_EQ(d.info.ThumbnailOffset, 0u) << c.name;
        EXPECT_EQ(d.info.ThumbnailSize, 0u) << c.name;
    }
}

TEST(ExifReaderHeader, failuresOfTheExifHeader) {
    struct Case {
        const char* name;
        Bytes app1Body;
        const char* error;
    };
    const auto tiffWithFirstOffset = [](uint32_t offset) {
        RawTiff tiff(false);
        tiff.set32(4, offset);
        return tiff.u16(0).u32(0).bytes();
    };
    const Case cases[] = {
        {"no zero bytes", text(std::string("Exif\0\1MM", 8)), "Incorrect Exif header"},
        {"short", text("Exif"), "Incorrect Exif header"},
        {"odd alignment", concat({text(std::string("Exif\0\0", 6)), text("IM")}),
         "Invalid Exif alignment marker."},
        {"no alignment", text(std::string("Exif\0\0", 6)), "Invalid Exif alignment marker."},
        {"not 42", concat({text(std::string("Exif\0\0", 6)), {'I', 'I', 43, 0, 8, 0, 0, 0}}),
         "Invalid Exif start (1)"},
        {"big-endian 42 in an Intel block",
         concat({text(std::string("Exif\0\0", 6)), {'I', 'I', 0, 42, 8, 0, 0, 0}}),
         "Invalid Exif start (1)"},
        {"first offset 7", concat({text(std::string("Exif\0\0", 6)), tiffWithFirstOffset(7)}),
         "Suspicious offset of first IFD value"},
        {"first offset 17", concat({text(std::string("Exif\0\0", 6)), tiffWithFirstOffset(17)}),
         "Suspicious offset of first IFD value"},
        {"no first offset", concat({text(std::string("Exif\0\0", 6)), {'M', 'M', 0, 42, 0}}),
         "Suspicious offset of first IFD value"},
        {"no directory", concat({text(std::string("Exif\0\0", 6)), {'M', 'M', 0, 42, 0, 0, 0, 8}}),
         "Illegally sized directory"},
    };
    for (const Case& c : cases) {
        const Decoded d = decodeBytes(jpegWith({section(0xE1, c.app1Body)}));
        EXPECT_EQ(d.info.IsExif, 0) << c.name;
        EXPECT_EQ(d.error, c.error) << c.name;
        EXPECT_TRUE(d.result) << c.name;  // the walk goes on to the scan
        EXPECT_EQ(d.info.Width, 640) << c.name;
    }
}

TEST(ExifReaderHeader, firstDirectoryIsReadAtEightWhateverItsOffset) {
    for (uint32_t offset : {8u, 12u, 16u}) {
        ExifBlockSpec spec;
        spec.firstIfdOffset = offset;
        spec.ifd0 = {asciiEntry(0x010F, "Nikon")};
        const Decoded d = decodeBytes(jpegWith({exifSection(spec)}));
        EXPECT_EQ(d.info.IsExif, 1) << offset;
        EXPECT_STREQ(d.info.CameraMake, "Nikon") << offset;
    }
}

TEST(ExifReaderHeader, formatCodesOutsideTheTableFail) {
    for (uint16_t format : {0, 13, 0xFFFF}) {
        const Bytes tiff = RawTiff(true)
                               .u16(2)
                               .entry(0x010F, 2, 4, 0x41424300)
                               .entry(0x0110, format, 1, 0)
                               .u32(0)
                               .bytes();
        const Decoded d = decodeBytes(jpegWith({exifSection(tiff)}));
        EXPECT_EQ(d.info.IsExif, 0) << format;
        EXPECT_EQ(d.error, "Illegal format code in EXIF dir") << format;
        EXPECT_STREQ(d.info.CameraMake, "ABC") << format;  // fields filled so far stay
    }
}

}  // namespace
}  // namespace lumora::testing
