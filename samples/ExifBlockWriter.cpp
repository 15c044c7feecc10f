#include "samples/ExifBlockWriter.h"

#include <algorithm>
#include <cstring>

namespace lumora::samples {

namespace {

constexpr uint16_t kExifLinkTag = 0x8769;
constexpr uint16_t kInteropLinkTag = 0xA005;
constexpr uint16_t kThumbnailOffsetTag = 0x0201;
constexpr uint16_t kThumbnailLengthTag = 0x0202;
constexpr size_t kEntrySize = 12;
// The thumbnail's offset entry is patched once the layout is known; this
// placeholder keeps the directory sizes right while laying it out.
constexpr uint32_t kPendingOffset = 0;

// Bytes of one element as swapped for Motorola order; rationals swap each half.
size_t elementSize(uint16_t format) {
    switch (format) {
        case kShort:
        case kSShort:
            return 2;
        case kLong:
        case kSLong:
        case kRational:
        case kSRational:
        case kFloat:
            return 4;
        case kDouble:
            return 8;
        default:
            return 1;
    }
}

size_t bytesPerComponent(uint16_t format) {
    switch (format) {
        case kRational:
        case kSRational:
        case kDouble:
            return 8;
        default:
            return elementSize(format);
    }
}

class TiffOut {
  public:
    explicit TiffOut(ByteOrder order) : order_(order) {}

    std::vector<uint8_t>& bytes() { return bytes_; }
    size_t size() const { return bytes_.size(); }

    void put16(uint16_t v) { putUnsigned(v, 2); }
    void put32(uint32_t v) { putUnsigned(v, 4); }
    void put16At(size_t at, uint16_t v) { putUnsignedAt(at, v, 2); }
    void put32At(size_t at, uint32_t v) { putUnsignedAt(at, v, 4); }
    void alignToWord() {
        if (bytes_.size() % 2 != 0) bytes_.push_back(0);
    }

  private:
    void putUnsigned(uint32_t v, int width) {
        bytes_.resize(bytes_.size() + width);
        putUnsignedAt(bytes_.size() - width, v, width);
    }
    void putUnsignedAt(size_t at, uint32_t v, int width) {
        for (int i = 0; i < width; ++i) {
            const int shift = order_ == ByteOrder::Intel ? 8 * i : 8 * (width - 1 - i);
            bytes_[at + i] = static_cast<uint8_t>(v >> shift);
        }
    }

    ByteOrder order_;
    std::vector<uint8_t> bytes_;
};

// The entry's value in file order: swapped per element for Motorola, padded
// or cut to the entry's byte count unless it is raw.
std::vector<uint8_t> valueBytes(const TiffEntry& entry, ByteOrder order) {
    std::vector<uint8_t> value = entry.bytes;
    if (entry.raw) return value;
    value.resize(static_cast<size_t>(entry.count) * bytesPerComponent(entry.format), 0);
    const size_t unit = elementSize(entry.format);
    if (order == ByteOrder::Motorola && unit > 1) {
        for (size_t i = 0; i + unit <= value.size(); i += unit) {
            std::reverse(value.begin() + i, value.begin() + i + unit);
        }
    }
    return value;
}

bool hasTag(const std::vector<TiffEntry>& entries, uint16_t tag) {
    return std::any_of(entries.begin(), entries.end(),
                       [tag](const TiffEntry& e) { return e.tag == tag; });
}

// Given entries keep their order; an added entry goes before the first
// entry with a larger tag, so entries given in tag order stay in tag order.
void insertInTagOrder(std::vector<TiffEntry>& entries, TiffEntry added) {
    auto at = std::find_if(entries.begin(), entries.end(),
                           [&](const TiffEntry& e) { return e.tag > added.tag; });
    entries.insert(at, std::move(added));
}

struct WrittenDirectory {
    size_t start = 0;                // offset of the entry count
    std::vector<size_t> valueField;  // offset of each entry's last four bytes
};

// Writes the directory and its long values (each word-aligned) at the end of
// `out`, with a zero next-directory offset to be patched later.
WrittenDirectory writeDirectory(TiffOut& out, const std::vector<TiffEntry>& entries,
                                ByteOrder order) {
    out.alignToWord();
    WrittenDirectory dir;
    dir.start = out.size();
    out.put16(static_cast<uint16_t>(entries.size()));
    std::vector<std::vector<uint8_t>> longValues(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const TiffEntry& entry = entries[i];
        out.put16(entry.tag);
        out.put16(entry.format);
        out.put32(entry.count);
        dir.valueField.push_back(out.size());
        std::vector<uint8_t> value = valueBytes(entry, order);
        if (entry.raw && entry.forceOffset) {
            out.put32(entry.offset);
        } else if (value.size() <= 4) {
            value.resize(4, 0);
            out.bytes().insert(out.bytes().end(), value.begin(), value.end());
        } else {
            out.put32(kPendingOffset);
            longValues[i] = std::move(value);
        }
    }
    out.put32(0);
    for (size_t i = 0; i < entries.size(); ++i) {
        if (longValues[i].empty()) continue;
        out.alignToWord();
        out.put32At(dir.valueField[i], static_cast<uint32_t>(out.size()));
        out.bytes().insert(out.bytes().end(), longValues[i].begin(), longValues[i].end());
    }
    return dir;
}

size_t indexOfTag(const std::vector<TiffEntry>& entries, uint16_t tag) {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].tag == tag) return i;
    }
    return entries.size();
}

