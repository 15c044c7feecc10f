#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/FileSystem.h"

namespace lumora {

// A file read through a buffer, so that the header sections of a picture
// cost one read call (two when they are longer than the read-ahead), and a
// section body is handed out in place. The buffer belongs to the caller and
// is reused from file to file.
class HeaderInput {
  public:
    // A section body is at most 65533 bytes: the buffer holds a whole one
    // plus what was read ahead.
    static constexpr size_t kBufferSize = 96 * 1024;

    HeaderInput(InputFile& file, std::vector<uint8_t>& buffer);
    HeaderInput(const HeaderInput&) = delete;
    HeaderInput& operator=(const HeaderInput&) = delete;
    ~HeaderInput();

    // The next byte, or -1 at the end of the file.
    int byte();
    // The next size bytes (at most kBufferSize) in one piece, valid until the
    // next read; null when the file ends first.
    const uint8_t* take(size_t size);
    // Offset in the file of the next byte.
    uint64_t position() const { return base_ + pos_; }

  private:
    bool fill(size_t size);
    void guard();
    void unguard();

    InputFile& file_;
    std::vector<uint8_t>& buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    uint64_t base_ = 0;  // file offset of buffer_[0]
    uint64_t fileSize_;  // as the file was when opened; 0 when it told none
    bool atEnd_ = false;
    bool guarded_ = false;
};

}  // namespace lumora
