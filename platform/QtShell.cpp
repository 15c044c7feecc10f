#include "platform/QtShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "platform/QtText.h"

namespace lumora {
namespace {

QString nameFilter(const std::string& filterName, const std::string& pattern) {
    return toQString(filterName) + " (" + toQString(pattern) + ")";
}

QString startIn(const Shell& shell) {
    return shell.startFolder().empty() ? QDir::currentPath() : pathToQString(shell.startFolder());
}

std::optional<std::string> chosenPath(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return pathFromQString(QDir::toNativeSeparators(files.front()));
}

// "http://...", "mailto:..." and the like; a single letter before the colon
// would be a drive, and a path never starts a scheme.
bool isWebAddress(const QString& document) {
    const QUrl url(document, QUrl::StrictMode);
    return url.isValid() && url.scheme().size() > 1 && !document.startsWith('/') &&
           url.scheme() != "file";
}

}  // namespace

QtShell::QtShell(QWidget* parent) : parent_(parent) {}

std::optional<std::string> QtShell::browseForFolder(const std::string& title) {
    QFileDialog dialog(parent_, toQString(title), startIn(*this));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return chosenPath(dialog);
}

std::optional<std::string> QtShell::openFileName(const std::string& title,
                                                 const std::string& filterName,
                                                 const std::string& pattern) {
    QFileDialog dialog(parent_, toQString(title), startIn(*this),
                       nameFilter(filterName, pattern));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return chosenPath(dialog);
}

std::optional<std::string> QtShell::saveFileName(const std::string& title,
                                                 const std::string& filterName,
                                                 const std::string& pattern,
                                                 const std::string& defaultExtension) {
    QFileDialog dialog(parent_, toQString(title), startIn(*this),
                       nameFilter(filterName, pattern));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(toQString(defaultExtension));
    return chosenPath(dialog);
}

int QtShell::open(const std::string& document, const std::string& directory) {
    const QString text = pathToQString(document);
    if (isWebAddress(text)) {
        return QDesktopServices::openUrl(QUrl(text)) ? kShellSuccess : kShellNoAssociation;
    }
    QString path = text;
    if (text.startsWith("file:")) path = QUrl(text).toLocalFile();
    if (QFileInfo(path).isRelative() && !directory.empty()) {
        path = QDir(pathToQString(directory)).filePath(path);
    }
    const QFileInfo file(path);
    if (!file.dir().exists()) return kShellPathNotFound;
    if (!file.exists()) return kShellFileNotFound;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()))
               ? kShellSuccess
               : kShellNoAssociation;
}

}  // namespace lumora
