#pragma once

#include <QDialog>
#include <QLabel>
#include <QString>

#include "albums/FilmSelection.h"
#include "albums/ViewerCache.h"
#include "platform/FileSystem.h"

namespace lumora {

// "View Large Image": a modeless window showing one film picture 799 pixels
// wide, with its full path below. While open it follows the film's selection,
// keeping the pictures before and after the shown one decoded in advance.
// At most one exists: making a new one closes the one open before. Closing
// ("Close", Esc or the close box) emits closed() and the window deletes
// itself. Left and Right step to the film's previous and next picture, Home
// and End to its first and last, by asking the film to select it
// (stepAsked); the film's selection then moves the viewer as any other.
class CLargeImageDialog : public QDialog {
    Q_OBJECT

  public:
    CLargeImageDialog(FileSystem& fileSystem, QWidget* parent);
    ~CLargeImageDialog() override;

    // Right double-click on the film picture at position: decode, show,
    // preload its neighbours, and bring the window to the front. A picture
    // that cannot be decoded is not shown; a viewer not yet on screen then
    // closes at once (emitting closed()), as none is opened for it, and one
    // on screen says it cannot show it.
    void openAt(const FilmList& film, int position);
    // The film's selection moved to position: a step of one shows the cached
    // neighbour, any other move decodes afresh; nothing at all happens at the
    // position last shown. A picture that cannot be decoded is not shown:
    // the window says so under that picture's path, and the viewer index
    // still moves.
    void follow(const FilmList& film, int position);

    // The film position last shown in a viewer (the viewer index), kept
    // after the viewer closes; 0 when the program starts. The film's
    // selection handler compares with it.
    static int viewerIndex();
    // The viewer on screen, or null.
    static CLargeImageDialog* openViewer();

  signals:
    void closed();
    void stepAsked(int position);

  public slots:
    // Esc closes the window like the close box, rather than hiding it.
    void reject() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void showPicture(const Image& picture, const std::string& path);
    void showNotDecoded(const std::string& path);
    void askStep(int position);

    ViewerCache cache_;
    QLabel* picture_;
    QLabel* path_;
    bool closedSent_ = false;
    int filmSize_ = 0;
};

}  // namespace lumora
