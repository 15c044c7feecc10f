#include "albums/CEditAlbumDialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "albums/CLargeImageDialog.h"
#include "albums/CManualTimeRangeDialog.h"
#include "albums/CViewOptionsDialog.h"
#include "albums/CustomName.h"
#include "albums/DateTimeText.h"
#include "albums/EditAlbumText.h"
#include "albums/FilmDelegate.h"
#include "albums/FilmFilterHost.h"
#include "albums/FilmImages.h"
#include "albums/FilmLabel.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "albums/PictureInfoText.h"
#include "albums/StatusLine.h"
#include "albums/ThumbnailQueue.h"
#include "app/CAboutDialog.h"
#include "filters/CAdvancedFilterDialog.h"
#include "filters/CriterionText.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

constexpr const char* kNotSet = "Not Set";
constexpr const char* kPictureNotSelected = "Picture not selected";
constexpr int kDiscardResult = 8;

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

template <typename Control>
Control* withId(Control* control, int id) {
    setControlId(*control, id);
    return control;
}

QGroupBox* groupAround(const QString& title, QWidget* content) {
    auto* group = new QGroupBox(title);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(content);
    return group;
}

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

CEditAlbumDialog::~CEditAlbumDialog() = default;

// Controls.

void CEditAlbumDialog::buildControls() {
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildFilmGroup(), 1);
    columns->addWidget(buildAlbumPanel(), 0);

    sortText_ = withId(new QLabel, res::kIdSortLine);
    statusText_ = withId(new QLabel, res::kIdFilmStatusLine);
    totalSizeText_ = withId(new QLabel, res::kIdTotalSizeText);
    statusText_->setTextFormat(Qt::PlainText);
    statusText_->setMinimumWidth(200);
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(statusText_, 1);
    statusRow->addWidget(totalSizeText_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(sortText_);
    layout->addLayout(statusRow);
    // Three thumbnails across, and room on a screen of 768 lines.
    resize(1064, 730);
}

