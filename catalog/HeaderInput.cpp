#include "catalog/HeaderInput.h"

#include <algorithm>
#include <cstring>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LUMORA_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define LUMORA_ASAN 1
#endif
#ifdef LUMORA_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace lumora {
namespace {

// Enough for the header sections of most camera files in one read call,
// without dragging in much of the compressed data behind them.
constexpr size_t kReadAhead = 32 * 1024;

}  // namespace

HeaderInput::HeaderInput(InputFile& file, std::vector<uint8_t>& buffer)
    : file_(file), buffer_(buffer), fileSize_(file.facts().size) {
    if (buffer_.size() < kBufferSize) buffer_.resize(kBufferSize);
}

HeaderInput::~HeaderInput() {
    unguard();
}

int HeaderInput::byte() {
    unguard();
    if (pos_ == end_ && !fill(1)) return -1;
    return buffer_[pos_++];
}

const uint8_t* HeaderInput::take(size_t size) {
    unguard();
    if (end_ - pos_ < size && !fill(size)) return nullptr;
    const uint8_t* bytes = buffer_.data() + pos_;
    pos_ += size;
    guard();
    return bytes;
}

bool HeaderInput::fill(size_t size) {
    if (size > buffer_.size()) return false;
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        base_ += pos_;
        end_ -= pos_;
        pos_ = 0;
    }
    // A section longer than what is there is read with the read-ahead
    // behind it, so that the sections after it come in the same call.
    size_t target = std::min(buffer_.size(), std::max(size, end_) + kReadAhead);
    // Reads stop at the size the file had when opened: a file shorter than
    // the read-ahead then costs one read call, not a second one that only
    // finds the end.
    bool toTheEnd = false;
    if (fileSize_ > 0) {
        const uint64_t left = fileSize_ > base_ ? fileSize_ - base_ : 0;
        if (left <= target) {
            target = static_cast<size_t>(left);
            toTheEnd = true;
        }
    }
    while (!atEnd_ && end_ < target) {
        const size_t got = file_.read(buffer_.data() + end_, target - end_);
        if (got == 0) atEnd_ = true;
        end_ += got;
    }
    if (toTheEnd && end_ >= target) atEnd_ = true;
    return end_ >= size;
}

// Under AddressSanitizer the bytes after a piece handed out are unreadable
// until the next read, so that a parser reading past its section is caught
// even though the buffer goes on.
void HeaderInput::guard() {
#ifdef LUMORA_ASAN
    ASAN_POISON_MEMORY_REGION(buffer_.data() + pos_, buffer_.size() - pos_);
    guarded_ = true;
#endif
}

void HeaderInput::unguard() {
#ifdef LUMORA_ASAN
    if (guarded_) ASAN_UNPOISON_MEMORY_REGION(buffer_.data(), buffer_.size());
#endif
    guarded_ = false;
}

}  // namespace lumora
