#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace lumora {

// Reads values in the session file's encoding from a buffer it does not own.
// Every read checks that the bytes are there; the first one that cannot be
// made sets the problem text, and from then on every read fails, so a parser
// can read a whole group of fields and check once.
class ByteReader {
  public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool int32(int32_t& value, const char* what);
    bool uint64(uint64_t& value, const char* what);
    bool float32(float& value, const char* what);
    bool float64(double& value, const char* what);
    // A 32-bit length, then that many bytes; a negative length or one beyond
    // the end of the buffer fails before anything is allocated.
    bool string(std::string& text, const char* what);
    bool bytes(void* out, size_t size, const char* what);

    // Whether the bytes `ahead` bytes from here are those given; reads nothing.
    bool bytesAheadAre(size_t ahead, const void* expected, size_t size) const;

    // Fails with the text unless the condition holds.
    bool require(bool condition, const std::string& problem);

    size_t offset() const { return offset_; }
    size_t remaining() const { return size_ - offset_; }
    bool ok() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }

  private:
    bool take(size_t size, const char* what, const uint8_t*& at);
    uint64_t little(const uint8_t* at, int byteCount) const;

    const uint8_t* data_;
    size_t size_;
    size_t offset_ = 0;
    std::string problem_;
};

}  // namespace lumora
