#include "samples/ExifBlockWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::samples {
namespace {

using Bytes = std::vector<uint8_t>;

// Lays out expected TIFF bytes by hand, in either byte order.
class Expected {
  public:
    explicit Expected(ByteOrder order) : order_(order) {}
    Expected& u16(uint16_t v) { return put(v, 2); }
    Expected& u32(uint32_t v) { return put(v, 4); }
    Expected& text(const std::string& s) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        return *this;
    }
    Expected& raw(const Bytes& b) {
        bytes.insert(bytes.end(), b.begin(), b.end());
        return *this;
    }
    Expected& zeros(size_t n) {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }
    // A tag, format and count, the start of every entry.
    Expected& entry(uint16_t tag, uint16_t format, uint32_t count) {
        return u16(tag).u16(format).u32(count);
    }
    Bytes bytes;

  private:
    Expected& put(uint32_t v, int width) {
        for (int i = 0; i < width; ++i) {
            const int shift = order_ == ByteOrder::Intel ? 8 * i : 8 * (width - 1 - i);
            bytes.push_back(static_cast<uint8_t>(v >> shift));
        }
        return *this;
    }
    ByteOrder order_;
};

const Bytes kThumbnail = {0xFF, 0xD8, 0xFF, 0xD9, 0x42};

ExifBlockSpec smallSpec(ByteOrder order) {
    ExifBlockSpec spec;
    spec.order = order;
    spec.ifd0 = {asciiEntry(0x010F, "Canon"), asciiEntry(0x0110, "EOS-1D"), shortEntry(0x0112, 6)};
    spec.exifIfd = {rationalEntry(0x829A, 1, 250), asciiEntry(0x9003, "2004:01:02 03:04:05")};
    spec.interopIfd = {asciiEntry(0x0001, "R98")};
    spec.ifd1 = {shortEntry(0x0103, 6)};
    spec.thumbnail = kThumbnail;
    return spec;
}

// Offsets worked out by hand: IFD0 (4 entries) at 8 ends at 62; Make at 62,
// Model at 68 (7 bytes, padded to 76); EXIF IFD at 76 ends at 118; its values
// at 118 and 126; interop IFD at 146; IFD1 at 164 ends at 206; thumbnail at 206.
Bytes expectedSmallBlock(ByteOrder order) {
    Expected e(order);
    e.text(order == ByteOrder::Intel ? "II" : "MM").u16(42).u32(8);
    e.u16(4);
    e.entry(0x010F, 2, 6).u32(62);
    e.entry(0x0110, 2, 7).u32(68);
    e.entry(0x0112, 3, 1).u16(6).u16(0);
    e.entry(0x8769, 4, 1).u32(76);
    e.u32(164);
    e.text("Canon").zeros(1).text("EOS-1D").zeros(1).zeros(1);
    e.u16(3);
    e.entry(0x829A, 5, 1).u32(118);
    e.entry(0x9003, 2, 20).u32(126);
    e.entry(0xA005, 4, 1).u32(146);
    e.u32(0);
    e.u32(1).u32(250);
    e.text("2004:01:02 03:04:05").zeros(1);
    e.u16(1);
    e.entry(0x0001, 2, 4).text("R98").zeros(1);
    e.u32(0);
    e.u16(3);
    e.entry(0x0103, 3, 1).u16(6).u16(0);
    e.entry(0x0201, 4, 1).u32(206);
    e.entry(0x0202, 4, 1).u32(5);
    e.u32(0);
    e.raw(kThumbnail);
    return e.bytes;
}

TEST(ExifBlockWriter, laysOutEveryDirectoryInBothByteOrders) {
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        SCOPED_TRACE(order == ByteOrder::Intel ? "Intel" : "Motorola");
        EXPECT_EQ(buildTiffBlock(smallSpec(order)), expectedSmallBlock(order));
    }
}

TEST(ExifBlockWriter, segmentWrapsTheBlockAndLocatesTheThumbnail) {
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        const ExifBlockSpec spec = smallSpec(order);
        const Bytes segment = buildExifSegment(spec);
        const Bytes block = expectedSmallBlock(order);
        ASSERT_EQ(segment.size(), 10 + block.size());
        const Bytes head(segment.begin(), segment.begin() + 10);
        const size_t length = 8 + block.size();
        EXPECT_EQ(head, (Bytes{0xFF, 0xE1, static_cast<uint8_t>(length >> 8),
                               static_cast<uint8_t>(length), 'E', 'x', 'i', 'f', 0, 0}));
        EXPECT_EQ(Bytes(segment.begin() + 10, segment.end()), block);
        EXPECT_EQ(thumbnailOffsetInSegment(spec), 10u + 206u);
        EXPECT_EQ(Bytes(segment.begin() + 216, segment.end()), kThumbnail);
    }
}

TEST(ExifBlockWriter, valuesAreSwappedPerElementForMotorola) {
    struct Case {
        TiffEntry entry;
        Bytes intel;
        Bytes motorola;
    };
    const std::vector<Case> cases = {
        {shortEntry(0x0112, 0x0102), {3, 0, 2, 1, 0, 0}, {0, 3, 1, 2, 0, 0}},
        {longEntry(0x0201, 0x01020304), {4, 0, 4, 3, 2, 1}, {0, 4, 1, 2, 3, 4}},
        {slongEntry(0x0201, -2), {9, 0, 0xFE, 0xFF, 0xFF, 0xFF}, {0, 9, 0xFF, 0xFF, 0xFF, 0xFE}},
        {byteEntry(0x0201, {7, 8}), {1, 0, 7, 8, 0, 0}, {0, 1, 7, 8, 0, 0}},
        {undefinedEntry(0x9000, {'0', '2', '2', '0'}),
         {7, 0, '0', '2', '2', '0'},
         {0, 7, '0', '2', '2', '0'}},
    };
    for (const Case& c : cases) {
        for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
            ExifBlockSpec spec;
            spec.order = order;
            spec.ifd0 = {c.entry};
            const Bytes block = buildTiffBlock(spec);
            ASSERT_EQ(block.size(), 8u + 2 + 12 + 4);
            // Format (2 bytes) and the four value bytes, skipping the count.
            Bytes seen = {block[12], block[13], block[18], block[19], block[20], block[21]};
            EXPECT_EQ(seen, order == ByteOrder::Intel ? c.intel : c.motorola)
                << "tag " << c.entry.tag;
        }
    }
}

