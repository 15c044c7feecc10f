#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "catalog/ExifInfo.h"
#include "catalog/ExifTags.h"
#include "platform/FileSystem.h"

namespace lumora {

class HeaderInput;

// Reads the header sections of one JPEG file, up to the start of the scan,
// and fills an ExifInfo from the frame header, the comment section and the
// TIFF structure of the APP1 "Exif" section. One reader serves a whole scan:
// decode a file, copy the info out, reset, next file.
class ExifReader {
  public:
    ExifReader();                         // owns a zero-filled ExifInfo
    explicit ExifReader(ExifInfo* info);  // fills the caller's record
    ExifReader(const ExifReader&) = delete;
    ExifReader& operator=(const ExifReader&) = delete;

    // Reads from the file's start; true only when the start of scan was
    // reached. Callers judge the file by IsExif, not by this result.
    bool decode(InputFile& file);
    // Zero-fills the info and forgets the sections of the previous file.
    // The last error stays, as the text of the last failure.
    void reset();
    ExifInfo& info() { return *info_; }
    // The text of the last failure, "" when none; kept for diagnosis only.
    const char* lastError() const { return lastError_; }
    // Whether the file decoded last held an APP1 "Exif" section, parsed or
    // refused: tells a file without EXIF from one whose EXIF is refused.
    bool exifSectionSeen() const { return exifSectionSeen_; }
    // Where the two diagnostic lines go; standard error by default, null
    // silences them.
    void setDiagnostics(std::FILE* stream) { diagnostics_ = stream; }

    static constexpr int kMaxSections = 20;

  private:
    struct Tiff;
    struct Value;

    bool walkSections(HeaderInput& input);
    bool parseExif(const uint8_t* body, uint32_t bodyLength, uint64_t bodyFileOffset);
    bool walkDirectory(const Tiff& tiff, uint32_t offset);
    bool alreadyWalked(uint32_t offset);
    void interpretTag(const ExifTagRule& rule, const Value& value);
    void readFrameHeader(int marker, const uint8_t* body, uint32_t bodyLength);
    void readComment(const uint8_t* body, uint32_t bodyLength);
    void readUserComment(const Value& value);
    double convert(const Value& value) const;
    void fail(const char* text) { lastError_ = text; }
    void diagnose(const char* line) const;

    std::unique_ptr<ExifInfo> owned_;
    ExifInfo* info_;
    const char* lastError_ = "";
    std::FILE* diagnostics_ = stderr;
    int32_t exifImageWidth_ = 0;  // the larger pixel dimension, for CCDWidth
    bool motorola_ = false;       // byte order of the TIFF block
    int sectionCount_ = 0;        // sections kept of the current file
    bool commentSeen_ = false;
    bool exifSectionSeen_ = false;
    // Directories walked in the current EXIF block: a link back to one of
    // them is not followed, which ends cycles and bounds the work (and the
    // recursion) that a hostile block can ask for.
    static constexpr int kMaxDirectories = 32;
    uint32_t walked_[kMaxDirectories] = {};
    int walkedCount_ = 0;
    std::vector<uint8_t> buffer_;  // the file's bytes, reused from file to file
};

}  // namespace lumora
