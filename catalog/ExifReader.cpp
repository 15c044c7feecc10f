#include "catalog/ExifReader.h"

#include "catalog/HeaderInput.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace lumora {
namespace {

constexpr int kMaxPadding = 6;          // 0xFF bytes accepted before a marker code
constexpr uint32_t kCommentCap = 1000;  // counts the two length bytes
constexpr size_t kUserCommentChars = 199;

uint16_t get16(const uint8_t* p, bool motorola) {
    return motorola ? static_cast<uint16_t>(p[0] << 8 | p[1])
                    : static_cast<uint16_t>(p[1] << 8 | p[0]);
}

uint32_t get32(const uint8_t* p, bool motorola) {
    if (motorola) {
        return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
    }
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
}

int32_t getSigned32(const uint8_t* p, bool motorola) {
    return static_cast<int32_t>(get32(p, motorola));
}

// Truncation toward zero that stays defined for values no integer holds.
int64_t truncated(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2e18) return std::numeric_limits<int64_t>::max();
    if (value <= -9.2e18) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(value);
}

int32_t clampedInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

bool isFrameHeader(int marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Copies at most maxChars characters, stopping at a zero byte or at the end
// of the value's bytes, and terminates the text.
void copyText(char* out, size_t maxChars, const uint8_t* text, uint64_t byteCount) {
    const size_t limit = static_cast<size_t>(std::min<uint64_t>(maxChars, byteCount));
    size_t n = 0;
    while (n < limit && text[n] != 0) {
        out[n] = static_cast<char>(text[n]);
        ++n;
    }
    out[n] = '\0';
}

}  // namespace

// The TIFF block inside an APP1 "Exif" body: every offset in it counts from
// its start, and nothing outside its bytes is ever read.
struct ExifReader::Tiff {
    const uint8_t* data;
    uint32_t length;
    uint64_t fileOffset;
};

// One directory entry's value. `held` is how many bytes may be read at
// `bytes`: the byte count, or the four bytes of the entry for a value kept
// there.
struct ExifReader::Value {
    uint32_t format;
    const uint8_t* bytes;
    uint64_t byteCount;
    uint64_t held;
};

ExifReader::ExifReader() : owned_(std::make_unique<ExifInfo>()), info_(owned_.get()) {}

ExifReader::ExifReader(ExifInfo* info) : info_(info) {}

void ExifReader::reset() {
    *info_ = ExifInfo{};
    exifImageWidth_ = 0;
    motorola_ = false;
    sectionCount_ = 0;
    commentSeen_ = false;
    exifSectionSeen_ = false;
}

void ExifReader::diagnose(const char* line) const {
    if (diagnostics_ != nullptr) std::fputs(line, diagnostics_);
}

bool ExifReader::decode(InputFile& file) {
    HeaderInput input(file, buffer_);
    return walkSections(input);
}

bool ExifReader::walkSections(HeaderInput& input) {
    const int first = input.byte();
    if (first != 0xFF || input.byte() != 0xD8) return false;

    while (sectionCount_ < kMaxSections) {
        int marker = 0;
        for (int padding = 0;;) {
            marker = input.byte();
            if (marker != 0xFF) break;
            if (++padding > kMaxPadding) {
                diagnose(kTooManyPaddingLine);
                return false;
            }
        }
        if (marker < 0) {
            fail(exif_error::kPrematureEnd);
            return false;
        }
        const uint8_t* lengthBytes = input.take(2);
        if (lengthBytes == nullptr) {
            fail(exif_error::kPrematureEnd);
            return false;
        }
        const uint32_t length = uint32_t{lengthBytes[0]} << 8 | lengthBytes[1];
        if (length < 2) {
            fail(exif_error::kInvalidMarker);
            return false;
        }
        const uint32_t bodyLength = length - 2;
        const uint64_t bodyFileOffset = input.position();
        const uint8_t* body = input.take(bodyLength);
        if (body == nullptr) {
            fail(exif_error::kPrematureEnd);
            return false;
        }
        ++sectionCount_;

        if (isFrameHeader(marker)) {
            readFrameHeader(marker, body, bodyLength);
        } else if (marker == 0xD9) {
            diagnose(kNoImageLine);
            return false;
        } else if (marker == 0xDA) {
            return true;
        } else if (marker == 0xE1) {
            if (bodyLength >= 4 && std::memcmp(body, "Exif", 4) == 0) {
                exifSectionSeen_ = true;
                info_->IsExif = parseExif(body, bodyLength, bodyFileOffset) ? 1 : 0;
            } else {
                --sectionCount_;
            }
        } else if (marker == 0xFE) {
            if (!commentSeen_) {
                commentSeen_ = true;
                readComment(body, bodyLength);
            } else {
                --sectionCount_;
            }
        } else if (marker == 0xE0) {
            --sectionCount_;
        }
    }
    fail(exif_error::kTooManySections);
    return false;
}

