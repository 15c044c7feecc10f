#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumora::samples {

// Writes the TIFF structure of an APP1 "Exif" section, for the sample
// pictures and for tests that need exact EXIF blocks.

enum class ByteOrder { Intel, Motorola };

// TIFF format codes.
enum TiffFormat : uint16_t {
    kByte = 1,
    kAscii = 2,
    kShort = 3,
    kLong = 4,
    kRational = 5,
    kSByte = 6,
    kUndefined = 7,
    kSShort = 8,
    kSLong = 9,
    kSRational = 10,
    kFloat = 11,
    kDouble = 12,
};

// One directory entry. `bytes` holds the value little-endian, element by
// element (each half of a rational separately); the writer swaps it for
// Motorola order. With `raw` set the bytes are written as they stand and
// `count` and `format` are not checked, for damaged entries.
struct TiffEntry {
    uint16_t tag = 0;
    uint16_t format = kUndefined;
    uint32_t count = 0;
    std::vector<uint8_t> bytes;
    bool raw = false;
    // With `raw`: when set, the entry's last four bytes hold this value as
    // offset instead of pointing at the written bytes.
    bool forceOffset = false;
    uint32_t offset = 0;
};

TiffEntry asciiEntry(uint16_t tag, const std::string& text);  // adds the NUL
TiffEntry byteEntry(uint16_t tag, const std::vector<uint8_t>& values);
TiffEntry undefinedEntry(uint16_t tag, const std::vector<uint8_t>& bytes);
TiffEntry shortEntry(uint16_t tag, uint16_t value);
TiffEntry longEntry(uint16_t tag, uint32_t value);
TiffEntry slongEntry(uint16_t tag, int32_t value);
TiffEntry rationalEntry(uint16_t tag, uint32_t numerator, uint32_t denominator);
TiffEntry srationalEntry(uint16_t tag, int32_t numerator, int32_t denominator);

struct ExifBlockSpec {
    ByteOrder order = ByteOrder::Intel;
    std::vector<TiffEntry> ifd0;
    std::vector<TiffEntry> exifIfd;     // linked from IFD0 by 0x8769 when not empty
    std::vector<TiffEntry> interopIfd;  // linked from the EXIF IFD by 0xA005 when not empty
    std::vector<TiffEntry> ifd1;        // the thumbnail directory, after IFD0
    std::vector<uint8_t> thumbnail;     // JPEG bytes; adds 0x0201/0x0202 to IFD1
    uint32_t firstIfdOffset = 8;        // the value written; IFD0 is always at 8
};

// The TIFF block: byte order mark, 42, first-directory offset, directories.
std::vector<uint8_t> buildTiffBlock(const ExifBlockSpec& spec);

// The whole APP1 section: 0xFF 0xE1, length, "Exif\0\0", the TIFF block.
std::vector<uint8_t> buildExifSegment(const ExifBlockSpec& spec);

// Where buildExifSegment put the thumbnail, as an offset from the start of
// the segment's 0xFF byte (0 when there is none).
size_t thumbnailOffsetInSegment(const ExifBlockSpec& spec);

}  // namespace lumora::samples
