#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "catalog/ExifInfo.h"
#include "platform/FileSystem.h"
#include "samples/ExifBlockWriter.h"

namespace lumora::testing {

using Bytes = std::vector<uint8_t>;

// A file held in memory; counts the read calls made on it.
class MemoryFile : public InputFile {
  public:
    explicit MemoryFile(Bytes bytes) : bytes_(std::move(bytes)) {}
    size_t read(void* buffer, size_t size) override;
    bool seek(uint64_t offset) override;
    ErrorCode error() const override { return 0; }
    FileFacts facts() const override { return FileFacts{bytes_.size(), 0}; }
    int readCalls() const { return readCalls_; }

  private:
    Bytes bytes_;
    size_t position_ = 0;
    int readCalls_ = 0;
};

Bytes concat(std::initializer_list<Bytes> parts);
// 0xFF, the marker, the big-endian length, the body.
Bytes section(uint8_t marker, const Bytes& body);
Bytes frameHeader(int width, int height, int components, uint8_t marker = 0xC0);
Bytes startOfScan();
Bytes text(const std::string& s);
// An APP1 section holding "Exif\0\0" and the given TIFF bytes.
Bytes exifSection(const Bytes& tiff);
Bytes exifSection(const samples::ExifBlockSpec& spec);
// SOI, the sections, a frame header of 640 x 480 and the start of scan.
Bytes jpegWith(std::initializer_list<Bytes> sections);

struct Decoded {
    bool result = false;
    ExifInfo info;
    std::string error;        // the reader's last error
    std::string diagnostics;  // what the reader wrote to its diagnostics stream
};

Decoded decodeBytes(const Bytes& file);
// A JPEG holding one EXIF block with these IFD0 and EXIF IFD entries.
Decoded decodeEntries(samples::ByteOrder order, std::vector<samples::TiffEntry> ifd0,
                      std::vector<samples::TiffEntry> exifIfd = {});

// Little-endian or big-endian bytes for hand-made TIFF blocks.
class RawTiff {
  public:
    explicit RawTiff(bool motorola);  // the header, first IFD offset 8
    RawTiff& u16(uint32_t v);
    RawTiff& u32(uint32_t v);
    RawTiff& entry(uint16_t tag, uint16_t format, uint32_t count, uint32_t value);
    // value is written as is in the four value bytes (already in file order)
    RawTiff& entryBytes(uint16_t tag, uint16_t format, uint32_t count, const Bytes& value);
    RawTiff& raw(const Bytes& bytes);
    size_t size() const { return bytes_.size(); }
    void set32(size_t at, uint32_t v);
    const Bytes& bytes() const { return bytes_; }

  private:
    bool motorola_;
    Bytes bytes_;
};

}  // namespace lumora::testing