QWidget* CEditAlbumDialog::buildFilmGroup() {
    filmView_ = withId(new FilmView, res::kIdFilm);
    filmModel_ = new FilmModel(
        workspace_.film,
        [this](int position) {
            return filmLabel(position + 1, workspace_.film[static_cast<size_t>(position)],
                             workspace_.dateFormat, workspace_.timeFormat);
        },
        this);
    filmDelegate_ = new FilmDelegate(filmImages_, this);
    filmView_->setModel(filmModel_);
    filmView_->setItemDelegate(filmDelegate_);
    // Three thumbnails side by side, and the scroll bar.
    filmView_->setMinimumWidth(3 * FilmDelegate::itemSize().width() + 22);
    filmView_->setMinimumHeight(FilmDelegate::itemSize().height() * 2);

    connect(filmView_, &QAbstractItemView::clicked, this, [this] { filmClicked(); });
    connect(filmView_, &QAbstractItemView::doubleClicked, this, [this] { filmDoubleClicked(); });
    connect(filmView_, &FilmView::rightDoubleClicked, this, [this] { filmRightDoubleClicked(); });
    connect(filmView_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { filmSelectionChanged(); });
    connect(filmDelegate_, &FilmDelegate::labelEditBegan, this, &CEditAlbumDialog::labelEditBegan);
    connect(filmDelegate_, &FilmDelegate::labelEditEnded, this, &CEditAlbumDialog::labelEditEnded);

    auto* strip = new QWidget;
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    stripLayout->setSpacing(0);
    stripLayout->addWidget(new PerforationStrip);
    stripLayout->addWidget(filmView_, 1);
    stripLayout->addWidget(new PerforationStrip);

    auto* group = new QGroupBox(QStringLiteral("Virtual Film"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(strip, 1);
    return group;
}

QWidget* CEditAlbumDialog::buildAlbumPanel() {
    nameBox_ = withId(new QLineEdit, res::kIdAlbumNameEdit);
    directoryBox_ = withId(new QLineEdit, res::kIdDirectoryNameEdit);
    createSubDirectory_ =
        withId(new QCheckBox(QStringLiteral("Create sub dir based on album name")),
               res::kIdCreateSubDirCheck);
    keepOriginalName_ = withId(new QCheckBox(QStringLiteral("Keep original picture name")),
                               res::kIdKeepOriginalNameCheck);
    addDate_ = withId(new QCheckBox(QStringLiteral("Date")), res::kIdAddDateCheck);
    addTime_ = withId(new QCheckBox(QStringLiteral("Time")), res::kIdAddTimeCheck);
    addCameraModel_ =
        withId(new QCheckBox(QStringLiteral("Camera Model")), res::kIdAddCameraModelCheck);
    connect(nameBox_, &QLineEdit::textChanged, this, [this] { albumNameChanged(); });
    connect(createSubDirectory_, &QCheckBox::clicked, this,
            [this] { createSubDirectoryClicked(); });
    connect(keepOriginalName_, &QCheckBox::clicked, this, [this] { keepOriginalNameClicked(); });

    auto* addTo = new QGroupBox(QStringLiteral("Add to picture name:"));
    auto* addToLayout = new QHBoxLayout(addTo);
    addToLayout->addWidget(addDate_);
    addToLayout->addWidget(addTime_);
    addToLayout->addWidget(addCameraModel_);
    addToLayout->addStretch(1);

    setStartButton_ =
        withId(new QPushButton(QStringLiteral("Set Start Date")), res::kIdSetStartDate);
    setEndButton_ = withId(new QPushButton(QStringLiteral("Set End Date")), res::kIdSetEndDate);
    clearStartButton_ = withId(new QPushButton(QStringLiteral("Clear")), res::kIdClearStart);
    clearEndButton_ = withId(new QPushButton(QStringLiteral("Clear")), res::kIdClearEnd);
    startLabel_ = withId(new QLabel, res::kIdStartLabel);
    endLabel_ = withId(new QLabel, res::kIdEndLabel);
    for (QLabel* label : {startLabel_, endLabel_}) {
        label->setFrameShape(QFrame::StyledPanel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(180);
    }
    for (QPushButton* button :
         {setStartButton_, setEndButton_, clearStartButton_, clearEndButton_}) {
        button->setAutoDefault(false);
    }
    connect(setStartButton_, &QPushButton::clicked, this, [this] { setStartDate(); });
    connect(setEndButton_, &QPushButton::clicked, this, [this] { setEndDate(); });
    connect(clearStartButton_, &QPushButton::clicked, this, [this] { clearStart(); });
    connect(clearEndButton_, &QPushButton::clicked, this, [this] { clearEnd(); });
    auto* range = new QGroupBox(QStringLiteral("Time range"));
    auto* rangeLayout = new QGridLayout(range);
    rangeLayout->addWidget(setStartButton_, 0, 0);
    rangeLayout->addWidget(startLabel_, 0, 1);
    rangeLayout->addWidget(clearStartButton_, 0, 2);
    rangeLayout->addWidget(setEndButton_, 1, 0);
    rangeLayout->addWidget(endLabel_, 1, 1);
    rangeLayout->addWidget(clearEndButton_, 1, 2);
    rangeLayout->setColumnStretch(1, 1);

    headerText_ = withId(new QLabel, res::kIdAlbumHeader);
    sizeText_ = withId(new QLabel, res::kIdAlbumSizeText);
    for (QLabel* label : {headerText_, sizeText_}) label->setTextFormat(Qt::PlainText);
    QFont bold = headerText_->font();
    bold.setBold(true);
    headerText_->setFont(bold);
    auto* headerRow = new QHBoxLayout;
    headerRow->addWidget(headerText_, 1);
    headerRow->addWidget(sizeText_);

    pathBox_ = withId(new QLineEdit, res::kIdPicturePath);
    pathBox_->setReadOnly(true);
    pictureInfo_ = withId(new QListWidget, res::kIdPictureInfoList);
    pictureInfo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    pictureInfo_->setSelectionMode(QAbstractItemView::NoSelection);

    saveButton_ = withId(new QPushButton(QStringLiteral("Save Album")), res::kIdOk);
    discardButton_ = withId(new QPushButton(QStringLiteral("Discard")), res::kIdDiscardAlbum);
    saveButton_->setDefault(true);
    discardButton_->setAutoDefault(false);
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveAlbum(); });
    connect(discardButton_, &QPushButton::clicked, this, [this] { discard(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);
    buttons->addWidget(discardButton_);

    auto* panel = new QWidget;
    panel->setMinimumWidth(400);
    panel->setMaximumWidth(460);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(groupAround(QStringLiteral("Album name"), nameBox_));
    layout->addWidget(groupAround(QStringLiteral("Albums directory name"), directoryBox_));
    layout->addWidget(createSubDirectory_);
    layout->addWidget(keepOriginalName_);
    layout->addWidget(addTo);
    layout->addWidget(range);
    layout->addLayout(headerRow);
    layout->addWidget(groupAround(QStringLiteral("Original pic's path"), pathBox_));
    layout->addWidget(groupAround(QStringLiteral("Picture Info"), pictureInfo_), 1);
    layout->addLayout(buttons);
    return panel;
}

void CEditAlbumDialog::buildMenu() {
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("File"));
    QAction* view =
        file->addAction(QStringLiteral("View Options"), this, [this] { viewOptions(); });
    view->setObjectName(idName(res::kCmdViewOptions));
    QAction* range =
        file->addAction(QStringLiteral("Manual time range"), this, [this] { manualTimeRange(); });
    range->setObjectName(idName(res::kCmdManualTimeRange));
    advancedFilterAction_ = file->addAction(QStringLiteral("Advanced Filter Tool"), this,
                                            [this] { advancedFilterTool(); });
    advancedFilterAction_->setObjectName(idName(res::kCmdAdvancedFilterTool));
    QMenu* help = menuBar->addMenu(QStringLiteral("Help"));
    QAction* aboutAction = help->addAction(QStringLiteral("About"), this, [this] { about(); });
    aboutAction->setObjectName(idName(res::kCmdAbout));
    layout()->setMenuBar(menuBar);
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
        if (current->processed) {
            saveButton_->setEnabled(false);
            // A custom name is written to the picture at once, whatever ends
            // the dialog: an album already processed keeps its pictures' names.
            filmView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        }
        workspace_.edit.openedStartTime = current->startTime;
        workspace_.edit.openedEndTime = current->endTime;
        openedCount_ = current->pictureCount;
        openedSize_ = current->sizeMB;
        const int dateFormat = workspace_.dateFormat;
        const int timeFormat = workspace_.timeFormat;
        if (current->startKey != 0) {
            startLabel_->setText(
                toQString(dateTimeText(current->startTime, dateFormat, timeFormat)));
        }
        if (current->endKey != 0) {
            endLabel_->setText(toQString(dateTimeText(current->endTime, dateFormat, timeFormat)));
        }
    } else {
        // The album starts as the whole film, first to last picture.
        setStartDate();
        setEndDate();
        current = album();
        if (!current) return;
    }
    createSubDirectory_->setChecked(current->createSubDirectory != 0);
    if (current->name.empty()) current->name = formatText("Album %d", current->id);
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
    return FilmWork{workspace_.pictures(), *imageList_, thumbnails_, *flushingPrompter_, *status_};
}

bool CEditAlbumDialog::buildFilm() {
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
    filmModel_->createItems();
    showOverallStatus();
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

// The range.

void CEditAlbumDialog::setStartDate() {
    setStart(true);
}

void CEditAlbumDialog::setEndDate() {
    setEnd(true);
}

bool CEditAlbumDialog::setStart(bool fromSelection) {
    return setRangeEnd(true, fromSelection);
}

bool CEditAlbumDialog::setEnd(bool fromSelection) {
    return setRangeEnd(false, fromSelection);
}

// Start and end are set alike: from the selected film picture, or from the
// film's first (start) or last (end) picture; a choice on the wrong side of
// the other end is refused.
bool CEditAlbumDialog::setRangeEnd(bool start, bool fromSelection) {
    selectFilm();
    Album* current = album();
    const FilmList& film = workspace_.film;
    if (!current || film.empty()) return false;
    const int position = fromSelection ? filmView_->lastSelectedRow() : -1;
    if (position >= static_cast<int>(film.size())) return false;
    QLabel* label = start ? startLabel_ : endLabel_;
    const bool otherSet = (start ? endLabel_ : startLabel_)->text() != kNotSet;
    uint64_t value = 0;
    if (position < 0) {
        value = start ? film.front().dateTime : film.back().dateTime;
    } else {
        value = film[static_cast<size_t>(position)].dateTime;
        const bool wrongSide = start ? value > current->endKey : value < current->startKey;
        if (otherSet && wrongSide) {
            prompter_.ask(start ? "Start Date could not be later than end date."
                                : "End Date could not be earlier than start date.",
                          "", Buttons::Ok, Icon::None);
            return false;
        }
    }
    label->setText(toQString(dateTimeText(value, workspace_.dateFormat, workspace_.timeFormat)));
    (start ? clearStartButton_ : clearEndButton_)->setEnabled(true);
    if (start) {
        current->startTime = current->startKey = value;
    } else {
        current->endTime = current->endKey = value;
    }
    const bool imagesExist = workspace_.filmBuilt != 0 && !filmImages_.empty();
    if (otherSet && (position >= 0 || imagesExist)) buildFilm();
    return true;
}

void CEditAlbumDialog::clearStart() {
    Album* current = album();
    if (!current || current->startKey == 0) return;
    current->startKey = 0;
    current->startTime = 0;
    startLabel_->setText(kNotSet);
    buildFilm();
    clearStartButton_->setEnabled(false);
}

void CEditAlbumDialog::clearEnd() {
    Album* current = album();
    if (!current || current->endKey == 0) return;
    current->endKey = 0;
    current->endTime = 0;
    endLabel_->setText(kNotSet);
    buildFilm();
    clearEndButton_->setEnabled(false);
}

// Leaving.

void CEditAlbumDialog::saveAlbum() {
    if (!saveButton_->isEnabled()) return;
    if (nameBox_->text().isEmpty()) {
        if (prompter_.ask("Pictures base name not set. Use default name?", "Picture Name",
                          Buttons::YesNo, Icon::Question) != kAnswerYes) {
            return;
        }
    } else {
        const bool startSet = startLabel_->text() != kNotSet;
        const bool endSet = endLabel_->text() != kNotSet;
        const char* refusal = nullptr;
        if (counts_.filmCount == counts_.excludedCount) {
            refusal = "Album empty. Album will not be saved. Select 'Discard' to exit";
        } else if (!startSet && !endSet) {
            refusal =
                "Start or end date not set. Album will not be saved. Select 'Discard' to exit";
        } else if (!startSet) {
            refusal = "Start date not set. Album will not be saved. Select 'Discard' to exit";
        } else if (!endSet) {
            refusal = "End date not set. Album will not be saved. Select 'Discard' to exit";
        }
        if (refusal) {
            prompter_.ask(refusal, "", Buttons::Ok, Icon::None);
            return;
        }
    }
    // An open Advanced Filter window keeps its switches with the album when
    // it closes.
    Album* current = album();
    if (current) readControls(*current);
    end_ = DialogEnd::Save;
    done(res::kIdOk);
}

void CEditAlbumDialog::readControls(Album& current) {
    current.addDate = addDate_->isChecked() ? 1 : 0;
    current.addTime = addTime_->isChecked() ? 1 : 0;
    current.addCameraModel = addCameraModel_->isChecked() ? 1 : 0;
    current.directoryName = toStdString(directoryBox_->text());
    current.name = toStdString(nameBox_->text());
    current.keepOriginalName = keepOriginalName_->isChecked() ? 1 : 0;
}

void CEditAlbumDialog::discard() {
    if (workspace_.edit.editMode) {
        if (Album* current = album()) {
            current->startTime = current->startKey = workspace_.edit.openedStartTime;
            current->endTime = current->endKey = workspace_.edit.openedEndTime;
            current->pictureCount = openedCount_;
            current->sizeMB = openedSize_;
        }
    }
    end_ = DialogEnd::Discard;
    done(kDiscardResult);
}

void CEditAlbumDialog::reject() {
    discard();
}

void CEditAlbumDialog::endAsDiscard() {
    status_->flush();
    discard();
}

int CEditAlbumDialog::runDialog(QDialog& dialog) {
    return dialog.exec();
}

// The menu.

void CEditAlbumDialog::viewOptions() {
    CViewOptionsDialog dialog(workspace_.viewOptions, this);
    if (runDialog(dialog) == QDialog::Accepted && workspace_.viewOptions.viewOptionsChanged) {
        buildFilm();
    }
}

void CEditAlbumDialog::manualTimeRange() {
    Album* current = album();
    if (!current) return;
    CManualTimeRangeDialog dialog(*current, workspace_.film, prompter_, this);
    if (runDialog(dialog) != QDialog::Accepted) return;
    current = album();
    startLabel_->setText(
        toQString(dateTimeText(current->startTime, workspace_.dateFormat, workspace_.timeFormat)));
    endLabel_->setText(
        toQString(dateTimeText(current->endTime, workspace_.dateFormat, workspace_.timeFormat)));
    clearStartButton_->setEnabled(true);
    clearEndButton_->setEnabled(true);
    buildFilm();
}

CAdvancedFilterDialog* CEditAlbumDialog::advancedFilter() const {
    return filter_;
}

void CEditAlbumDialog::advancedFilterTool() {
    if (filter_) {
        filter_->raise();
        filter_->activateWindow();
        return;
    }
    if (!filterHost_) {
        filterHost_ = std::make_unique<FilmFilterHost>(workspace_.albums, workspace_.edit,
                                                       workspace_.film, [this] { buildFilm(); });
    }
    filter_ = new CAdvancedFilterDialog(*filterHost_, workspace_.filterValues, prompter_, this);
    // From closing on, the film build applies no filter.
    connect(filter_, &CAdvancedFilterDialog::closed, this, [this] { filter_ = nullptr; });
    filter_->openFor(workspace_.edit.editMode == 0);
}

void CEditAlbumDialog::about() {
    CAboutDialog dialog(this);
    runDialog(dialog);
}

// The film.

void CEditAlbumDialog::showPicture(int position) {
    const FilmList& film = workspace_.film;
    if (position < 0 || static_cast<size_t>(position) >= film.size()) {
        pathBox_->setText(kPictureNotSelected);
        return;
    }
    const PictureEntry& picture = film[static_cast<size_t>(position)];
    pathBox_->setText(pathToQString(picture.path));
    pictureInfo_->clear();
    if (!picture.exif) return;
    for (const std::string& line : pictureInfoLines(*picture.exif, picture.dateTime,
                                                    workspace_.dateFormat, workspace_.timeFormat)) {
        pictureInfo_->addItem(toQString(line));
    }
}

void CEditAlbumDialog::filmClicked() {
    showPicture(filmView_->lastSelectedRow());
}

void CEditAlbumDialog::filmSelectionChanged() {
    const int position = filmView_->lastSelectedRow();
    if (position < 0) {
        pathBox_->setText(kPictureNotSelected);
        return;
    }
    // A selection that lands on the picture last shown in the large viewer
    // refreshes nothing.
    if (position == CLargeImageDialog::viewerIndex()) return;
    showPicture(position);
    if (viewer_) viewer_->follow(workspace_.film, position);
}

void CEditAlbumDialog::filmRightDoubleClicked() {
    const int position = filmView_->lastSelectedRow();
    if (position < 0 || static_cast<size_t>(position) >= workspace_.film.size()) return;
    if (!viewer_) {
        viewer_ = new CLargeImageDialog(workspace_.catalog.fileSystem(), this);
        connect(viewer_, &CLargeImageDialog::closed, this, [this] { viewer_ = nullptr; });
    }
    viewer_->openAt(workspace_.film, position);
}

bool CEditAlbumDialog::toggleThumbnail(const PictureEntry& picture, bool negative, bool& stop) {
    if (workspace_.filmBuilt == 0 || filmImages_.empty() || !picture.exif) return true;
    ThumbnailOptions options;
    options.negative = negative;
    options.notice = ResampleNotice::OneSideOnly;
    Image thumbnail;
    const ThumbnailResult result =
        makeThumbnail(workspace_.catalog.fileSystem(), picture, options, *status_, thumbnail);
    if (result == ThumbnailResult::Made) {
        imageList_->replace(picture.exif->thumbnailIndex, thumbnail);
        return true;
    }
    // OK on the disk error leaves the picture as it was; anything else ends
    // the dialog as Discard.
    if (result == ThumbnailResult::Unreadable) {
        stop = flushingPrompter_->ask(kDiskErrorText, kDiskErrorCaption, Buttons::OkCancel,
                                      Icon::None) != kAnswerOk;
        return false;
    }
    acceptThumbnail(result, picture, negative, *flushingPrompter_, thumbnail);
    stop = true;
    return false;
}

void CEditAlbumDialog::filmDoubleClicked() {
    const int position = filmView_->lastSelectedRow();
    Album* current = album();
    if (position < 0 || !current) return;
    bool stop = false;
    const RemakeThumbnail remake = [this, &stop](const PictureEntry& picture, bool negative,
                                                 RemakeReason) {
        return toggleThumbnail(picture, negative, stop);
    };
    if (!toggleFilmPicture(workspace_.film, static_cast<size_t>(position), *current, remake)) {
        if (stop) endAsDiscard();
        return;
    }
    selectFilm();
    filmModel_->refreshItems();
    showOverallStatus();
}

void CEditAlbumDialog::labelEditBegan(int, const QString& text) {
    rememberedLabel_ = toStdString(text);
}

void CEditAlbumDialog::labelEditEnded(int row, const QString& text) {
    FilmList& film = workspace_.film;
    if (row < 0 || static_cast<size_t>(row) >= film.size()) return;
    PictureEntry& picture = film[static_cast<size_t>(row)];
    const Album* current = album();
    if (!picture.exif || (current && current->processed)) return;
    const NameEdit outcome = applyNameEdit(*picture.exif, rememberedLabel_, toStdString(text));
    rememberedLabel_.clear();
    if (outcome == NameEdit::Unchanged) return;
    if (outcome == NameEdit::Refused) {
        prompter_.ask(kCustomNameRefusedText, kCustomNameCaption, Buttons::Ok, Icon::Warning);
        return;
    }
    filmModel_->setItemText(
        row, editedFilmLabel(row + 1, picture, workspace_.dateFormat, workspace_.timeFormat));
}

// The name and options.

void CEditAlbumDialog::albumNameChanged() {
    createSubDirectory_->setEnabled(!nameBox_->text().isEmpty());
}

void CEditAlbumDialog::createSubDirectoryClicked() {
    const bool set = createSubDirectory_->isChecked();
    if (Album* current = album()) current->createSubDirectory = set ? 1 : 0;
    if (set) {
        nameBox_->setEnabled(true);
    } else if (keepOriginalName_->isChecked()) {
        nameBox_->setEnabled(false);
    }
}

void CEditAlbumDialog::keepOriginalNameClicked() {
    if (keepOriginalName_->isChecked() && !createSubDirectory_->isChecked()) {
        nameBox_->setEnabled(false);
    }
}

}  // namespace lumora
