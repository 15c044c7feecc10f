#include "app/CMainDialog.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "albums/CEditAlbumDialog.h"
#include "albums/CTimeFormatDialog.h"
#include "albums/Thumbnail.h"
#include "app/AlbumDetailsText.h"
#include "app/AlbumListText.h"
#include "app/CAboutDialog.h"
#include "app/DuplicateCommands.h"
#include "app/MainWindowWidgets.h"
#include "app/ProcessCommands.h"
#include "app/ProgramIcon.h"
#include "app/ProgramInfo.h"
#include "app/SessionCommands.h"
#include "duplicates/CDuplicatesDialog.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtProgress.h"
#include "platform/QtPrompter.h"
#include "platform/QtShell.h"
#include "platform/QtText.h"
#include "processing/CAlbumsProcessingDialog.h"
#include "processing/CProcessOptionDialog.h"
#include "res/BitmapIds.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

constexpr const char* kSessionFilterName = "Lumora session";
constexpr const char* kSessionPattern = "*.lsn";
constexpr const char* kSessionExtension = "lsn";
constexpr const char* kPathNotFoundText = "Path not found. Please restart Lumora.";
constexpr const char* kNoAssociationText =
    "There is no application associated with the given file name extension. Please install "
    "Internet Explorer or other web browser.";

QPixmap bitmapResource(int id) {
    Image image;
    if (!image.LoadResource(id)) return {};
    return QPixmap::fromImage(makeBitmap(image));
}

QGroupBox* groupBox(const QString& title, int id, QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    if (id != 0) setControlId(*box, id);
    return box;
}

QLabel* staticText(const QString& text, int id, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    if (id != 0) setControlId(*label, id);
    return label;
}