struct Layout {
    std::vector<uint8_t> tiff;
    size_t thumbnailAt = 0;  // offset in the TIFF block, 0 when none
};

Layout layOut(const ExifBlockSpec& spec) {
    TiffOut out(spec.order);
    out.bytes().push_back(spec.order == ByteOrder::Intel ? 'I' : 'M');
    out.bytes().push_back(spec.order == ByteOrder::Intel ? 'I' : 'M');
    out.put16(42);
    out.put32(spec.firstIfdOffset);

    std::vector<TiffEntry> ifd0 = spec.ifd0;
    std::vector<TiffEntry> exifIfd = spec.exifIfd;
    std::vector<TiffEntry> ifd1 = spec.ifd1;
    // A caller that gives its own link entry (a damaged one, say) keeps it.
    const bool linkExif = !exifIfd.empty() && !hasTag(ifd0, kExifLinkTag);
    const bool linkInterop = !spec.interopIfd.empty() && !hasTag(exifIfd, kInteropLinkTag);
    if (linkExif) insertInTagOrder(ifd0, longEntry(kExifLinkTag, kPendingOffset));
    if (linkInterop) insertInTagOrder(exifIfd, longEntry(kInteropLinkTag, kPendingOffset));
    const bool hasThumbnail = !spec.thumbnail.empty();
    if (hasThumbnail) {
        insertInTagOrder(ifd1, longEntry(kThumbnailOffsetTag, kPendingOffset));
        insertInTagOrder(
            ifd1, longEntry(kThumbnailLengthTag, static_cast<uint32_t>(spec.thumbnail.size())));
    }

    const WrittenDirectory dir0 = writeDirectory(out, ifd0, spec.order);
    if (!exifIfd.empty()) {
        const WrittenDirectory exifDir = writeDirectory(out, exifIfd, spec.order);
        if (linkExif) {
            out.put32At(dir0.valueField[indexOfTag(ifd0, kExifLinkTag)],
                        static_cast<uint32_t>(exifDir.start));
        }
        if (!spec.interopIfd.empty()) {
            const WrittenDirectory interopDir = writeDirectory(out, spec.interopIfd, spec.order);
            if (linkInterop) {
                out.put32At(exifDir.valueField[indexOfTag(exifIfd, kInteropLinkTag)],
                            static_cast<uint32_t>(interopDir.start));
            }
        }
    }
    Layout layout;
    if (!ifd1.empty()) {
        const WrittenDirectory dir1 = writeDirectory(out, ifd1, spec.order);
        out.put32At(dir0.start + 2 + kEntrySize * ifd0.size(), static_cast<uint32_t>(dir1.start));
        if (hasThumbnail) {
            out.alignToWord();
            layout.thumbnailAt = out.size();
            out.put32At(dir1.valueField[indexOfTag(ifd1, kThumbnailOffsetTag)],
                        static_cast<uint32_t>(layout.thumbnailAt));
            out.bytes().insert(out.bytes().end(), spec.thumbnail.begin(), spec.thumbnail.end());
        }
    }
    layout.tiff = std::move(out.bytes());
    return layout;
}

