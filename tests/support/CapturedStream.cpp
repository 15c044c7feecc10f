#include "tests/support/CapturedStream.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace lumora::test {

CapturedStream::CapturedStream() {
#ifdef _WIN32
    file_ = std::tmpfile();
#else
    file_ = open_memstream(&buffer_, &size_);
#endif
    if (file_ == nullptr) ADD_FAILURE() << "cannot open a stream to capture output";
}

CapturedStream::~CapturedStream() {
    if (file_ != nullptr) std::fclose(file_);
    std::free(buffer_);
}

std::string CapturedStream::text() {
    if (file_ == nullptr) return std::string();
    std::fflush(file_);
#ifdef _WIN32
    std::string text;
    std::rewind(file_);
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file_)) > 0;)
        text.append(chunk, got);
    std::fseek(file_, 0, SEEK_END);
    return text;
#else
    return std::string(buffer_, size_);
#endif
}

std::FILE* openInputText(const std::string& text) {
#ifdef _WIN32
    const char* nullDevice = "NUL";
#else
    const char* nullDevice = "/dev/null";
#endif
    if (text.empty()) return std::fopen(nullDevice, "rb");
    std::FILE* file = std::tmpfile();
    if (file == nullptr) return nullptr;
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    return file;
}

}  // namespace lumora::test
