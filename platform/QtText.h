#pragma once

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <QWidget>
#include <string>

namespace lumora {

// The program's texts are 8-bit strings holding UTF-8 on this platform.
inline QString toQString(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string toStdString(const QString& text) {
    return text.toStdString();
}

// File names go through the file system's own encoding, so that a name whose
// bytes are not valid UTF-8 still reaches the same file.
inline QString pathToQString(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
inline std::string pathFromQString(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A widget's objectName is its control or command id as decimal text, so that
// tests and screenshots find controls by their ids.
inline QString idName(int id) {
    return QString::number(id);
}
inline void setControlId(QWidget& widget, int id) {
    widget.setObjectName(idName(id));
}

// The room a title bar takes besides its title: the window's icon and its
// buttons, as the common desktops draw them.
inline constexpr int kTitleBarControlsWidth = 130;

// Makes a small window at least as wide as its title needs, so that the
// title bar never cuts the title short.
inline void fitWidthToTitle(QWidget& window) {
    QFont titleFont = window.font();
    titleFont.setBold(true);
    const int needed =
        QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + kTitleBarControlsWidth;
    if (window.minimumWidth() < needed) window.setMinimumWidth(needed);
}

}  // namespace lumora