void ExifReader::readFrameHeader(int marker, const uint8_t* body, uint32_t bodyLength) {
    // A frame header too short to hold the sizes and the component count
    // gives nothing rather than bytes of the next section.
    if (bodyLength < 6) return;
    info_->Height = body[1] << 8 | body[2];
    info_->Width = body[3] << 8 | body[4];
    info_->IsColor = body[5] == 3 ? 1 : 0;
    info_->Process = marker;
}

void ExifReader::readComment(const uint8_t* body, uint32_t bodyLength) {
    const uint32_t n = std::min(bodyLength, kCommentCap - 2);
    char* out = info_->Comments;
    std::memset(out, 0, sizeof info_->Comments);
    size_t written = 0;
    for (uint32_t i = 0; i < n; ++i) {
        const uint8_t c = body[i];
        if (c == '\r' && i + 1 < n && body[i + 1] == '\n') continue;
        const bool kept = c >= 0x20 || c == '\t' || c == '\n';
        out[written++] = kept ? static_cast<char>(c) : '?';
    }
}

bool ExifReader::parseExif(const uint8_t* body, uint32_t bodyLength, uint64_t bodyFileOffset) {
    info_->FlashUsed = 0;
    std::memset(info_->Comments, 0, sizeof info_->Comments);
    exifImageWidth_ = 0;

    if (bodyLength < 6 || std::memcmp(body, "Exif\0\0", 6) != 0) {
        fail(exif_error::kIncorrectHeader);
        return false;
    }
    const Tiff tiff{body + 6, bodyLength - 6, bodyFileOffset + 6};
    if (tiff.length >= 2 && std::memcmp(tiff.data, "II", 2) == 0) {
        motorola_ = false;
    } else if (tiff.length >= 2 && std::memcmp(tiff.data, "MM", 2) == 0) {
        motorola_ = true;
    } else {
        fail(exif_error::kInvalidAlignment);
        return false;
    }
    if (tiff.length < 4 || get16(tiff.data + 2, motorola_) != 42) {
        fail(exif_error::kInvalidStart);
        return false;
    }
    if (tiff.length < 8) {
        fail(exif_error::kSuspiciousFirstOffset);
        return false;
    }
    const uint32_t firstOffset = get32(tiff.data + 4, motorola_);
    if (firstOffset < 8 || firstOffset > 16) {
        fail(exif_error::kSuspiciousFirstOffset);
        return false;
    }
    walkedCount_ = 0;
    // Read at 8 whatever the offset said, as files with 9..16 still work.
    if (!walkDirectory(tiff, 8)) return false;

    if (info_->FocalplaneXRes != 0) {
        info_->CCDWidth =
            static_cast<float>(exifImageWidth_) * info_->FocalplaneUnits / info_->FocalplaneXRes;
    }
    return true;
}

bool ExifReader::alreadyWalked(uint32_t offset) {
    const uint32_t* begin = walked_;
    const uint32_t* end = walked_ + walkedCount_;
    if (std::find(begin, end, offset) != end) return true;
    if (walkedCount_ == kMaxDirectories) return true;
    walked_[walkedCount_++] = offset;
    return false;
}

bool ExifReader::walkDirectory(const Tiff& tiff, uint32_t offset) {
    if (alreadyWalked(offset)) return true;

    const uint64_t length = tiff.length;
    if (uint64_t{offset} + 2 > length) {
        fail(exif_error::kIllegalDirectorySize);
        return false;
    }
    const uint32_t count = get16(tiff.data + offset, motorola_);
    const uint64_t entriesEnd = uint64_t{offset} + 2 + uint64_t{count} * 12;
    if (entriesEnd > length) {
        fail(exif_error::kIllegalDirectorySize);
        return false;
    }

    bool hasThumbnailOffset = false;
    bool hasThumbnailLength = false;
    int64_t thumbnailOffset = 0;
    int64_t thumbnailLength = 0;

    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* entry = tiff.data + offset + 2 + 12 * i;
        const uint16_t tag = get16(entry, motorola_);
        const uint32_t format = get16(entry + 2, motorola_);
        const uint32_t components = get32(entry + 4, motorola_);
        const uint32_t elementSize = tiffFormatSize(format);
        if (elementSize == 0) {
            fail(exif_error::kIllegalFormat);
            return false;
        }
        Value value{format, entry + 8, uint64_t{components} * elementSize, 4};
        if (value.byteCount > 4) {
            const uint32_t valueOffset = get32(entry + 8, motorola_);
            if (uint64_t{valueOffset} + value.byteCount > length) {
                fail(exif_error::kIllegalPointer);
                return false;
            }
            value.bytes = tiff.data + valueOffset;
            value.held = value.byteCount;
        }

        const ExifTagRule* rule = findExifTagRule(tag);
        if (rule == nullptr) continue;
        switch (rule->kind) {
            case ExifTagKind::SubDirectory: {
                const uint32_t link = get32(value.bytes, motorola_);
                if (link > length) {
                    fail(exif_error::kIllegalLink);
                    return false;
                }
                walkDirectory(tiff, link);  // its failure ends only its own walk
                break;
            }
            case ExifTagKind::ThumbnailOffset:
                hasThumbnailOffset = true;
                thumbnailOffset = truncated(convert(value));
                break;
            case ExifTagKind::ThumbnailLength:
                hasThumbnailLength = true;
                thumbnailLength = truncated(convert(value));
                break;
            default:
                interpretTag(*rule, value);
                break;
        }
    }

    // A directory that ends right after its entries has no link.
    if (entriesEnd + 4 <= length) {
        const uint32_t next = get32(tiff.data + entriesEnd, motorola_);
        if (next > length) {
            fail(exif_error::kIllegalLink);
            return false;
        }
        if (next != 0) walkDirectory(tiff, next);
    }

    if (hasThumbnailOffset && hasThumbnailLength && thumbnailOffset > 0 && thumbnailLength > 0 &&
        thumbnailOffset <= static_cast<int64_t>(length) &&
        thumbnailLength <= static_cast<int64_t>(length) - thumbnailOffset) {
        info_->ThumbnailOffset = static_cast<uint32_t>(tiff.fileOffset + thumbnailOffset);
        info_->ThumbnailSize = static_cast<uint32_t>(thumbnailLength);
    }
    return true;
}

