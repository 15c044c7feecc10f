#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lumora {

// Appends values in the session file's encoding: little-endian integers and
// IEEE floats, strings as a 32-bit length and the bytes without terminator.
class ByteWriter {
  public:
    void int32(int32_t value);
    void uint64(uint64_t value);
    void float32(float value);
    void float64(double value);
    void string(const std::string& text);
    void bytes(const void* data, size_t size);

    const std::vector<uint8_t>& buffer() const { return buffer_; }
    std::vector<uint8_t> take() { return std::move(buffer_); }

  private:
    void little(uint64_t value, int byteCount);

    std::vector<uint8_t> buffer_;
};

}  // namespace lumora
