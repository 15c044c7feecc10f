#pragma once

#include <QDialog>
#include <string>

class QTextBrowser;

namespace lumora {

// The help document in a window of its own, for a desktop that has no
// program to open it with. Links inside the document are followed in the
// window; it stays open beside the main window until closed.
class HelpWindow : public QDialog {
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the document at path; false when it cannot be read.
    bool showDocument(const std::string& path);

    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_ = nullptr;
};

}  // namespace lumora
