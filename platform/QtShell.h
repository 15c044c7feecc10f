#pragma once

#include <QWidget>
#include <optional>
#include <string>

#include "platform/Shell.h"

namespace lumora {

// The desktop's folder and file choosers (QFileDialog, the desktop's own
// dialogs where it has them) and "open" through the desktop's default
// handler.
class QtShell : public Shell {
  public:
    explicit QtShell(QWidget* parent = nullptr);

    std::optional<std::string> browseForFolder(const std::string& title) override;
    std::optional<std::string> openFileName(const std::string& title, const std::string& filterName,
                                            const std::string& pattern) override;
    std::optional<std::string> saveFileName(const std::string& title, const std::string& filterName,
                                            const std::string& pattern,
                                            const std::string& defaultExtension) override;
    // A web address goes to the desktop as it is. A document is looked for
    // in directory (unless its path is absolute) and must exist, as the
    // Windows shell requires: kShellPathNotFound when its folder is missing,
    // kShellFileNotFound when the document is; kShellNoAssociation when the
    // desktop has no program for it.
    int open(const std::string& document, const std::string& directory) override;

  private:
    QWidget* parent_;
};

}  // namespace lumora