constexpr uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
// Marker (2), length (2), "Exif\0\0" (6).
constexpr size_t kSegmentPrefix = 10;
constexpr size_t kMaxSegmentLength = 0xFFFF;

std::vector<uint8_t> littleEndian(uint64_t v, int width) {
    std::vector<uint8_t> bytes(width);
    for (int i = 0; i < width; ++i) bytes[i] = static_cast<uint8_t>(v >> (8 * i));
    return bytes;
}

TiffEntry makeEntry(uint16_t tag, uint16_t format, uint32_t count, std::vector<uint8_t> bytes) {
    TiffEntry entry;
    entry.tag = tag;
    entry.format = format;
    entry.count = count;
    entry.bytes = std::move(bytes);
    return entry;
}

}  // namespace

TiffEntry asciiEntry(uint16_t tag, const std::string& text) {
    std::vector<uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    const auto count = static_cast<uint32_t>(bytes.size());
    return makeEntry(tag, kAscii, count, std::move(bytes));
}

TiffEntry byteEntry(uint16_t tag, const std::vector<uint8_t>& values) {
    return makeEntry(tag, kByte, static_cast<uint32_t>(values.size()), values);
}

TiffEntry undefinedEntry(uint16_t tag, const std::vector<uint8_t>& bytes) {
    return makeEntry(tag, kUndefined, static_cast<uint32_t>(bytes.size()), bytes);
}

TiffEntry shortEntry(uint16_t tag, uint16_t value) {
    return makeEntry(tag, kShort, 1, littleEndian(value, 2));
}

TiffEntry longEntry(uint16_t tag, uint32_t value) {
    return makeEntry(tag, kLong, 1, littleEndian(value, 4));
}

TiffEntry slongEntry(uint16_t tag, int32_t value) {
    return makeEntry(tag, kSLong, 1, littleEndian(static_cast<uint32_t>(value), 4));
}

TiffEntry rationalEntry(uint16_t tag, uint32_t numerator, uint32_t denominator) {
    std::vector<uint8_t> bytes = littleEndian(numerator, 4);
    const std::vector<uint8_t> low = littleEndian(denominator, 4);
    bytes.insert(bytes.end(), low.begin(), low.end());
    return makeEntry(tag, kRational, 1, std::move(bytes));
}

TiffEntry srationalEntry(uint16_t tag, int32_t numerator, int32_t denominator) {
    TiffEntry entry =
        rationalEntry(tag, static_cast<uint32_t>(numerator), static_cast<uint32_t>(denominator));
    entry.format = kSRational;
    return entry;
}

std::vector<uint8_t> buildTiffBlock(const ExifBlockSpec& spec) {
    return layOut(spec).tiff;
}

std::vector<uint8_t> buildExifSegment(const ExifBlockSpec& spec) {
    const std::vector<uint8_t> tiff = buildTiffBlock(spec);
    const size_t length = 2 + sizeof kExifHeader + tiff.size();
    // A block too large for one section cannot be written at all.
    if (length > kMaxSegmentLength) return {};
    std::vector<uint8_t> segment = {0xFF, 0xE1, static_cast<uint8_t>(length >> 8),
                                    static_cast<uint8_t>(length & 0xFF)};
    segment.insert(segment.end(), std::begin(kExifHeader), std::end(kExifHeader));
    segment.insert(segment.end(), tiff.begin(), tiff.end());
    return segment;
}

size_t thumbnailOffsetInSegment(const ExifBlockSpec& spec) {
    const Layout layout = layOut(spec);
    if (layout.thumbnailAt == 0) return 0;
    if (kSegmentPrefix - 2 + layout.tiff.size() > kMaxSegmentLength) return 0;
    return kSegmentPrefix + layout.thumbnailAt;
}

}  // namespace lumora::samples
