#include "albums/CEditAlbumDialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "albums/FilmDelegate.h"
#include "albums/FilmLabel.h"
#include "albums/FilmModel.h"
#include "albums/FilmView.h"
#include "platform/QtText.h"
#include "res/ResourceIds.h"

// The Edit Album dialog's controls and menu, laid out and connected.

namespace lumora {
namespace {

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

void CEditAlbumDialog::buildControls() {
    // Three columns: the film, which takes what the window grows by; the
    // album's names, options and range; the selected picture, whose
    // information shows whole beside the album rather than in a scrolled
    // corner beneath it.
    auto* columns = new QHBoxLayout;
    columns->addWidget(buildFilmGroup(), 1);
    columns->addWidget(buildAlbumPanel(), 0);
    columns->addWidget(buildPicturePanel(), 0);

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
    // Three thumbnails across, and the whole window on a screen of 1366 x 768
    // with a desktop panel; it may be made smaller, and the film grows with it.
    resize(1320, 660);
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
    // Two thumbnails side by side at the least, and the scroll bar.
    filmView_->setMinimumWidth(2 * FilmDelegate::itemSize().width() + 22);
    filmView_->setMinimumHeight(FilmDelegate::itemSize().height() + 40);

    connect(filmView_, &QAbstractItemView::clicked, this, [this] { filmClicked(); });
    connect(filmView_, &QAbstractItemView::doubleClicked, this, [this] { filmDoubleClicked(); });
    connect(filmView_, &FilmView::rightDoubleClicked, this, [this] { filmRightDoubleClicked(); });
    connect(filmView_, &FilmView::viewerAsked, this, [this] { filmRightDoubleClicked(); });
    connect(filmView_, &FilmView::toggleAsked, this, [this] { toggleSelectedPictures(); });
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
        label->setMinimumWidth(150);
    }
    for (QPushButton* button :
         {setStartButton_, setEndButton_, clearStartButton_, clearEndButton_}) {
        button->setAutoDefault(false);
    }
    // The dates take the room the buttons do not need.
    for (QPushButton* button : {clearStartButton_, clearEndButton_}) {
        button->setMaximumWidth(button->fontMetrics().horizontalAdvance(button->text()) + 24);
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

    // A long album name in the header must not widen the panel.
    headerText_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* panel = new QWidget;
    panel->setMinimumWidth(330);
    panel->setMaximumWidth(350);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(groupAround(QStringLiteral("Album name"), nameBox_));
    layout->addWidget(groupAround(QStringLiteral("Albums directory name"), directoryBox_));
    layout->addWidget(createSubDirectory_);
    layout->addWidget(keepOriginalName_);
    layout->addWidget(addTo);
    layout->addWidget(range);
    layout->addLayout(headerRow);
    layout->addStretch(1);
    layout->addLayout(buttons);
    return panel;
}

namespace {

// Picture Info lines its values up with spaces: the system's font of fixed
// pitch. On Windows that is Courier New; where it is missing (under wine) Qt
// puts a proportional font in its place, and the first installed scalable
// family of fixed pitch stands in. (Elsewhere fontconfig resolves the fixed
// font itself.)
QFont fixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
#ifdef Q_OS_WIN
    if (QFontDatabase::isFixedPitch(QFontInfo(font).family())) return font;
    for (const QString& family : QFontDatabase::families()) {
        // Names starting with "@" are Windows' vertical variants.
        if (!family.startsWith(u'@') && QFontDatabase::isFixedPitch(family) &&
            QFontDatabase::isSmoothlyScalable(family)) {
            font.setFamilies({family});
            return font;
        }
    }
#endif
    return font;
}

}  // namespace

QWidget* CEditAlbumDialog::buildPicturePanel() {
    pathBox_ = withId(new QLineEdit, res::kIdPicturePath);
    pathBox_->setReadOnly(true);
    pictureInfo_ = withId(new QListWidget, res::kIdPictureInfoList);
    pictureInfo_->setFont(fixedPitchFont());
    pictureInfo_->setSelectionMode(QAbstractItemView::NoSelection);
    // A long line wraps rather than hiding behind a scroll bar.
    pictureInfo_->setWordWrap(true);
    pictureInfo_->setResizeMode(QListView::Adjust);
    pictureInfo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* panel = new QWidget;
    // The common lines of Picture Info at their full width.
    panel->setMinimumWidth(QFontMetrics(pictureInfo_->font()).horizontalAdvance(QString(40, u'M')));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(groupAround(QStringLiteral("Original pic's path"), pathBox_));
    layout->addWidget(groupAround(QStringLiteral("Picture Info"), pictureInfo_), 1);
    return panel;
}

void CEditAlbumDialog::buildMenu() {
    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("File"));
    QAction* view =
        file->addAction(QStringLiteral("View Options"), this, [this] { viewOptions(); });
    view->setObjectName(idName(res::kCmdViewOptions));
    manualRangeAction_ =
        file->addAction(QStringLiteral("Manual time range"), this, [this] { manualTimeRange(); });
    manualRangeAction_->setObjectName(idName(res::kCmdManualTimeRange));
    advancedFilterAction_ = file->addAction(QStringLiteral("Advanced Filter Tool"), this,
                                            [this] { advancedFilterTool(); });
    advancedFilterAction_->setObjectName(idName(res::kCmdAdvancedFilterTool));
    QMenu* help = menuBar->addMenu(QStringLiteral("Help"));
    QAction* aboutAction = help->addAction(QStringLiteral("About"), this, [this] { about(); });
    aboutAction->setObjectName(idName(res::kCmdAbout));
    layout()->setMenuBar(menuBar);
}
}  // namespace lumora
