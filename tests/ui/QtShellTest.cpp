#include "platform/QtShell.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QObject>
#include <QUrl>
#include <vector>

#include "tests/support/TempDir.h"
#include "tests/ui/ModalDriver.h"

namespace lumora {
namespace {

using test::ModalDriver;
using test::TempDir;

// Takes the addresses the desktop would open, for one scheme, while it lives.
class OpenedUrls : public QObject {
    Q_OBJECT

  public:
    explicit OpenedUrls(const QString& scheme) : scheme_(scheme) {
        QDesktopServices::setUrlHandler(scheme_, this, "take");
    }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(scheme_); }

    std::vector<QUrl> urls;

  public slots:
    void take(const QUrl& url) { urls.push_back(url); }

  private:
    QString scheme_;
};

TEST(QtShellOpen, aDocumentIsLookedForInItsFolderAndMustExist) {
    TempDir temp;
    const std::string help = temp.writeFile("help/help.htm", "<html></html>");
    OpenedUrls opened("file");
    QtShell shell;

    EXPECT_EQ(shell.open("help.htm", temp.file("help")), kShellSuccess);
    EXPECT_EQ(shell.open(help, ""), kShellSuccess);
    ASSERT_EQ(opened.urls.size(), 2u);
    EXPECT_EQ(opened.urls[0], QUrl::fromLocalFile(QString::fromStdString(help)));
    EXPECT_EQ(opened.urls[1], QUrl::fromLocalFile(QString::fromStdString(help)));

    EXPECT_EQ(shell.open("help.htm", temp.file("elsewhere/help")), kShellPathNotFound);
    EXPECT_EQ(shell.open("manual.htm", temp.file("help")), kShellFileNotFound);
    EXPECT_EQ(shell.open(temp.file("help/manual.htm"), ""), kShellFileNotFound);
    EXPECT_EQ(opened.urls.size(), 2u);
}

TEST(QtShellOpen, aWebAddressGoesToTheDesktopAsItIs) {
    OpenedUrls opened("https");
    QtShell shell;
    EXPECT_EQ(shell.open("https://lumora.example.org/", ""), kShellSuccess);
    ASSERT_EQ(opened.urls.size(), 1u);
    EXPECT_EQ(opened.urls[0], QUrl("https://lumora.example.org/"));
}

TEST(QtShellChoosers, eachDialogIsSetUpForItsKindAndGivesTheChosenPath) {
    TempDir temp;
    const std::string folder = temp.makeDir("albums");
    const std::string session = temp.writeFile("old.lsn", "x");
    QtShell shell;

    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool dirsOnly = false;
    QString title;
    ModalDriver<QFileDialog> browse([&](QFileDialog& dialog) {
        mode = dialog.fileMode();
        dirsOnly = dialog.testOption(QFileDialog::ShowDirsOnly);
        title = dialog.windowTitle();
        dialog.selectFile(QString::fromStdString(folder));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(shell.browseForFolder("Select folder that hold pictures to process."), folder);
    EXPECT_EQ(mode, QFileDialog::Directory);
    EXPECT_TRUE(dirsOnly);
    EXPECT_EQ(title, "Select folder that hold pictures to process.");

    QStringList filters;
    QFileDialog::AcceptMode accept = QFileDialog::AcceptSave;
    ModalDriver<QFileDialog> open([&](QFileDialog& dialog) {
        mode = dialog.fileMode();
        accept = dialog.acceptMode();
        filters = dialog.nameFilters();
        dialog.selectFile(QString::fromStdString(session));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(shell.openFileName("Load Session", "Lumora session", "*.lsn"), session);
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
    EXPECT_EQ(accept, QFileDialog::AcceptOpen);
    EXPECT_EQ(filters, QStringList{"Lumora session (*.lsn)"});

    // A name typed without extension gets the default one.
    QString start;
    ModalDriver<QFileDialog> save([&](QFileDialog& dialog) {
        accept = dialog.acceptMode();
        start = dialog.directory().absolutePath();
        dialog.selectFile(QString::fromStdString(temp.file("new")));
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(shell.saveFileName("Save Session", "Lumora session", "*.lsn", "lsn"),
              temp.file("new.lsn"));
    EXPECT_EQ(accept, QFileDialog::AcceptSave);
    EXPECT_EQ(start, QDir::currentPath());

    ModalDriver<QFileDialog> cancel([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(shell.openFileName("Load Session", "Lumora session", "*.lsn"), std::nullopt);
}

TEST(QtShellChoosers, everyChooserOpensAtTheStartFolderAndLeavesTheCurrentFolder) {
    TempDir temp;
    const std::string folder = temp.makeDir("work");
    const QString current = QDir::currentPath();
    QtShell shell;
    shell.setStartFolder(folder);
    std::vector<QString> starts;
    auto startAndCancel = [&starts](QFileDialog& dialog) {
        starts.push_back(dialog.directory().absolutePath());
        dialog.reject();
    };
    {
        ModalDriver<QFileDialog> driver(startAndCancel);
        EXPECT_EQ(shell.browseForFolder("Select folder that hold pictures to process."),
                  std::nullopt);
    }
    {
        ModalDriver<QFileDialog> driver(startAndCancel);
        EXPECT_EQ(shell.openFileName("Load Session", "Lumora session", "*.lsn"), std::nullopt);
    }
    {
        ModalDriver<QFileDialog> driver(startAndCancel);
        EXPECT_EQ(shell.saveFileName("Save as", "Lumora session", "*.lsn", "lsn"), std::nullopt);
    }
    // Qt writes the folder with "/" on every system.
    EXPECT_EQ(starts, std::vector<QString>(3, QDir(QString::fromStdString(folder)).absolutePath()));
    EXPECT_EQ(QDir::currentPath(), current);
}

}  // namespace
}  // namespace lumora

#include "QtShellTest.moc"