TEST(ExifBlockWriter, signedRationalKeepsBothHalvesSigned) {
    ExifBlockSpec spec;
    spec.order = ByteOrder::Motorola;
    spec.ifd0 = {srationalEntry(0x9204, -1, 3)};
    Expected e(ByteOrder::Motorola);
    e.text("MM").u16(42).u32(8).u16(1).entry(0x9204, 10, 1).u32(26).u32(0);
    e.u32(0xFFFFFFFF).u32(3);
    EXPECT_EQ(buildTiffBlock(spec), e.bytes);
}

TEST(ExifBlockWriter, rawEntriesAreWrittenAsTheyStand) {
    TiffEntry badFormat;
    badFormat.tag = 0x010F;
    badFormat.format = 13;
    badFormat.count = 0xFFFFFFFF;
    badFormat.bytes = {1, 2};
    badFormat.raw = true;
    TiffEntry farOffset;
    farOffset.tag = 0x0110;
    farOffset.format = kAscii;
    farOffset.count = 40;
    farOffset.raw = true;
    farOffset.forceOffset = true;
    farOffset.offset = 0x7FFFFFF0;
    TiffEntry longRaw;
    longRaw.tag = 0x9286;
    longRaw.format = kUndefined;
    longRaw.count = 2;  // shorter than the bytes: not checked
    longRaw.bytes = {'A', 'B', 'C', 'D', 'E'};
    longRaw.raw = true;

    ExifBlockSpec spec;
    spec.order = ByteOrder::Motorola;
    spec.ifd0 = {badFormat, farOffset, longRaw};
    Expected e(ByteOrder::Motorola);
    e.text("MM").u16(42).u32(8).u16(3);
    e.entry(0x010F, 13, 0xFFFFFFFF).raw({1, 2, 0, 0});
    e.entry(0x0110, 2, 40).u32(0x7FFFFFF0);
    e.entry(0x9286, 7, 2).u32(50);
    e.u32(0);
    e.text("ABCDE");
    EXPECT_EQ(buildTiffBlock(spec), e.bytes);
}

TEST(ExifBlockWriter, givenLinkEntryIsKeptAndFirstOffsetIsWrittenAsGiven) {
    TiffEntry link = longEntry(0x8769, 0xFFFF);
    ExifBlockSpec spec;
    spec.firstIfdOffset = 12;
    spec.ifd0 = {link};
    spec.exifIfd = {shortEntry(0x8827, 100)};
    Expected e(ByteOrder::Intel);
    e.text("II").u16(42).u32(12);
    e.u16(1).entry(0x8769, 4, 1).u32(0xFFFF).u32(0);
    e.u16(1).entry(0x8827, 3, 1).u16(100).u16(0).u32(0);
    EXPECT_EQ(buildTiffBlock(spec), e.bytes);
}

TEST(ExifBlockWriter, addedEntriesKeepTagOrder) {
    ExifBlockSpec spec;
    spec.ifd0 = {shortEntry(0x0112, 1), shortEntry(0x8825, 0)};
    spec.exifIfd = {shortEntry(0x8827, 100)};
    spec.thumbnail = {1, 2};
    spec.ifd1 = {shortEntry(0x0103, 6), shortEntry(0x0213, 1)};
    const Bytes block = buildTiffBlock(spec);
    auto tagAt = [&](size_t at) { return block[at] | block[at + 1] << 8; };
    EXPECT_EQ(tagAt(10), 0x0112);
    EXPECT_EQ(tagAt(22), 0x8769);
    EXPECT_EQ(tagAt(34), 0x8825);
    // IFD0 ends at 8 + 2 + 36 + 4 = 50; the EXIF IFD (18 bytes) follows.
    const size_t ifd1 = 50 + 18;
    ASSERT_EQ(block[46] | block[47] << 8, static_cast<int>(ifd1));
    EXPECT_EQ(block[ifd1], 4);
    EXPECT_EQ(tagAt(ifd1 + 2), 0x0103);
    EXPECT_EQ(tagAt(ifd1 + 14), 0x0201);
    EXPECT_EQ(tagAt(ifd1 + 26), 0x0202);
    EXPECT_EQ(tagAt(ifd1 + 38), 0x0213);
}

TEST(ExifBlockWriter, blockTooLargeForOneSectionGivesNoSegment) {
    ExifBlockSpec spec;
    spec.ifd0 = {asciiEntry(0x010F, "Canon")};
    spec.thumbnail.assign(70000, 0xAB);
    EXPECT_TRUE(buildExifSegment(spec).empty());
    EXPECT_EQ(thumbnailOffsetInSegment(spec), 0u);
    spec.thumbnail.clear();
    EXPECT_EQ(thumbnailOffsetInSegment(spec), 0u);
    EXPECT_FALSE(buildExifSegment(spec).empty());
}

}  // namespace
}  // namespace lumora::samples
