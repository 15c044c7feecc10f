#pragma once

#include <optional>
#include <string>

namespace lumora {

// Results of Shell::open, with the numbers of the Windows shell that the
// callers compare against.
inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellPathNotFound = 3;
inline constexpr int kShellNoAssociation = 31;
inline constexpr int kShellSuccess = 42;  // anything above 32 is success

// The desktop's folder and file choosers and its "open with the associated
// program". The window uses the desktop's; tests script them.
class Shell {
  public:
    virtual ~Shell() = default;

    // The folder browser with its title: the chosen folder's path, nothing
    // when it was cancelled.
    virtual std::optional<std::string> browseForFolder(const std::string& title) = 0;

    // The open and save file dialogs, starting in the start folder. filterName/pattern: "Lumora session", "*.lsn". The save dialog
    // asks before replacing an existing file and adds defaultExtension to a
    // name without one; the open dialog accepts only existing files.
    virtual std::optional<std::string> openFileName(const std::string& title,
                                                    const std::string& filterName,
                                                    const std::string& pattern) = 0;
    virtual std::optional<std::string> saveFileName(const std::string& title,
                                                    const std::string& filterName,
                                                    const std::string& pattern,
                                                    const std::string& defaultExtension) = 0;

    // Opens a document (a path, or a web address) with its associated
    // program. directory is the folder the document is looked for in (empty
    // for web addresses). Returns kShellSuccess or one of the error numbers.
    virtual int open(const std::string& document, const std::string& directory) = 0;

    // The folder the next choosers open at (the window sets it before each
    // one); empty: the process's current folder. Choosing never changes the
    // process's current folder.
    void setStartFolder(const std::string& folder) { startFolder_ = folder; }
    const std::string& startFolder() const { return startFolder_; }

  private:
    std::string startFolder_;
};

}  // namespace lumora
