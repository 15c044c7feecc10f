#include "albums/CEditAlbumDialog.h"

#include "albums/FilmDelegate.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <initializer_list>

#include "albums/AlbumEdit.h"
#include "albums/DateTimeText.h"
#include "albums/EditAlbumText.h"
#include "albums/FilmFilterHost.h"
#include "albums/FilmImages.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "albums/StatusLine.h"
#include "albums/ThumbnailQueue.h"
#include "filters/CAdvancedFilterDialog.h"
#include "filters/CriterionText.h"
#include "platform/QtText.h"

// The Edit Album dialog's opening, its first paint and the film's rebuild
// with the status lines. The controls, the range, the film's commands, the
// menu and leaving live in the EditAlbum*.cpp files beside this one.

namespace lumora {
namespace {

// Shows the film's latest status text before any question, so that the line
// under a message box tells which picture it is about.
class FlushingPrompter : public Prompter {
  public:
    FlushingPrompter(Prompter& prompter, StatusLine& status)
        : prompter_(prompter), status_(status) {}
    int ask(const std::string& text, const std::string& caption, Buttons buttons,
            Icon icon) override {
        status_.flush();
        return prompter_.ask(text, caption, buttons, icon);
    }

  private:
    Prompter& prompter_;
    StatusLine& status_;
};

}  // namespace

CEditAlbumDialog::CEditAlbumDialog(Workspace& workspace, std::vector<QImage>& filmImages,
                                   Prompter& prompter, QWidget* parent)
    : QDialog(parent), workspace_(workspace), filmImages_(filmImages), prompter_(prompter) {
    setWindowTitle(QStringLiteral("Edit Album"));
    buildControls();
    buildMenu();
    status_ = std::make_unique<StatusLine>(statusText_);
    flushingPrompter_ = std::make_unique<FlushingPrompter>(prompter_, *status_);
    imageList_ = std::make_unique<WindowFilmImages>(filmImages_);
    thumbnails_ =
        queuedThumbnails(workspace_.catalog.fileSystem(), ThumbnailQueue::defaultWorkers());

    startLabel_->setText(kNotSet);
    endLabel_->setText(kNotSet);
    headerText_->setText(QStringLiteral("Time range selected: None"));
    pathBox_->setText(kPictureNotSelected);
    initialise();
}

CEditAlbumDialog::~CEditAlbumDialog() {
    // A label still being edited is committed while the view goes down, after
    // this dialog's own part is gone: nothing is left to take it.
    if (filmDelegate_) filmDelegate_->disconnect(this);
}

// Opening.

Album* CEditAlbumDialog::album() {
    return workspace_.currentAlbum();
}

void CEditAlbumDialog::initialise() {
    painted_ = false;
    Album* current = album();
    if (!current) return;
    const bool editMode = workspace_.edit.editMode != 0;
    if (editMode) {
        readOnly_ = current->processed != 0;
        workspace_.edit.openedStartTime = current->startTime;
        workspace_.edit.openedEndTime = current->endTime;
        openedCount_ = current->pictureCount;
        openedSize_ = current->sizeMB;
        const int dateFormat = workspace_.dateFormat;
        const int timeFormat = workspace_.timeFormat;
        if (current->startKey != 0) {
            startLabel_->setText(toQString(
                dateTimeText(current->startTime, dateFormat, timeFormat)));
        }
        if (current->endKey != 0) {
            endLabel_->setText(toQString(
                dateTimeText(current->endTime, dateFormat, timeFormat)));
        }
    } else {
        // The album starts as the whole film, first to last picture.
        setStartDate();
        setEndDate();
        current = album();
        if (!current) return;
    }
    createSubDirectory_->setChecked(current->createSubDirectory != 0);
    if (current->name.empty()) current->name = defaultAlbumName(*current);
    nameBox_->setText(toQString(current->name));
    albumNameChanged();
    keepOriginalName_->setChecked(current->keepOriginalName != 0);
    addDate_->setChecked(current->addDate != 0);
    addTime_->setChecked(current->addTime != 0);
    addCameraModel_->setChecked(current->addCameraModel != 0);
    if (!current->directoryName.empty()) {
        directoryBox_->setText(toQString(current->directoryName));
    } else if (current == &workspace_.albums.front()) {
        // The separator alone: the album's pictures go straight into the target.
        current->directoryName = std::string(1, kPathSeparator);
        directoryBox_->setText(toQString(current->directoryName));
    } else {
        // The previous album's choices are offered; only Save Album writes them.
        const Album& previous = *(current - 1);
        directoryBox_->setText(toQString(previous.directoryName));
        addDate_->setChecked(previous.addDate != 0);
        addTime_->setChecked(previous.addTime != 0);
        addCameraModel_->setChecked(previous.addCameraModel != 0);
    }
    clearStartButton_->setEnabled(false);
    clearEndButton_->setEnabled(false);
    if (readOnly_) makeReadOnly();
    opened_ = *current;
    readControls(opened_);
}

void CEditAlbumDialog::makeReadOnly() {
    saveButton_->setEnabled(false);
    // A custom name is written to the picture at once, whatever ends the
    // dialog: an album already processed keeps its pictures' names.
    filmView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (QWidget* control : std::initializer_list<QWidget*>{
             setStartButton_, setEndButton_, clearStartButton_, clearEndButton_,
             createSubDirectory_, keepOriginalName_, addDate_, addTime_, addCameraModel_}) {
        control->setEnabled(false);
    }
    nameBox_->setReadOnly(true);
    directoryBox_->setReadOnly(true);
    manualRangeAction_->setEnabled(false);
    advancedFilterAction_->setEnabled(false);
}

void CEditAlbumDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The film is made once the window has been drawn, so its progress shows.
    if (!painted_) QTimer::singleShot(0, this, [this] { firstPaint(); });
}