QPushButton* bitmapButton(int id, int bitmapId, const QString& tip, QWidget* parent) {
    auto* button = new QPushButton(parent);
    setControlId(*button, id);
    const QPixmap bitmap = bitmapResource(bitmapId);
    button->setIcon(bitmap);
    button->setIconSize(bitmap.size());
    button->setFixedSize(bitmap.size() + QSize(10, 4));
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CMainDialog::CMainDialog(Workspace& workspace, QWidget* parent)
    : CMainDialog(workspace, nullptr, nullptr, parent) {}

CMainDialog::CMainDialog(Workspace& workspace, Prompter& prompter, Shell& shell, QWidget* parent)
    : CMainDialog(workspace, &prompter, &shell, parent) {}

CMainDialog::CMainDialog(Workspace& workspace, Prompter* prompter, Shell* shell, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      ownPrompter_(prompter ? nullptr : std::make_unique<QtPrompter>(this)),
      ownShell_(shell ? nullptr : std::make_unique<QtShell>(this)),
      prompter_(prompter ? *prompter : *ownPrompter_),
      shell_(shell ? *shell : *ownShell_) {
    workspace_.remakeThumbnail = [this](const PictureEntry& picture, bool negative,
                                        RemakeReason reason) {
        return remakeFilmThumbnail(picture, negative, reason);
    };
    buildControls();
    buildMenus();
    initialise();
}

CMainDialog::~CMainDialog() {
    // The workspace may outlive the window; the thumbnails go with it.
    workspace_.remakeThumbnail = nullptr;
}

void CMainDialog::buildControls() {
    setWindowTitle(QStringLiteral("Lumora - Professional"));
    setWindowIcon(programIcon());
    setSizeGripEnabled(true);

    banner_ = new BannerLabel(this);
    setControlId(*banner_, res::kIdBanner);
    banner_->setPixmap(bitmapResource(res::kBitmapBanner));
    banner_->setAlignment(Qt::AlignCenter);
    banner_->setCursor(Qt::PointingHandCursor);
    banner_->setToolTip(QStringLiteral("Start a new album"));
    banner_->onClick([this] { bannerClicked(); });

    auto* steps = groupBox(QStringLiteral("Organize Photos: Easy Steps 1, 2, 3"),
                           res::kIdEasyStepsGroup, this);

    // Step 1: the two folders and the status of the scan.
    auto* step1 = groupBox(QStringLiteral("Step 1: Set Directories"), res::kIdStep1Group, steps);
    sourceText_ = new PathLabel(step1);
    setControlId(*sourceText_, res::kIdSourceText);
    sourceText_->setPath(QStringLiteral("Select source"));
    targetText_ = new PathLabel(step1);
    setControlId(*targetText_, res::kIdTargetText);
    targetText_->setPath(QStringLiteral("Select destination"));
    sourceButton_ = bitmapButton(res::kIdSourceButton, res::kBitmapSourceButton,
                                 QStringLiteral("Select source"), step1);
    targetButton_ = bitmapButton(res::kIdTargetButton, res::kBitmapTargetButton,
                                 QStringLiteral("Select target"), step1);
    statusText_ =
        staticText(QStringLiteral("Scan source for *.jpg files wich contain exif information"),
                   res::kIdStatusText, step1);
    statusText_->setWordWrap(true);
    statusText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* step1Layout = new QGridLayout(step1);
    step1Layout->addWidget(staticText(QStringLiteral("Source:"), 0, step1), 0, 0);
    step1Layout->addWidget(sourceText_, 0, 1);
    step1Layout->addWidget(sourceButton_, 0, 2);
    step1Layout->addWidget(staticText(QStringLiteral("Target:"), res::kIdTargetLabel, step1), 1, 0);
    step1Layout->addWidget(targetText_, 1, 1);
    step1Layout->addWidget(targetButton_, 1, 2);
    step1Layout->addWidget(staticText(QStringLiteral("Status:"), res::kIdStatusLabel, step1), 2, 0,
                           Qt::AlignTop);
    step1Layout->addWidget(statusText_, 2, 1, 1, 2);
    step1Layout->setColumnStretch(1, 1);

    // Step 2: the album list, its summary and the selected album's details.
    auto* step2 = groupBox(QStringLiteral("Step 2: Create Albums"), res::kIdStep2Group, steps);
    auto* albums = groupBox(QStringLiteral("Albums"), 0, step2);
    albumList_ = new QListWidget(albums);
    setControlId(*albumList_, res::kIdAlbumList);
    albumDetails_ = new QListWidget(albums);
    setControlId(*albumDetails_, res::kIdAlbumDetails);
    deleteAlbum_ = new QPushButton(QStringLiteral("Delete Album"), albums);
    setControlId(*deleteAlbum_, res::kIdDeleteAlbum);
    deleteAlbum_->setAutoDefault(false);
    summaryText_ =
        staticText(QStringLiteral("No albums created yet."), res::kIdAlbumsSummary, albums);
    summaryText_->setWordWrap(true);
    summaryText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* albumsLayout = new QGridLayout(albums);
    albumsLayout->addWidget(staticText(QStringLiteral("Albums List"), 0, albums), 0, 0);
    albumsLayout->addWidget(staticText(QStringLiteral("Album Details"), 0, albums), 0, 1);
    albumsLayout->addWidget(albumList_, 1, 0);
    albumsLayout->addWidget(albumDetails_, 1, 1);
    albumsLayout->addWidget(deleteAlbum_, 2, 0, Qt::AlignLeft);
    albumsLayout->addWidget(summaryText_, 3, 0, 1, 2);
    // Room for a dozen albums and for the lines of most albums' details.
    const int listHeight = fontMetrics().lineSpacing() * 12;
    albumList_->setMinimumHeight(listHeight);
    albumDetails_->setMinimumHeight(listHeight);
    albumsLayout->setColumnStretch(0, 2);
    albumsLayout->setColumnStretch(1, 3);
    albumsLayout->setRowStretch(1, 1);
    auto* step2Layout = new QVBoxLayout(step2);
    step2Layout->addWidget(albums);

    // Step 3: processing.
    auto* step3 = groupBox(QStringLiteral("Step 3: Process"), res::kIdStep3Group, steps);
    processButton_ = new QPushButton(QStringLiteral("Process"), step3);
    setControlId(*processButton_, res::kIdProcess);
    processButton_->setAutoDefault(false);
    auto* step3Layout = new QHBoxLayout(step3);
    step3Layout->addWidget(processButton_);
    step3Layout->addStretch();

    auto* stepsLayout = new QVBoxLayout(steps);
    stepsLayout->addWidget(step1);
    stepsLayout->addWidget(step2, 1);
    stepsLayout->addWidget(step3);

    closeButton_ = new QPushButton(QStringLiteral("Close Window"), this);
    setControlId(*closeButton_, res::kIdOk);
    closeButton_->setDefault(true);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(banner_);
    layout->addWidget(steps, 1);
    layout->addLayout(closeRow);

    connect(sourceButton_, &QPushButton::clicked, this, [this] { selectSource(); });
    connect(targetButton_, &QPushButton::clicked, this, [this] { selectTarget(); });
    connect(deleteAlbum_, &QPushButton::clicked, this, [this] { deleteSelectedAlbum(); });
    connect(processButton_, &QPushButton::clicked, this, [this] { process(); });
    connect(closeButton_, &QPushButton::clicked, this, [this] { accept(); });
    connect(albumList_, &QListWidget::itemSelectionChanged, this,
            [this] { albumSelectionChanged(); });
    connect(albumList_, &QListWidget::itemDoubleClicked, this, [this] { editSelectedAlbum(); });

    // The steps sit close, so the window fits a 768-line screen at the default
    // font.
    for (QLayout* inner : {static_cast<QLayout*>(step1Layout), static_cast<QLayout*>(albumsLayout),
                           static_cast<QLayout*>(step2Layout), static_cast<QLayout*>(step3Layout),
                           static_cast<QLayout*>(stepsLayout)}) {
        inner->setContentsMargins(8, 4, 8, 6);
        inner->setSpacing(4);
    }
    layout->setContentsMargins(8, 4, 8, 8);
    resize(840, sizeHint().height());
}

void CMainDialog::buildMenus() {
    auto* bar = new QMenuBar(this);
    auto command = [this](QMenu* menu, const QString& text, int id, auto handler) {
        QAction* action = menu->addAction(text);
        action->setObjectName(idName(id));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    saveSession_ = command(file, QStringLiteral("Save Session"), res::kCmdSaveSession,
                           [this] { saveSession(); });
    command(file, QStringLiteral("Load Session"), res::kCmdLoadSession, [this] { loadSession(); });
    file->addSeparator();
    // Exit is a close request, which takes the path of the close box.
    command(file, QStringLiteral("Exit"), res::kCmdExit, [this] { close(); });

    QMenu* directories = bar->addMenu(QStringLiteral("&Directories"));
    command(directories, QStringLiteral("Select source"), res::kCmdSelectSource,
            [this] { selectSource(); });
    command(directories, QStringLiteral("Select target"), res::kCmdSelectTarget,
            [this] { selectTarget(); });

    QMenu* utilities = bar->addMenu(QStringLiteral("&Utilities"));
    searchDuplicates_ = command(utilities, QStringLiteral("Search for duplicates"),
                                res::kCmdSearchDuplicates, [this] { searchForDuplicates(); });

    QMenu* albums = bar->addMenu(QStringLiteral("&Albums"));
    QMenu* newAlbum = albums->addMenu(QStringLiteral("Set New Album"));
    startFromPositive_ = command(newAlbum, QStringLiteral("Start from positive"),
                                 res::kCmdStartFromPositive, [this] { startFromPositive(); });
    startFromNegative_ = command(newAlbum, QStringLiteral("Start from negative"),
                                 res::kCmdStartFromNegative, [this] { startFromNegative(); });
    command(albums, QStringLiteral("Edit selected"), res::kCmdEditSelected,
            [this] { editSelectedAlbum(); });

    QMenu* options = bar->addMenu(QStringLiteral("&Options"));
    command(options, QStringLiteral("Time Format"), res::kCmdTimeFormat, [this] { timeFormat(); });
    command(options, QStringLiteral("Process"), res::kCmdProcessOption,
            [this] { processOption(); });

    // Linux windows have no system menu to extend: About stays here.
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    command(help, QStringLiteral("Help Manual"), res::kCmdHelpManual, [this] { helpManual(); });
    command(help, QStringLiteral("Lumora Homepage"), res::kCmdHomepage, [this] { homepage(); });
    command(help, QStringLiteral("About"), res::kCmdAbout, [this] { about(); });

    layout()->setMenuBar(bar);
}

void CMainDialog::initialise() {
    deleteAlbum_->setEnabled(false);
    workspace_.dateFormat = 1;
    workspace_.timeFormat = 1;
    workspace_.excludeDuplicates = 0;
    summaryText_->setText(QStringLiteral("No albums created"));
    workspace_.albumMenusEnabled = false;
    saveSession_->setEnabled(false);
    workspace_.reset();
    filmImages_.clear();
    workspace_.sourceText = kNotSelectedText;
    showTexts();
}

void CMainDialog::showTexts() {
    sourceText_->setPath(pathToQString(workspace_.sourceText));
    targetText_->setPath(pathToQString(workspace_.targetText));
    statusText_->setText(toQString(workspace_.statusText));
    startFromPositive_->setEnabled(workspace_.albumMenusEnabled);
    startFromNegative_->setEnabled(workspace_.albumMenusEnabled);
    searchDuplicates_->setEnabled(workspace_.albumMenusEnabled);
}

void CMainDialog::tell(const char* text, const char* caption) {
    prompter_.ask(text, caption, Buttons::Ok, Icon::None);
}

void CMainDialog::dropFilmImagesIfStale() {
    if (workspace_.filmBuilt == 0) filmImages_.clear();
}

void CMainDialog::clearDetails() {
    albumDetails_->clear();
}

int CMainDialog::selectedAlbumIndex() const {
    const QList<QListWidgetItem*> selected = albumList_->selectedItems();
    return selected.isEmpty() ? -1 : albumList_->row(selected.front());
}

// Directories.

void CMainDialog::selectSource() {
    const bool hadAlbums = !workspace_.albums.empty();
    if (!workspace_.prepareSourceChange(prompter_)) return;
    if (hadAlbums) {
        refreshAlbumList();
        deleteAlbum_->setEnabled(false);
        clearDetails();
        filmImages_.clear();
    }
    const std::optional<std::string> folder = shell_.browseForFolder(kSelectTargetBrowserTitle);
    if (!folder) return;
    useSource(*folder);
}

void CMainDialog::useSource(const std::string& path) {
    filmImages_.clear();
    deleteAlbum_->setEnabled(false);
    clearDetails();
    // The folder shows while it is scanned and while the scan asks.
    sourceText_->setPath(pathToQString(path));
    // The scan runs here, on the window's thread; the status line repaints
    // after every update while clicks and keys wait.
    LabelProgress progress(statusText_);
    workspace_.setSource(path, prompter_, progress);
    showTexts();
}

void CMainDialog::selectTarget() {
    if (workspace_.sourceText == kNotSelectedText) {
        // Refused with "Please select source directory first!" before any
        // browser opens.
        workspace_.selectTarget(std::string(), prompter_);
        return;
    }
    const std::optional<std::string> folder = shell_.browseForFolder(kSelectTargetBrowserTitle);
    if (!folder) return;
    useTarget(*folder);
}

void CMainDialog::useTarget(const std::string& path) {
    workspace_.selectTarget(path, prompter_);
    showTexts();
}

// Albums.

void CMainDialog::startFromPositive() {
    startNewAlbum(0);
}

void CMainDialog::startFromNegative() {
    startNewAlbum(1);
}

void CMainDialog::bannerClicked() {
    if (workspace_.sourceText == kNotSelectedText) {
        tell("Please select a source folder first.");
        return;
    }
    startFromPositive();
}

void CMainDialog::startNewAlbum(int32_t negative) {
    if (!workspace_.startNewAlbum(negative, prompter_)) return;
    runAlbumDialog();
}

void CMainDialog::editSelectedAlbum() {
    if (!workspace_.startEditAlbum(selectedAlbumIndex(), prompter_)) return;
    runAlbumDialog();
}

void CMainDialog::runAlbumDialog() {
    const DialogEnd end = openEditAlbumDialog();
    workspace_.finishAlbumDialog(end, prompter_);
    refreshAlbumList();
    clearDetails();
    showTexts();
}

DialogEnd CMainDialog::openEditAlbumDialog() {
    CEditAlbumDialog dialog(workspace_, filmImages_, prompter_, this);
    runDialog(dialog);
    return dialog.end();
}

void CMainDialog::albumSelectionChanged() {
    showAlbumDetails();
}

void CMainDialog::deleteSelectedAlbum() {
    const int index = selectedAlbumIndex();
    if (index < 0) {
        deleteAlbum_->setEnabled(false);
        return;
    }
    if (!workspace_.deleteAlbumAt(index, prompter_)) return;
    refreshAlbumList();
    deleteAlbum_->setEnabled(false);
    clearDetails();
}

bool CMainDialog::remakeFilmThumbnail(const PictureEntry& picture, bool negative,
                                      RemakeReason reason) {
    // Without a film image list there is nothing to re-make: the next film
    // build makes every thumbnail with its picture's polarity mark.
    if (workspace_.filmBuilt == 0 || !picture.exif) return true;
    const int32_t index = picture.exif->thumbnailIndex;
    if (index < 0 || static_cast<size_t>(index) >= filmImages_.size()) return true;
    ThumbnailOptions options;
    options.negative = negative;
    options.scaling = reason == RemakeReason::DiscardEdited ? ThumbnailScaling::QIShrink
                                                            : ThumbnailScaling::Resample;
    Image thumbnail;
    if (makeThumbnail(workspace_.catalog.fileSystem(), picture, options, nullProgress(),
                      thumbnail) != ThumbnailResult::Made) {
        return false;
    }
    filmImages_[static_cast<size_t>(index)] = makeBitmap(thumbnail);
    return true;
}

// The album list and details.

void CMainDialog::refreshAlbumList() {
    const int remembered = selectedAlbumIndex();
    // Changes made here are not the user's selection.
    const QSignalBlocker blocker(albumList_);
    albumList_->clear();
    albumDetails_->clear();
    for (const std::string& line : albumListLines(workspace_.albums)) {
        albumList_->addItem(toQString(line));
    }
    summaryText_->setText(toQString(
        albumSummaryText(workspace_.albums, static_cast<int>(workspace_.pictures().size()))));
    saveSession_->setEnabled(!workspace_.albums.empty());
    if (remembered >= 0 && albumList_->count() > 0) {
        if (remembered < albumList_->count()) albumList_->setCurrentRow(remembered);
        showAlbumDetails();
    }
}

void CMainDialog::showAlbumDetails() {
    albumDetails_->clear();
    if (workspace_.albums.empty()) return;
    const int index = selectedAlbumIndex();
    const Album& album = workspace_.albums[index < 0 ? 0 : static_cast<size_t>(index)];
    for (const std::string& line : albumDetailsLines(
             album, workspace_.targetText, workspace_.dateFormat, workspace_.timeFormat)) {
        albumDetails_->addItem(toQString(line));
    }
    deleteAlbum_->setEnabled(true);
}

// Processing and the options.

void CMainDialog::process() {
    for (;;) {
        switch (startProcess(workspace_, prompter_)) {
            case ProcessStart::Stop:
                return;
            case ProcessStart::BrowseForTarget: {
                const std::optional<std::string> folder =
                    shell_.browseForFolder(kSelectTargetBrowserTitle);
                const bool again = processTargetChosen(workspace_, folder, prompter_);
                showTexts();
                if (!again) return;
                break;  // with a target chosen the processing dialog opens
            }
            case ProcessStart::OpenDialog: {
                CAlbumsProcessingDialog dialog(workspace_, prompter_, this);
                runDialog(dialog);
                refreshAlbumList();
                return;
            }
        }
    }
}

void CMainDialog::processOption() {
    CProcessOptionDialog dialog(workspace_.albums, workspace_.moveMode, prompter_, this);
    runDialog(dialog);
}

void CMainDialog::timeFormat() {
    CTimeFormatDialog dialog(workspace_.dateFormat, workspace_.timeFormat, workspace_.clock(),
                             this);
    if (runDialog(dialog) != QDialog::Accepted) return;
    workspace_.dateFormat = dialog.dateFormat();
    workspace_.timeFormat = dialog.timeFormat();
    refreshAlbumList();
}

void CMainDialog::searchForDuplicates() {
    openDuplicatesDialog();
    finishDuplicateSearch(workspace_);
    dropFilmImagesIfStale();
    showTexts();
    refreshAlbumList();
}

void CMainDialog::openDuplicatesDialog() {
    CDuplicatesDialog dialog(workspace_, prompter_, this);
    runDialog(dialog);
}

int CMainDialog::runDialog(QDialog& dialog) {
    return dialog.exec();
}

// Sessions.

void CMainDialog::saveSession() {
    const std::optional<std::string> file =
        shell_.saveFileName("Save as", kSessionFilterName, kSessionPattern, kSessionExtension);
    saveSessionCommand(workspace_, file, prompter_);
}

void CMainDialog::loadSession() {
    bool fileAsked = false;
    LabelProgress progress(statusText_);
    const SessionResult result = loadSessionCommand(
        workspace_,
        [this, &fileAsked] {
            fileAsked = true;
            // The reset after "Filters will be lost" shows before the dialog.
            dropFilmImagesIfStale();
            showTexts();
            refreshAlbumList();
            return shell_.openFileName("Load Session", kSessionFilterName, kSessionPattern);
        },
        prompter_, progress);
    if (result == SessionResult::Cancelled && !fileAsked) return;
    dropFilmImagesIfStale();
    deleteAlbum_->setEnabled(false);
    clearDetails();
    showTexts();
    refreshAlbumList();
}

void CMainDialog::loadSessionFile(const std::string& path) {
    LabelProgress progress(statusText_);
    loadSessionCommand(
        workspace_, [&path]() -> std::optional<std::string> { return path; }, prompter_, progress);
    dropFilmImagesIfStale();
    deleteAlbum_->setEnabled(false);
    clearDetails();
    showTexts();
    refreshAlbumList();
}

// Help.

void CMainDialog::helpManual() {
    // The help folder is looked for under the folder the program was started
    // in, as its desktop entry starts it.
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    const std::string folder = current + kPathSeparator + "help" + kPathSeparator;
    const int result = shell_.open("help.htm", folder);
    if (result == kShellFileNotFound || result == kShellPathNotFound) {
        tell(kPathNotFoundText);
    } else if (result == kShellNoAssociation) {
        tell(kNoAssociationText);
    }
}

void CMainDialog::homepage() {
    if (prompter_.ask("You must be connected to Internet before continue!",
                      "Lumora - Visit Homepage", Buttons::OkCancel, Icon::None) != kAnswerOk) {
        return;
    }
    shell_.open(kHomepageAddress, std::string());
}

void CMainDialog::about() {
    CAboutDialog dialog(this);
    runDialog(dialog);
}

// Leaving.

void CMainDialog::accept() {
    if (prompter_.ask("Are you sure?", "Confirm exit", Buttons::YesNo, Icon::None) == kAnswerYes) {
        QDialog::accept();
    }
}

void CMainDialog::reject() {
    if (prompter_.ask("Close Lumora?", kProgramName, Buttons::YesNo, Icon::None) == kAnswerYes) {
        QDialog::reject();
    }
}

}  // namespace lumora
