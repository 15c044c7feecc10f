#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lumora::test {

// A fresh folder under the temporary folder (/tmp) for one test, removed
// with everything in it when the guard goes. Relative names below are taken from the folder.
// Paths as the program makes and reports them, from texts that tests write
// with '/' between names: the system's separator instead (a backslash on
// Windows, where both are taken), so that expected texts and the paths of
// injected faults match the program's own.
std::string nativePath(const std::string& slashed);
// A path below folder, the relative part written with '/': joined as the
// program joins paths, with the system's separator throughout.
std::string pathIn(const std::string& folder, const std::string& relative);

// Every regular file below root, by its path relative to root, with its bytes.
std::map<std::string, std::string> filesBelow(const std::string& root);

class TempDir {
  public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::string& path() const { return path_; }
    // The full path of a name relative to the folder ('/'-separated; on
    // Windows the separators become backslashes).
    std::string file(const std::string& relative) const;

    // Creates the folder and any missing parents; returns its full path.
    std::string makeDir(const std::string& relative) const;
    // Writes the bytes, creating missing parent folders; returns the full path.
    std::string writeFile(const std::string& relative, const std::vector<uint8_t>& bytes) const;
    std::string writeFile(const std::string& relative, const std::string& text) const;
    // A symbolic link at relative pointing at target (taken as it stands).
    std::string makeSymlink(const std::string& target, const std::string& relative) const;

  private:
    std::string path_;
};

}  // namespace lumora::test
