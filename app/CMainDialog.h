#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/ChooserFolder.h"
#include "app/Workspace.h"
#include "platform/Prompter.h"
#include "platform/Shell.h"

class QAction;
class QLabel;
class QListWidget;
class QPushButton;

namespace lumora {

class BannerLabel;
class HelpWindow;
class PathLabel;

// The main window, "Lumora - Professional": the three steps, the album list
// and details, and the menus that start every other function. The workspace
// holds the values and does the work; the window shows them, asks through the
// prompter and chooses folders and files through the shell.
//
// One file per concern: MainDialogControls.cpp (controls and menus),
// MainDialogFolders.cpp (source and target), MainDialogAlbums.cpp (album
// commands, the album list and details), MainDialogSessions.cpp,
// MainDialogProcess.cpp (processing, options, duplicates), MainDialogHelp.cpp.
class CMainDialog : public QDialog {
    Q_OBJECT

  public:
    // The window with the desktop's message boxes and choosers.
    explicit CMainDialog(Workspace& workspace, QWidget* parent = nullptr);
    // The window with the given message boxes and choosers (tests script them).
    CMainDialog(Workspace& workspace, Prompter& prompter, Shell& shell, QWidget* parent = nullptr);
    ~CMainDialog() override;

    // The commands of the menus, buttons, banner and album list.
    void selectSource();
    void selectTarget();
    void startFromPositive();
    void startFromNegative();
    void bannerClicked();
    void editSelectedAlbum();
    void albumSelectionChanged();
    void deleteSelectedAlbum();
    void process();
    void processOption();
    void searchForDuplicates();
    void timeFormat();
    void saveSession();
    void loadSession();
    void helpManual();
    void homepage();
    void about();
    // The files the last scan left out, with their reasons.
    void filesLeftOut();
    // The clock offset of each camera whose clock was wrong.
    void cameraClocks();
    // Utilities > "Undo last processing...": the newest run into the target.
    void undoLastProcessing();

    // What follows a folder browser or a file dialog, also run at start for
    // the folders and the session given on the command line.
    void useSource(const std::string& path);
    void useTarget(const std::string& path);
    void loadSessionFile(const std::string& path);

    // Rebuilds the album list and summary, keeps the selection and shows its
    // details; run after every change to the albums.
    void refreshAlbumList();
    // Rebuilds the details list for the selected album (empty when none is
    // selected) and enables "Delete Album" with it.
    void showAlbumDetails();

    // The film image list: the thumbnail of each picture at its
    // thumbnailIndex while workspace.filmBuilt is set. The film builder fills
    // it; Delete Album re-makes its entries in negative-film mode.
    std::vector<QImage>& filmImages() { return filmImages_; }

    // "Close Window": asks "Are you sure?" and ends the program on Yes.
    void accept() override;
    // Esc, the close box and File > Exit: ask "Close Lumora?" and end on Yes.
    void reject() override;

  protected:
    // The Edit Album dialog for the workspace's current album, run modally;
    // how it ended decides what becomes of the album.
    virtual DialogEnd openEditAlbumDialog();
    // The Search for duplicates dialog, run modally.
    virtual void openDuplicatesDialog();
    // Runs a modal dialog and returns its result; tests look at the dialog
    // instead of running it.
    virtual int runDialog(QDialog& dialog);

  private:
    CMainDialog(Workspace& workspace, Prompter* prompter, Shell* shell, QWidget* parent);

    void buildControls();
    void buildMenus();
    void initialise();
    // Shows the source, target and status texts and the menu states.
    void showTexts();
    void startNewAlbum(int32_t negative);
    void runAlbumDialog();
    int selectedAlbumIndex() const;
    void tell(const char* text, const char* caption = "");
    bool remakeFilmThumbnail(const PictureEntry& picture, bool negative, RemakeReason reason);
    void dropFilmImagesIfStale();
    void showWorkAfterLoad();
    // Sets where the shell's next chooser opens: where the user works.
    void startChooserFor(Chooser chooser);
    void showHelpWindow(const std::string& path);

    Workspace& workspace_;
    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<Shell> ownShell_;
    Prompter& prompter_;
    Shell& shell_;
    // The folder of the session file last saved or loaded; empty before.
    std::string sessionFolder_;
    std::vector<QImage> filmImages_;
    QPointer<HelpWindow> helpWindow_;

    BannerLabel* banner_ = nullptr;
    PathLabel* sourceText_ = nullptr;
    PathLabel* targetText_ = nullptr;
    QLabel* statusText_ = nullptr;
    QLabel* leftOutLink_ = nullptr;  // shown while the last scan left files out
    QLabel* summaryText_ = nullptr;
    QListWidget* albumList_ = nullptr;
    QListWidget* albumDetails_ = nullptr;
    QPushButton* deleteAlbum_ = nullptr;
    QPushButton* sourceButton_ = nullptr;
    QPushButton* targetButton_ = nullptr;
    QPushButton* processButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QAction* saveSession_ = nullptr;
    QAction* startFromPositive_ = nullptr;
    QAction* startFromNegative_ = nullptr;
    QAction* searchDuplicates_ = nullptr;
};

}  // namespace lumora
