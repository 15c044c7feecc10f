#pragma once

#include <cstdio>
#include <string>

namespace lumora::test {

// A stdio stream for code under test to write to, whose text the test then
// reads: held in memory where the C library can (open_memstream), else in a
// temporary file (Windows' runtime has no memory streams).
class CapturedStream {
  public:
    CapturedStream();
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;
    ~CapturedStream();

    std::FILE* file() const { return file_; }
    // Everything written so far.
    std::string text();

  private:
    std::FILE* file_ = nullptr;
    char* buffer_ = nullptr;
    size_t size_ = 0;
};

// A stream to read text from (an empty text reads as the null device); the
// caller closes it.
std::FILE* openInputText(const std::string& text);

}  // namespace lumora::test
