#include "session/ByteWriter.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace lumora {

void ByteWriter::little(uint64_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) buffer_.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void ByteWriter::int32(int32_t value) {
    little(static_cast<uint32_t>(value), 4);
}

void ByteWriter::uint64(uint64_t value) {
    little(value, 8);
}

void ByteWriter::float32(float value) {
    little(std::bit_cast<uint32_t>(value), 4);
}

void ByteWriter::float64(double value) {
    little(std::bit_cast<uint64_t>(value), 8);
}

void ByteWriter::string(const std::string& text) {
    // A text longer than a length field can say is cut rather than written
    // with a length that lies about the bytes behind it.
    const size_t size = std::min<size_t>(text.size(), std::numeric_limits<int32_t>::max());
    int32(static_cast<int32_t>(size));
    bytes(text.data(), size);
}

void ByteWriter::bytes(const void* data, size_t size) {
    const auto* in = static_cast<const uint8_t*>(data);
    buffer_.insert(buffer_.end(), in, in + size);
}

}  // namespace lumora