void CEditAlbumDialog::firstPaint() {
    if (painted_) return;
    painted_ = true;
    EditState& edit = workspace_.edit;
    const bool imagesExist = workspace_.filmBuilt != 0 && !filmImages_.empty();
    if (edit.editMode) {
        const Album* current = album();
        if (current && remakeEditedAlbumThumbnails(filmWork(), current->id, edit.negativeFilm,
                                                   imagesExist) == FilmOutcome::Stopped) {
            endAsDiscard();
            return;
        }
    }
    if (edit.polarityChanged && imagesExist) {
        const int filmCount = static_cast<int>(workspace_.film.size());
        if (remakeUnassignedThumbnails(filmWork(), edit.negativeFilm, filmCount) ==
            FilmOutcome::Stopped) {
            endAsDiscard();
            return;
        }
        edit.polarityChanged = 0;
    }
    buildFilm();
}

FilmWork CEditAlbumDialog::filmWork() {
    // Every run of the film's thumbnail routines makes the film's polarity.
    imageList_->showNegative(workspace_.edit.negativeFilm != 0);
    return FilmWork{workspace_.pictures(), *imageList_, thumbnails_, *flushingPrompter_, *status_};
}

// The film's place (selected picture, scroll) in pictures rather than rows,
// which change with every rebuild.
struct CEditAlbumDialog::FilmPlace {
    FilmView::Place rows;
    const ExifInfo* selected = nullptr;
    const ExifInfo* anchor = nullptr;
};

CEditAlbumDialog::FilmPlace CEditAlbumDialog::filmPlace() const {
    FilmPlace place;
    place.rows = filmView_->place();
    const FilmList& film = workspace_.film;
    const auto pictureAt = [&film](int row) -> const ExifInfo* {
        return row >= 0 && static_cast<size_t>(row) < film.size()
                   ? film[static_cast<size_t>(row)].exif.get()
                   : nullptr;
    };
    place.selected = pictureAt(place.rows.selected);
    place.anchor = pictureAt(place.rows.anchor);
    return place;
}

void CEditAlbumDialog::returnToPlace(FilmPlace place) {
    const FilmList& film = workspace_.film;
    const auto rowOf = [&film](const ExifInfo* picture) {
        if (!picture) return -1;
        for (size_t row = 0; row < film.size(); ++row) {
            if (film[row].exif.get() == picture) return static_cast<int>(row);
        }
        return -1;
    };
    place.rows.selected = rowOf(place.selected);
    place.rows.anchor = rowOf(place.anchor);
    filmView_->returnTo(place.rows);
}

bool CEditAlbumDialog::buildFilm() {
    // A rebuild keeps the picture the user is at, in a film of thousands.
    const FilmPlace place = filmPlace();
    filmModel_->deleteItems();
    selectFilm();
    if (!workspace_.filmBuilt) {
        const FilmOutcome outcome = buildFilmThumbnails(filmWork(), workspace_.edit.negativeFilm);
        status_->flush();
        if (outcome == FilmOutcome::Stopped) {
            endAsDiscard();
            return false;
        }
        workspace_.filmBuilt = 1;
    }
    if (!matchThumbnailsToMarks()) {
        endAsDiscard();
        return false;
    }
    filmModel_->createItems();
    returnToPlace(place);
    showOverallStatus();
    return true;
}

bool CEditAlbumDialog::matchThumbnailsToMarks() {
    if (workspace_.filmBuilt == 0) return true;
    for (const PictureEntry& picture : workspace_.film) {
        if (!picture.exif) continue;
        const int32_t index = picture.exif->thumbnailIndex;
        if (index < 0 || static_cast<size_t>(index) >= filmImages_.size()) continue;
        const bool negative = picture.isNegative != 0;
        if (shownNegative(filmImages_[static_cast<size_t>(index)]) == negative) continue;
        ThumbnailOptions options;
        options.negative = negative;
        options.upright = true;
        Image thumbnail;
        const ThumbnailResult result =
            makeThumbnail(workspace_.catalog.fileSystem(), picture, options, *status_, thumbnail);
        if (!acceptThumbnail(result, picture, negative, *flushingPrompter_, thumbnail)) {
            return false;
        }
        imageList_->showNegative(negative);
        imageList_->replace(index, thumbnail);
    }
    return true;
}

void CEditAlbumDialog::selectFilm() {
    Album* current = album();
    if (!current) return;
    // The filter acts only while its window is open, with that window's boxes.
    counts_ = workspace_.selectFilm(filter_ ? std::optional(filter_->checks()) : std::nullopt);
    if (filter_) filter_->filmBuilt(counts_.tested);
    current = album();
    headerText_->setText(toQString(albumHeaderLine(*current, workspace_.edit.editMode != 0,
                                                   counts_.filmCount, counts_.excludedCount)));
    sizeText_->setText(toQString(albumSizeLine(*current)));
    sortText_->setText(toQString(sortLine(workspace_.viewOptions, counts_.filmCount)));
}

void CEditAlbumDialog::showOverallStatus() {
    status_->flush();
    statusText_->setText(toQString(overallStatusLine(
        static_cast<int>(workspace_.albums.size()), workspace_.picturesInAlbums(counts_),
        static_cast<int>(workspace_.pictures().size()))));
    totalSizeText_->setText(toQString(totalSizeLine(workspace_.albums)));
}

void CEditAlbumDialog::watchStatus(ProgressSink* watcher) {
    status_->setWatcher(watcher);
}
}  // namespace lumora
