#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/FileSystem.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/WideText.h"
#endif

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

std::string nativePath(const std::string& slashed) {
    std::string native = slashed;
    for (char& c : native) {
        if (c == '/') c = kPathSeparator;
    }
    return native;
}

std::string pathIn(const std::string& folder, const std::string& relative) {
    return joinPath(folder, nativePath(relative));
}

std::string TempDir::file(const std::string& relative) const {
    return pathIn(path_, relative);
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
#ifdef _WIN32
    // mingw-w64's C++ library has no create_symlink: the system's own call,
    // told whether the target is a folder (a relative one is read from the
    // link's folder).
    const std::string seen = std::filesystem::path(target).is_absolute()
                                 ? target
                                 : joinPath(parentFolderOf(full), target);
    const DWORD attributes = ::GetFileAttributesW(toWide(seen).c_str());
    const DWORD folder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0
            ? SYMBOLIC_LINK_FLAG_DIRECTORY
            : 0;
    if (!::CreateSymbolicLinkW(toWide(full).c_str(), toWide(nativePath(target)).c_str(),
                               folder | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
        ADD_FAILURE() << "cannot link " << full << ": error " << ::GetLastError();
    } else if (::GetFileAttributesW(toWide(full).c_str()) == INVALID_FILE_ATTRIBUTES) {
        // Wine 8 says yes and makes nothing.
        ADD_FAILURE() << "cannot link " << full << ": the system said it did, but no link is there";
    }
#else
    std::error_code error;
    std::filesystem::create_symlink(target, full, error);
    if (error) ADD_FAILURE() << "cannot link " << full << ": " << error.message();
#endif
    return full;
}

std::map<std::string, std::string> filesBelow(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (!item.is_regular_file()) continue;
        std::ifstream in(item.path(), std::ios::binary);
        files[std::filesystem::relative(item.path(), root).string()] =
            std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return files;
}

}  // namespace lumora::test
