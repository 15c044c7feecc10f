#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/FileSystem.h"

namespace lumora::test {
namespace {

void makeParents(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
}

}  // namespace

TempDir::TempDir() {
#ifdef _WIN32
    // Windows' runtime has no mkdtemp: a new name in the user's temporary
    // folder, tried until one is free.
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    for (unsigned attempt = 0; attempt < 1000 && path_.empty(); ++attempt) {
        const std::filesystem::path candidate =
            base / ("lumora-test-" + std::to_string(std::rand()) + "-" + std::to_string(attempt));
        if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
    }
    if (path_.empty()) ADD_FAILURE() << "cannot create a temporary folder";
#else
    char pattern[] = "/tmp/lumora-test-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        ADD_FAILURE() << "cannot create a temporary folder";
        return;
    }
    path_ = pattern;
#endif
}

TempDir::~TempDir() {
    if (path_.empty()) return;
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::string TempDir::file(const std::string& relative) const {
    // Relative names are written with '/'; the full path has the system's
    // own separator throughout, as the paths the program makes have.
    std::string native = relative;
    for (char& c : native) {
        if (c == '/') c = kPathSeparator;
    }
    return path_ + kPathSeparator + native;
}

std::string TempDir::makeDir(const std::string& relative) const {
    const std::string full = file(relative);
    std::error_code error;
    std::filesystem::create_directories(full, error);
    if (error) ADD_FAILURE() << "cannot create " << full << ": " << error.message();
    return full;
}

std::string TempDir::writeFile(const std::string& relative,
                               const std::vector<uint8_t>& bytes) const {
    const std::string full = file(relative);
    makeParents(full);
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) ADD_FAILURE() << "cannot write " << full;
    return full;
}

std::string TempDir::writeFile(const std::string& relative, const std::string& text) const {
    return writeFile(relative, std::vector<uint8_t>(text.begin(), text.end()));
}

std::string TempDir::makeSymlink(const std::string& target, const std::string& relative) const {
    const std::string full = file(relative);
    makeParents(full);
    std::error_code error;
    std::filesystem::create_symlink(target, full, error);
    if (error) ADD_FAILURE() << "cannot link " << full << ": " << error.message();
    return full;
}

}  // namespace lumora::test