double ExifReader::convert(const Value& value) const {
    // An entry that holds no whole element (a count of 0) converts to 0.
    if (value.held < tiffFormatSize(value.format)) return 0;
    const uint8_t* p = value.bytes;
    switch (value.format) {
        case 1:
            return p[0];
        case 3:
            return get16(p, motorola_);
        case 4:
            return get32(p, motorola_);
        case 5:
        case 10: {
            const int32_t numerator = getSigned32(p, motorola_);
            const int32_t denominator = getSigned32(p + 4, motorola_);
            return denominator == 0 ? 0.0 : static_cast<double>(numerator) / denominator;
        }
        case 6:
            return static_cast<int8_t>(p[0]);
        case 8:
            return static_cast<int16_t>(get16(p, motorola_));
        case 9:
            return getSigned32(p, motorola_);
        case 11: {
            float f;
            std::memcpy(&f, p, sizeof f);
            return f;
        }
        case 12: {
            double d;
            std::memcpy(&d, p, sizeof d);
            return d;
        }
        default:
            return 0;
    }
}

void ExifReader::interpretTag(const ExifTagRule& rule, const Value& value) {
    ExifInfo& info = *info_;
    if (rule.kind == ExifTagKind::Text) {
        copyText(rule.textField(info), rule.maxChars, value.bytes, value.byteCount);
        return;
    }
    if (rule.kind == ExifTagKind::UserComment) {
        readUserComment(value);
        return;
    }
    const double number = convert(value);
    switch (rule.kind) {
        case ExifTagKind::Float:
            info.*rule.floatField = static_cast<float>(number);
            break;
        case ExifTagKind::Integer:
            info.*rule.intField = clampedInt32(truncated(number));
            break;
        case ExifTagKind::Unit: {
            float factor = 0;
            if (resolutionUnitFactor(truncated(number), factor)) info.*rule.floatField = factor;
            break;
        }
        case ExifTagKind::Orientation: {
            int64_t orientation = truncated(number);
            if (orientation < 1 || orientation > 8) {
                fail(exif_error::kUndefinedRotation);
                orientation = 0;
            }
            info.Orientation = static_cast<int32_t>(orientation);
            break;
        }
        case ExifTagKind::IsoSpeed: {
            const int64_t iso = clampedInt32(truncated(number));
            info.ISOequivalent = clampedInt32(iso < 50 ? iso * 200 : iso);
            break;
        }
        case ExifTagKind::ShutterSpeed:
            if (info.ExposureTime == 0) {
                info.ExposureTime = static_cast<float>(1.0 / std::exp2(number));
            }
            break;
        case ExifTagKind::Aperture:
            if (info.ApertureFNumber == 0) {
                info.ApertureFNumber = static_cast<float>(std::exp2(number / 2));
            }
            break;
        case ExifTagKind::Flash:
            info.FlashUsed = (truncated(number) & 7) != 0 ? 1 : 0;
            break;
        case ExifTagKind::PixelDimension:
            exifImageWidth_ = std::max(exifImageWidth_, clampedInt32(truncated(number)));
            break;
        default:
            break;
    }
}

void ExifReader::readUserComment(const Value& value) {
    const uint8_t* text = value.bytes;
    // Trailing spaces count as the end of the text.
    uint64_t end = value.byteCount;
    while (end > 0 && text[end - 1] == ' ') --end;

    uint64_t start = 0;
    if (end >= 5 && std::memcmp(text, "ASCII", 5) == 0) {
        start = 5;
        while (start < 10 && start < end && (text[start] == 0 || text[start] == ' ')) ++start;
        if (start == 10 || start >= end) return;
    }
    std::memset(info_->Comments, 0, sizeof info_->Comments);
    copyText(info_->Comments, kUserCommentChars, text + start, end - start);
}

}  // namespace lumora
