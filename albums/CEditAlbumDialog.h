#pragma once

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "albums/FilmBuilder.h"
#include "albums/FilmImages.h"
#include "albums/FilmSelection.h"
#include "app/Workspace.h"
#include "platform/Prompter.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QAction;

namespace lumora {

class CAdvancedFilterDialog;
class CLargeImageDialog;
class FilmFilterHost;
class FilmDelegate;
class FilmModel;
class FilmView;
class StatusLine;

// "Edit Album": one album (the workspace's current album) shaped on the
// virtual film: its name, folder and naming options, its start and end
// pictures, and the pictures left out of it. The main window runs it modally
// and then commits or discards the album by end().
class CEditAlbumDialog : public QDialog {
    Q_OBJECT

  public:
    CEditAlbumDialog(Workspace& workspace, std::vector<QImage>& filmImages, Prompter& prompter,
                     QWidget* parent = nullptr);
    ~CEditAlbumDialog() override;

    // After exec(): Save ("Save Album"), Discard ("Discard", Esc, the close
    // box, or a picture error that stopped the film), or Other.
    DialogEnd end() const { return end_; }

    // What the first paint does, once: re-makes thumbnails whose polarity no
    // longer matches and builds the film. Showing the dialog runs it; tests
    // call it directly.
    void firstPaint();
    // Recomputes the film list and re-creates the film's items, making every
    // thumbnail first when the film image list is not built. False when a
    // picture error ended the dialog.
    bool buildFilm();

    // The buttons.
    void saveAlbum();
    void discard();
    void setStartDate();
    void setEndDate();
    void clearStart();
    void clearEnd();
    // The menu.
    void viewOptions();
    void manualTimeRange();
    void advancedFilterTool();
    void about();
    // The film.
    void filmClicked();
    void filmSelectionChanged();
    void filmDoubleClicked();
    void filmRightDoubleClicked();
    // Space on the film: every selected picture is left out or taken in as a
    // double-click does for one, with the same questions; nothing on a
    // processed album.
    void toggleSelectedPictures();
    void labelEditBegan(int row, const QString& text);
    void labelEditEnded(int row, const QString& text);
    // The name, folder and option controls.
    void albumNameChanged();
    void createSubDirectoryClicked();
    void keepOriginalNameClicked();

    // Every status text of the film also goes to the watcher.
    void watchStatus(ProgressSink* watcher);
    FilmView* film() const { return filmView_; }
    FilmModel* filmModel() const { return filmModel_; }
    // The open Advanced Filter window, null while it is closed.
    CAdvancedFilterDialog* advancedFilter() const;

    // Esc and the close box: taken as Discard, so that a new album is never
    // left half made with its pictures marked as pending; an album that was
    // changed asks first, and No keeps the dialog open.
    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;
    // Runs one of the dialogs opened from here; tests look at it instead.
    virtual int runDialog(QDialog& dialog);

  private:
    void buildControls();
    QWidget* buildFilmGroup();
    QWidget* buildAlbumPanel();
    QWidget* buildPicturePanel();
    void buildMenu();
    void initialise();
    Album* album();
    // The film list recomputed, with the header, size and sort lines.
    void selectFilm();
    void showOverallStatus();
    void showPicture(int position);
    bool setStart(bool fromSelection);
    bool setEnd(bool fromSelection);
    bool setRangeEnd(bool start, bool fromSelection);
    void readControls(Album& album);
    // Whether Discard would throw away a change made since the dialog opened.
    bool albumChanged();
    // Every control that could change the album made read-only.
    void makeReadOnly();
    // Ends the dialog as Discard after a picture error stopped the film.
    void endAsDiscard();
    struct FilmPlace;
    FilmPlace filmPlace() const;
    void returnToPlace(FilmPlace place);
    FilmWork filmWork();
    // Re-makes every film thumbnail that does not show what its picture's
    // mark says (a picture that joined from a film of the other polarity, a
    // bitmap re-made elsewhere). False when a picture error ended the dialog.
    bool matchThumbnailsToMarks();
    bool toggleThumbnail(const PictureEntry& picture, bool negative, bool& stop);
    // Leaves out or takes in the film pictures at these positions, in order.
    void togglePictures(const std::vector<int>& positions);

    Workspace& workspace_;
    std::vector<QImage>& filmImages_;
    Prompter& prompter_;
    std::unique_ptr<Prompter> flushingPrompter_;
    std::unique_ptr<StatusLine> status_;
    std::unique_ptr<WindowFilmImages> imageList_;
    ThumbnailSourceFactory thumbnails_;
    DialogEnd end_ = DialogEnd::Other;
    bool painted_ = false;
    FilmCounts counts_;
    // An edited album's count and size when the dialog opened: Discard gives
    // them back with its range, so that looking costs nothing.
    int32_t openedCount_ = 0;
    float openedSize_ = 0.0f;
    // The album as the dialog opened it, its controls read in; a picture
    // left out or taken in since then.
    Album opened_;
    bool picturesToggled_ = false;
    // A processed album: nothing in the dialog may change it.
    bool readOnly_ = false;
    std::string rememberedLabel_;
    QPointer<CLargeImageDialog> viewer_;
    std::unique_ptr<FilmFilterHost> filterHost_;
    QPointer<CAdvancedFilterDialog> filter_;

    FilmView* filmView_ = nullptr;
    FilmModel* filmModel_ = nullptr;
    FilmDelegate* filmDelegate_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* discardButton_ = nullptr;
    QPushButton* setStartButton_ = nullptr;
    QPushButton* setEndButton_ = nullptr;
    QPushButton* clearStartButton_ = nullptr;
    QPushButton* clearEndButton_ = nullptr;
    QLabel* startLabel_ = nullptr;
    QLabel* endLabel_ = nullptr;
    QLabel* sizeText_ = nullptr;
    QLabel* headerText_ = nullptr;
    QLabel* sortText_ = nullptr;
    QLabel* statusText_ = nullptr;
    QLabel* totalSizeText_ = nullptr;
    QLineEdit* pathBox_ = nullptr;
    QLineEdit* directoryBox_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QCheckBox* createSubDirectory_ = nullptr;
    QCheckBox* keepOriginalName_ = nullptr;
    QCheckBox* addDate_ = nullptr;
    QCheckBox* addTime_ = nullptr;
    QCheckBox* addCameraModel_ = nullptr;
    QListWidget* pictureInfo_ = nullptr;
    QAction* advancedFilterAction_ = nullptr;
    QAction* manualRangeAction_ = nullptr;
};

}  // namespace lumora
