#include "tests/catalog/ExifTestSupport.h"

#include <algorithm>
#include <cstring>

#include "catalog/ExifReader.h"
#include "tests/support/CapturedStream.h"

namespace lumora::testing {

size_t MemoryFile::read(void* buffer, size_t size) {
    ++readCalls_;
    const size_t n = std::min(size, bytes_.size() - position_);
    if (n > 0) std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

bool MemoryFile::seek(uint64_t offset) {
    if (offset > bytes_.size()) return false;
    position_ = static_cast<size_t>(offset);
    return true;
}

Bytes concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes section(uint8_t marker, const Bytes& body) {
    const size_t length = body.size() + 2;
    Bytes s = {0xFF, marker, static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(length)};
    s.insert(s.end(), body.begin(), body.end());
    return s;
}

Bytes frameHeader(int width, int height, int components, uint8_t marker) {
    Bytes body = {8,
                  static_cast<uint8_t>(height >> 8),
                  static_cast<uint8_t>(height),
                  static_cast<uint8_t>(width >> 8),
                  static_cast<uint8_t>(width),
                  static_cast<uint8_t>(components)};
    for (int i = 0; i < components; ++i) body.insert(body.end(), {uint8_t(i + 1), 0x11, 0});
    return section(marker, body);
}

Bytes startOfScan() {
    return section(0xDA, {1, 1, 0, 0, 63, 0});
}

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

Bytes exifSection(const Bytes& tiff) {
    return section(0xE1, concat({text(std::string("Exif\0\0", 6)), tiff}));
}

Bytes exifSection(const samples::ExifBlockSpec& spec) {
    return samples::buildExifSegment(spec);
}

Bytes jpegWith(std::initializer_list<Bytes> sections) {
    Bytes file = {0xFF, 0xD8};
    for (const Bytes& s : sections) file.insert(file.end(), s.begin(), s.end());
    return concat({file, frameHeader(640, 480, 3), startOfScan(), {0x12, 0x34, 0xFF, 0xD9}});
}

Decoded decodeBytes(const Bytes& file) {
    Decoded decoded;
    test::CapturedStream diagnostics;
    {
        ExifReader reader(&decoded.info);
        reader.setDiagnostics(diagnostics.file());
        MemoryFile input(file);
        decoded.result = reader.decode(input);
        decoded.error = reader.lastError();
    }
    decoded.diagnostics = diagnostics.text();
    return decoded;
}

Decoded decodeEntries(samples::ByteOrder order, std::vector<samples::TiffEntry> ifd0,
                      std::vector<samples::TiffEntry> exifIfd) {
    samples::ExifBlockSpec spec;
    spec.order = order;
    spec.ifd0 = std::move(ifd0);
    spec.exifIfd = std::move(exifIfd);
    return decodeBytes(jpegWith({exifSection(spec)}));
}

RawTiff::RawTiff(bool motorola) : motorola_(motorola) {
    bytes_ = motorola ? text("MM") : text("II");
    u16(42).u32(8);
}

RawTiff& RawTiff::u16(uint32_t v) {
    const uint8_t hi = static_cast<uint8_t>(v >> 8), lo = static_cast<uint8_t>(v);
    return raw(motorola_ ? Bytes{hi, lo} : Bytes{lo, hi});
}

RawTiff& RawTiff::u32(uint32_t v) {
    const size_t at = bytes_.size();
    bytes_.resize(at + 4);
    set32(at, v);
    return *this;
}

void RawTiff::set32(size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        const int shift = motorola_ ? 8 * (3 - i) : 8 * i;
        bytes_[at + i] = static_cast<uint8_t>(v >> shift);
    }
}

RawTiff& RawTiff::entry(uint16_t tag, uint16_t format, uint32_t count, uint32_t value) {
    return u16(tag).u16(format).u32(count).u32(value);
}

RawTiff& RawTiff::entryBytes(uint16_t tag, uint16_t format, uint32_t count, const Bytes& value) {
    u16(tag).u16(format).u32(count);
    Bytes four = value;
    four.resize(4, 0);
    return raw(four);
}

RawTiff& RawTiff::raw(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

}  // namespace lumora::testing
