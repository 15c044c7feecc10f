// The main window's controls and menus: the three steps, the album list and
// details, the banner and the command ids the rest of the program finds them by.
#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

#include "app/CMainDialog.h"
#include "app/MainWindowWidgets.h"
#include "app/ProgramIcon.h"
#include "imaging/ImageBitmap.h"
#include "platform/QtText.h"
#include "res/BitmapIds.h"
#include "res/ResourceIds.h"

namespace lumora {
namespace {

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
    // Under the status text while the last scan left files out.
    leftOutLink_ = staticText(QStringLiteral("<a href=\"left-out\">Files left out...</a>"),
                              res::kIdLeftOutLink, step1);
    leftOutLink_->setTextFormat(Qt::RichText);
    leftOutLink_->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                          Qt::LinksAccessibleByKeyboard);
    leftOutLink_->setVisible(false);
    connect(leftOutLink_, &QLabel::linkActivated, this, [this] { filesLeftOut(); });
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
    step1Layout->addWidget(leftOutLink_, 3, 1, 1, 2);
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
    // Room for a dozen albums and for the lines of most albums' details, in
    // rows as tall as the style draws them (Windows' styles pad each line).
    albumDetails_->addItem(QStringLiteral("Name:"));
    const int rowHeight = std::max(albumDetails_->sizeHintForRow(0), fontMetrics().lineSpacing());
    delete albumDetails_->takeItem(0);
    const int listHeight = rowHeight * 12 + 2 * albumDetails_->frameWidth();
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
    // A click on the album already selected changes no selection; it shows
    // the details all the same.
    connect(albumList_, &QListWidget::itemClicked, this, [this] { showAlbumDetails(); });
    connect(albumList_, &QListWidget::itemDoubleClicked, this, [this] { editSelectedAlbum(); });
    // On the album list, Delete deletes the selected album (asking first) and
    // Enter edits it, rather than pressing the window's default button.
    auto listKey = [this](QKeyCombination key, auto handler) {
        auto* shortcut = new QShortcut(QKeySequence(key), albumList_);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, handler);
    };
    listKey(QKeyCombination(Qt::Key_Delete), [this] { deleteSelectedAlbum(); });
    listKey(QKeyCombination(Qt::Key_Return), [this] { editSelectedAlbum(); });
    listKey(QKeyCombination(Qt::Key_Enter), [this] { editSelectedAlbum(); });

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
    // The desktop's usual keys, shown beside the items.
    saveSession_ = command(file, QStringLiteral("Save Session"), res::kCmdSaveSession,
                           [this] { saveSession(); });
    saveSession_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    command(file, QStringLiteral("Load Session"), res::kCmdLoadSession, [this] { loadSession(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    file->addSeparator();
    // Exit is a close request, which takes the path of the close box.
    command(file, QStringLiteral("Exit"), res::kCmdExit, [this] { close(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* directories = bar->addMenu(QStringLiteral("&Directories"));
    command(directories, QStringLiteral("Select source"), res::kCmdSelectSource,
            [this] { selectSource(); });
    command(directories, QStringLiteral("Select target"), res::kCmdSelectTarget,
            [this] { selectTarget(); });

    QMenu* utilities = bar->addMenu(QStringLiteral("&Utilities"));
    searchDuplicates_ = command(utilities, QStringLiteral("Search for duplicates"),
                                res::kCmdSearchDuplicates, [this] { searchForDuplicates(); });
    command(utilities, QStringLiteral("Files left out..."), res::kCmdFilesLeftOut,
            [this] { filesLeftOut(); });
    command(utilities, QStringLiteral("Camera clocks..."), res::kCmdCameraClocks,
            [this] { cameraClocks(); });
    command(utilities, QStringLiteral("Undo last processing..."), res::kCmdUndoProcessing,
            [this] { undoLastProcessing(); });

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
    command(help, QStringLiteral("Help Manual"), res::kCmdHelpManual, [this] { helpManual(); })
        ->setShortcut(QKeySequence(Qt::Key_F1));
    command(help, QStringLiteral("Lumora Homepage"), res::kCmdHomepage, [this] { homepage(); });
    command(help, QStringLiteral("About"), res::kCmdAbout, [this] { about(); });

    layout()->setMenuBar(bar);
}

}  // namespace lumora
