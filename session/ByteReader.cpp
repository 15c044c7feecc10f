#include "session/ByteReader.h"

#include <bit>
#include <cstring>

#include "filters/CriterionText.h"

namespace lumora {

bool ByteReader::require(bool condition, const std::string& problem) {
    if (!ok()) return false;
    if (!condition) problem_ = problem;
    return condition;
}

bool ByteReader::take(size_t size, const char* what, const uint8_t*& at) {
    if (!ok()) return false;
    if (size > remaining()) {
        problem_ = formatText("the file ends in %s at byte %zu (%zu bytes needed, %zu left)", what,
                              offset_, size, remaining());
        return false;
    }
    at = data_ + offset_;
    offset_ += size;
    return true;
}

uint64_t ByteReader::little(const uint8_t* at, int byteCount) const {
    uint64_t value = 0;
    for (int i = 0; i < byteCount; ++i) value |= static_cast<uint64_t>(at[i]) << (8 * i);
    return value;
}

bool ByteReader::int32(int32_t& value, const char* what) {
    const uint8_t* at = nullptr;
    if (!take(4, what, at)) return false;
    value = static_cast<int32_t>(static_cast<uint32_t>(little(at, 4)));
    return true;
}

bool ByteReader::uint64(uint64_t& value, const char* what) {
    const uint8_t* at = nullptr;
    if (!take(8, what, at)) return false;
    value = little(at, 8);
    return true;
}

bool ByteReader::float32(float& value, const char* what) {
    const uint8_t* at = nullptr;
    if (!take(4, what, at)) return false;
    value = std::bit_cast<float>(static_cast<uint32_t>(little(at, 4)));
    return true;
}

bool ByteReader::float64(double& value, const char* what) {
    const uint8_t* at = nullptr;
    if (!take(8, what, at)) return false;
    value = std::bit_cast<double>(little(at, 8));
    return true;
}

bool ByteReader::string(std::string& text, const char* what) {
    const size_t lengthAt = offset_;
    int32_t length = 0;
    if (!int32(length, what)) return false;
    if (length < 0 || static_cast<size_t>(length) > remaining()) {
        problem_ = formatText("%s at byte %zu has the impossible length %d (%zu bytes left)", what,
                              lengthAt, length, remaining());
        return false;
    }
    const uint8_t* at = nullptr;
    take(static_cast<size_t>(length), what, at);
    text.assign(reinterpret_cast<const char*>(at), static_cast<size_t>(length));
    return true;
}

bool ByteReader::bytesAheadAre(size_t ahead, const void* expected, size_t size) const {
    if (ahead > remaining() || size > remaining() - ahead) return false;
    return size == 0 || std::memcmp(data_ + offset_ + ahead, expected, size) == 0;
}

bool ByteReader::bytes(void* out, size_t size, const char* what) {
    const uint8_t* at = nullptr;
    if (!take(size, what, at)) return false;
    if (size > 0) std::memcpy(out, at, size);
    return true;
}

}  // namespace lumora
