#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace lumora::test {

// Lays out bytes the way the session file table describes them, written
// separately from the program's own writer so that the two can be compared.
class LayoutBytes {
  public:
    LayoutBytes& i32(int32_t value) { return little(static_cast<uint32_t>(value), 4); }
    LayoutBytes& u64(uint64_t value) { return little(value, 8); }
    LayoutBytes& f32(float value) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value, 4);
        return little(bits, 4);
    }
    LayoutBytes& f64(double value) {
        uint64_t bits = 0;
        std::memcpy(&bits, &value, 8);
        return little(bits, 8);
    }
    LayoutBytes& str(const std::string& text) {
        i32(static_cast<int32_t>(text.size()));
        return raw(text.data(), text.size());
    }
    LayoutBytes& raw(const void* data, size_t size) {
        const auto* in = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), in, in + size);
        return *this;
    }
    // A text in a fixed-width field, padded with zero bytes.
    LayoutBytes& fixed(const std::string& text, size_t width) {
        std::vector<uint8_t> field(width, 0);
        std::memcpy(field.data(), text.data(), std::min(text.size(), width));
        return raw(field.data(), width);
    }

    std::vector<uint8_t> bytes;

  private:
    LayoutBytes& little(uint64_t value, int count) {
        for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        return *this;
    }
};

}  // namespace lumora::test
