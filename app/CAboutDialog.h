#pragma once

#include <QDialog>

namespace lumora {

// "About Lumora": the icon, the program's name and version, and what it does.
class CAboutDialog : public QDialog {
  public:
    explicit CAboutDialog(QWidget* parent = nullptr);
};

}  // namespace lumora
