#include "app/HelpWindow.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ProgramIcon.h"
#include "platform/QtText.h"

namespace lumora {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Lumora Help"));
    setWindowIcon(programIcon());
    setSizeGripEnabled(true);
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    auto* close = new QPushButton(QStringLiteral("Close Window"), this);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(browser_, 1);
    layout->addLayout(buttons);
    resize(640, 560);
}

bool HelpWindow::showDocument(const std::string& path) {
    const QFileInfo file(pathToQString(path));
    if (!file.isFile() || !file.isReadable()) return false;
    browser_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    return !browser_->toPlainText().isEmpty();
}

}  // namespace lumora
